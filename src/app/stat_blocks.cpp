#include "app/stat_blocks.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "designer/main_window_model.h"
#include "designer/stat_card.h"
#include "designer/stat_card_printer.h"
#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

constexpr std::string_view kStatBlockOption = "--stat-block";

// Messages of the reader, as a recovered save, go to standard error; nothing is asked.
class ErrorDialogs final : public UserDialogs {
  public:
    void ShowMessage(std::string_view text) override {
        std::fprintf(stderr, "kalverin: %s\n", ToQt(text).toUtf8().constData());
    }
    // Printing asks nothing; were it asked, no one is there, as when a question is closed.
    bool Ask(std::string_view, std::string_view, std::string_view) override { return true; }
    std::optional<std::filesystem::path> AskSavePath(FileDialogState&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> AskOpenPath(FileDialogState&) override {
        return std::nullopt;
    }
};

void Print(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

}  // namespace

bool AsksForStatBlocks(int argc, char** argv) {
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
        if (argv[i] == kStatBlockOption) {
            return true;
        }
    }
    return false;
}

int PrintStatBlocks(int argc, char** argv) {
    std::string format = "text";
    std::vector<std::filesystem::path> files;
    bool options = true;
    bool understood = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--format" && i + 1 < argc) {
            format = argv[++i];
        } else if (options && argument.starts_with("--format=")) {
            format = argument.substr(9);
        } else if (options && argument.starts_with('-') && argument != kStatBlockOption) {
            understood = false;
        } else if (!options || argument != kStatBlockOption) {
            files.emplace_back(argument);
        }
    }
    if (!understood || files.empty() ||
        (format != "text" && format != "markdown" && format != "html")) {
        std::fputs(
            "Usage: kalverin --stat-block [--format text|markdown|html] WEAPON-FILE.wpn...\n",
            stderr);
        return 2;
    }

    ErrorDialogs dialogs;
    std::error_code noCurrentFolder;
    const std::filesystem::path current = std::filesystem::current_path(noCurrentFolder);
    // Read as Open Old Weapon reads it; the data files play no part in a stat block.
    DataInUse noData(DiskFiles(), {.given = current});
    int status = 0;
    int printed = 0;
    for (const std::filesystem::path& file : files) {
        MainWindowModel window(noData, current, dialogs);
        if (!window.OpenWeaponFile(file)) {
            std::fprintf(stderr, "kalverin: %s cannot be read as a weapon file.\n",
                         file.string().c_str());
            status = 1;
            continue;
        }
        const StatCard card = BuildStatCard(window);
        if (format == "html") {
            Print((printed == 0 ? QStringLiteral("<html><body>") : QStringLiteral("<hr/>")) +
                  StatCardHtmlBody(card));
        } else {
            // Appended: optimised, GCC 12 sees an overlap in "\n" + string that is not there.
            std::string block = printed == 0 ? "" : "\n";
            Print(ToQt(
                block.append(format == "text" ? StatBlockText(card) : StatBlockMarkdown(card))));
        }
        ++printed;
    }
    if (format == "html" && printed > 0) {
        Print(QStringLiteral("</body></html>\n"));
    }
    return status;
}

}  // namespace kalverin
