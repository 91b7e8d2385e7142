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
#include <string>
#include <string_view>
#include <vector>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "about/program_picture.h"
#include "app/stat_blocks.h"
#include "catalogue/data_check.h"
#include "catalogue/data_folder.h"
#include "catalogue/data_place.h"
#include "designer/main_window.h"
#include "kalverin_version.h"
#include "qt_support/first_paint.h"
#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

constexpr char kUsage[] =
    "Usage: kalverin [Qt options] [--data DATA-FOLDER] [--] [WEAPON-FILE.wpn]\n"
    "       kalverin --check-data [DATA-FOLDER]\n"
    "       kalverin --stat-block [--format text|markdown|html] WEAPON-FILE.wpn...\n"
    "Opens the designer, on the weapon file if one is named. The rules data is the Data folder\n"
    "beside the program when you may write to it; else your own copy of it,\n"
    "$XDG_DATA_HOME/kalverin/Data (~/.local/share/kalverin/Data), which the first save of an\n"
    "editor makes (until then the Data folder beside the program is read). --data DATA-FOLDER\n"
    "uses that folder of the five data files instead, and the editors save there.\n"
    "--check-data checks the data folder (by default the one Kalverin reads, or the one --data\n"
    "names) and lists its problems; it ends with 0 when there is none, 1 when there are some,\n"
    "and 2 when the folder cannot be read. --stat-block prints each file's stat block, as Copy\n"
    "Stat Block copies it. Neither opens a window.\n"
    "Example: kalverin --data ~/campaigns/house-rules/Data\n";

// The folder the program stands in; the Data folder is beside it.
std::filesystem::path ProgramFolder() {
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

// A folder of the user's: `under` in $VARIABLE, or in ~/FALLBACK when that is not set; nothing
// without a home folder. A folder given as a relative path is to be ignored, as the desktop's
// rules say.
std::filesystem::path UserFolder(const char* variable, const char* fallback, const char* under) {
    const char* set = std::getenv(variable);
    const char* home = std::getenv("HOME");
    if (set != nullptr && set[0] == '/') {
        return std::filesystem::path(set) / under;
    }
    if (home != nullptr && home[0] != '\0') {
        return std::filesystem::path(home) / fallback / under;
    }
    return {};
}

// What the command line asks for, Qt's own options taken out: whether to check the data, the
// data folder --data names, and the words that are no option (the weapon file, or the folder to
// check). Nothing when it asks for anything else.
struct CommandLine {
    bool checkData = false;
    std::optional<std::string> data;
    std::vector<std::string> files;
};

std::optional<CommandLine> ReadCommandLine(const std::vector<std::string>& words) {
    CommandLine line;
    bool options = true;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (options && word == "--") {
            options = false;
        } else if (options && word == "--check-data") {
            line.checkData = true;
        } else if (options && word == "--data" && i + 1 < words.size() && !line.data) {
            line.data = words[++i];
        } else if (options && word.starts_with('-')) {
            return std::nullopt;
        } else {
            line.files.push_back(word);
        }
    }
    // The data check takes its folder from --data or from a word, not both.
    const bool twoFolders = line.checkData && line.data && !line.files.empty();
    if (line.files.size() > 1 || twoFolders || (line.data && line.data->empty())) {
        return std::nullopt;
    }
    return line;
}

// Where the data may be: the folder --data names, the Data folder beside the program and the
// user's own copy.
DataPlaces Places(const std::optional<std::string>& given) {
    return {.given = given.value_or(std::string()),
            .beside = DataFolder(ProgramFolder()),
            .user = UserFolder("XDG_DATA_HOME", ".local/share", "kalverin/Data")};
}

// "--check-data [DATA-FOLDER]": the data check's report on standard output, with no window and
// no display; the exit status says whether the folder is clean.
int RunDataCheck(int argc, char** argv) {
    const auto line = ReadCommandLine({argv, argv + argc});
    if (!line) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Only to find the program's own folder, which needs no display.
    const QCoreApplication core(argc, argv);
    std::filesystem::path folder;
    if (line->files.empty()) {
        const DataChoice choice = ChooseDataFolder(DiskFiles(), Places(line->data));
        if (!choice.notice.empty()) {
            std::fputs((choice.notice + "\n").c_str(), stderr);
        }
        folder = choice.folder;
    } else {
        folder = line->files.front();
    }
    const DataCheck check = CheckDataFolder(DiskFiles(), folder);
    for (const std::string& report : DataCheckReport(folder, check)) {
        std::fputs((report + "\n").c_str(), stdout);
    }
    return check.unreadable ? 2 : check.problems.empty() ? 0 : 1;
}

// Whether the command line asks for the data check, before "--" ends its options.
bool AsksForDataCheck(int argc, char** argv) {
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
        if (std::string_view(argv[i]) == "--check-data") {
            return true;
        }
    }
    return false;
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
    if (AsksForDataCheck(argc, argv)) {
        return RunDataCheck(argc, argv);
    }
    if (AsksForStatBlocks(argc, argv)) {
        return PrintStatBlocks(argc, argv);
    }
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    std::vector<std::string> words;
    for (const QString& argument : arguments) {
        words.push_back(QFile::encodeName(argument).toStdString());
    }
    const std::optional<CommandLine> line = ReadCommandLine(words);
    if (!line) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kalverin.Kalverin"));
    QApplication::setWindowIcon(ProgramIcon());

    std::error_code noCurrentFolder;
    std::filesystem::path currentDir = std::filesystem::current_path(noCurrentFolder);

    std::optional<KeepDesignOnSignals> keepOnSignals;
    DataInUse data(DiskFiles(), Places(line->data));
    MainWindow window(data, currentDir);
    if (const std::filesystem::path folder =
            UserFolder("XDG_STATE_HOME", ".local/state", "kalverin/recovery");
        !folder.empty()) {
        // Until the design changes, there is nothing a signal should wait for.
        window.KeepDesignIn(folder, RecoveryName(),
                            [&keepOnSignals, &window] { keepOnSignals.emplace(window); });
    }
    if (options.quitAfterFirstPaint) {
        QuitAfterFirstPaint(&window);
    }
    window.show();
    window.Start();
    if (!line->files.empty()) {
        window.OpenWeaponFile(line->files.front());
    }
    return QApplication::exec();
}

}  // namespace kalverin
