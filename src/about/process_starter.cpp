#include "about/process_starter.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kalverin {

bool ProcessStarter::FileExists(const std::filesystem::path& file) {
    return QFileInfo(file).isFile();
}

std::optional<std::filesystem::path> ProcessStarter::FindProgram(std::string_view name) {
    QString found = QStandardPaths::findExecutable(
        QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())));
    if (found.isEmpty()) {
        return std::nullopt;
    }
    return QFileInfo(found).filesystemFilePath();
}

bool ProcessStarter::StartProgram(const std::filesystem::path& program) {
    return QProcess::startDetached(QFileInfo(program).filePath(), {});
}

}  // namespace kalverin
