#include "qt_support/widget_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QUrl>

#include "kalverin_version.h"
#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

// "Weapon File|*.wpn" becomes the filter Qt shows: "Weapon File (*.wpn)"; a bare pattern is
// shown as it is.
QStringList QtFilters(std::string_view filter) {
    QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    if (parts.size() == 1 && !parts.front().isEmpty()) {
        return parts;
    }
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    }
    return filters;
}

}  // namespace

void WidgetDialogs::ShowMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), ToQt(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

bool WidgetDialogs::Ask(std::string_view question, std::string_view yes, std::string_view no) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), ToQt(question),
                    QMessageBox::NoButton, parent_);
    QPushButton* first = box.addButton(ToQt(yes), QMessageBox::AcceptRole);
    QPushButton* second = box.addButton(ToQt(no), QMessageBox::RejectRole);
    box.setDefaultButton(first);
    box.setEscapeButton(first);
    box.exec();
    return box.clickedButton() != second;
}

std::optional<std::filesystem::path> WidgetDialogs::AskSavePath(FileDialogState& state) {
    return AskPath(state, true);
}

std::optional<std::filesystem::path> WidgetDialogs::AskOpenPath(FileDialogState& state) {
    return AskPath(state, false);
}

bool WidgetDialogs::ShowFolder(const std::filesystem::path& folder) {
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFileInfo(PathText(folder)).absoluteFilePath()));
}

std::optional<std::filesystem::path> WidgetDialogs::AskPath(FileDialogState& state, bool save) {
    QFileDialog dialog(parent_, ToQt(state.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters = QtFilters(state.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!state.initialFolder.empty()) {
        dialog.setDirectory(PathText(state.initialFolder));
    }
    if (!state.fileName.empty()) {
        dialog.selectFile(PathText(state.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    std::filesystem::path chosen = PathFromQt(dialog.selectedFiles().front());
    state.fileName = chosen;
    return chosen;
}

}  // namespace kalverin
