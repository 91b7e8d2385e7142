#include "app/kalverin_app.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "about/program_picture.h"
#include "app/stat_blocks.h"
#include "designer/main_window.h"
#include "kalverin_version.h"
#include "qt_support/first_paint.h"
#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

constexpr char kUsage[] =
    "Usage: kalverin [Qt options] [--] [WEAPON-FILE.wpn]\n"
    "       kalverin --stat-block [--format text|markdown|html] WEAPON-FILE.wpn...\n"
    "Opens the designer, on the weapon file if one is named. With --stat-block, prints each\n"
    "file's stat block instead, as Copy Stat Block copies it, and opens no window.\n";

// What is left of the command line once Qt has taken its own options: at most one weapon file
// to open (an empty text when none is named), or nothing when it asks for anything else.
std::optional<QString> WeaponArgument(const QStringList& arguments) {
    QStringList files;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QStringLiteral("--")) {
            options = false;
        } else if (options && argument.startsWith(QLatin1Char('-'))) {
            return std::nullopt;
        } else {
            files << argument;
        }
    }
    if (files.size() > 1) {
        return std::nullopt;
    }
    return files.isEmpty() ? QString() : files.front();
}

}  // namespace

int RunKalverin(int argc, char** argv, StartOptions options) {
    // Before Qt starts, so that printing needs no display.
    if (AsksForStatBlocks(argc, argv)) {
        return PrintStatBlocks(argc, argv);
    }
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const std::optional<QString> weapon = WeaponArgument(arguments);
    if (!weapon) {
        const bool help = arguments.size() == 2 && (arguments[1] == QStringLiteral("--help") ||
                                                    arguments[1] == QStringLiteral("-h"));
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    }
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kalverin.Kalverin"));
    QApplication::setWindowIcon(ProgramIcon());

    std::filesystem::path programDir =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    std::error_code noCurrentFolder;
    std::filesystem::path currentDir = std::filesystem::current_path(noCurrentFolder);

    MainWindow window(programDir, currentDir);
    if (options.quitAfterFirstPaint) {
        QuitAfterFirstPaint(&window);
    }
    window.show();
    window.Start();
    if (!weapon->isEmpty()) {
        window.OpenWeaponFile(PathFromQt(*weapon));
    }
    return QApplication::exec();
}

}  // namespace kalverin
