#include "app/kalverin_app.h"

#include <QApplication>
#include <QFile>
#include <filesystem>

#include "about/program_picture.h"
#include "designer/main_window.h"
#include "kalverin_version.h"
#include "qt_support/first_paint.h"

namespace kalverin {

int RunKalverin(int argc, char** argv, StartOptions options) {
    QApplication app(argc, argv);
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
    return QApplication::exec();
}

}  // namespace kalverin
