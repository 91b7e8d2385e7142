#include "app/kalverin_app.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

#include "about/program_picture.h"
#include "catalogue/data_check.h"
#include "catalogue/data_folder.h"
#include "designer/main_window.h"
#include "kalverin_version.h"
#include "qt_support/first_paint.h"
#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

constexpr char kUsage[] =
    "Usage: kalverin [Qt options] [--] [WEAPON-FILE.wpn]\n"
    "       kalverin --check-data [DATA-FOLDER]\n"
    "The second checks the data folder (by default the one Kalverin reads) and lists its\n"
    "problems; it ends with 0 when there is none, 1 when there are some, and 2 when the folder\n"
    "cannot be read.\n";

// The folder the program stands in; the Data folder is beside it.
std::filesystem::path ProgramFolder() {
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

// "--check-data [DATA-FOLDER]": the data check's report on standard output, with no window and
// no display; the exit status says whether the folder is clean.
int RunDataCheck(int argc, char** argv) {
    if (argc > 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Only to find the program's own folder, which needs no display.
    const QCoreApplication core(argc, argv);
    const std::filesystem::path folder = argc == 3 ? argv[2] : DataFolder(ProgramFolder());
    const DataCheck check = CheckDataFolder(DiskFiles(), folder);
    for (const std::string& line : DataCheckReport(folder, check)) {
        std::fputs((line + "\n").c_str(), stdout);
    }
    return check.unreadable ? 2 : check.problems.empty() ? 0 : 1;
}

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
    if (argc >= 2 && std::string_view(argv[1]) == "--check-data") {
        return RunDataCheck(argc, argv);
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

    std::filesystem::path programDir = ProgramFolder();
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
