#include "app/kalverin_app.h"

#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "about/program_picture.h"
#include "app/stat_blocks.h"
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
    "       kalverin --stat-block [--format text|markdown|html] WEAPON-FILE.wpn...\n"
    "Opens the designer, on the weapon file if one is named. --check-data checks the data folder\n"
    "(by default the one Kalverin reads) and lists its problems; it ends with 0 when there is\n"
    "none, 1 when there are some, and 2 when the folder cannot be read. --stat-block prints each\n"
    "file's stat block, as Copy Stat Block copies it. Neither opens a window.\n";

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

// Where the design in progress is kept: $XDG_STATE_HOME/kalverin/recovery, or
// ~/.local/state/kalverin/recovery; nothing without a home folder. A state folder given as a
// relative path is to be ignored, as the desktop's rules say.
std::filesystem::path RecoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (state != nullptr && state[0] == '/') {
        return std::filesystem::path(state) / "kalverin" / "recovery";
    }
    if (home != nullptr && home[0] != '\0') {
        return std::filesystem::path(home) / ".local" / "state" / "kalverin" / "recovery";
    }
    return {};
}

// A recovery file's name that no other run takes, sorting in the order the runs started: the
// time and the process.
std::string RecoveryName() {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    char name[48];
    std::snprintf(name, sizeof name, "%020lld-%d", static_cast<long long>(micros),
                  static_cast<int>(::getpid()));
    return name;
}

// The end of the socket that the signal handler writes the signal's number to.
int signalWriter = -1;

void NoteSignal(int signal) {
    // Only what is safe in a handler: one write, nothing allocated, errno as it was.
    const int saved = errno;
    const char number = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t wrote = ::write(signalWriter, &number, 1);
    errno = saved;
}

// While it lives, SIGTERM and SIGHUP still end the program as they would, but only once the
// design in progress is written: the handler writes the signal down a socket, and the event
// loop takes it from there.
class KeepDesignOnSignals {
  public:
    explicit KeepDesignOnSignals(MainWindow& window) {
        // Never blocking, so that the handler cannot wait on a full socket.
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends_) != 0) {
            return;
        }
        signalWriter = ends_[0];
        auto* notifier = new QSocketNotifier(ends_[1], QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window,
                         [&window, reader = ends_[1]] {
                             char number = 0;
                             if (::read(reader, &number, 1) != 1) {
                                 return;
                             }
                             window.KeepDesignNow();
                             std::signal(number, SIG_DFL);
                             std::raise(number);
                         });
        struct sigaction action {};
        action.sa_handler = NoteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : kSignals) {
            ::sigaction(signal, &action, nullptr);
        }
    }
    KeepDesignOnSignals(const KeepDesignOnSignals&) = delete;
    KeepDesignOnSignals& operator=(const KeepDesignOnSignals&) = delete;
    ~KeepDesignOnSignals() {
        if (ends_[0] < 0) {
            return;
        }
        for (int signal : kSignals) {
            std::signal(signal, SIG_DFL);
        }
        signalWriter = -1;
        ::close(ends_[0]);
        ::close(ends_[1]);
    }

  private:
    static constexpr int kSignals[] = {SIGTERM, SIGHUP};
    int ends_[2] = {-1, -1};
};

}  // namespace

int RunKalverin(int argc, char** argv, StartOptions options) {
    // Before Qt starts, so that neither needs a display.
    if (argc >= 2 && std::string_view(argv[1]) == "--check-data") {
        return RunDataCheck(argc, argv);
    }
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

    std::filesystem::path programDir = ProgramFolder();
    std::error_code noCurrentFolder;
    std::filesystem::path currentDir = std::filesystem::current_path(noCurrentFolder);

    std::optional<KeepDesignOnSignals> keepOnSignals;
    MainWindow window(programDir, currentDir);
    if (const std::filesystem::path folder = RecoveryFolder(); !folder.empty()) {
        // Until the design changes, there is nothing a signal should wait for.
        window.KeepDesignIn(folder, RecoveryName(),
                            [&keepOnSignals, &window] { keepOnSignals.emplace(window); });
    }
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
