#include "designer/stat_card_printer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTimer>

#include "designer/main_window.h"
#include "designer/stat_card.h"
#include "qt_support/qt_text.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

QString PathText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

// What a poppler tool prints about a PDF. Without the tools the card is not checked, so that
// fails rather than passes.
QString RunPdfTool(const char* tool, QStringList arguments) {
    QProcess process;
    process.start(QString::fromLatin1(tool), arguments);
    if (!process.waitForStarted() || !process.waitForFinished()) {
        ADD_FAILURE() << tool << " could not be run: install poppler-utils "
                      << "(scripts/install-deps.sh does)";
        return {};
    }
    EXPECT_EQ(process.exitCode(), 0) << tool << ": " << process.readAllStandardError().data();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF as laid out, one space for every run of blanks and line breaks, and
// ligatures split into their letters.
QString PdfText(const std::filesystem::path& pdf) {
    return RunPdfTool("pdftotext", {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                    QStringLiteral("UTF-8"), PathText(pdf), QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC)
        .simplified();
}

// pdfinfo's "Pages:" and "Page size:" lines, blanks made single.
std::string PdfPages(const std::filesystem::path& pdf) {
    QStringList pages;
    for (const QString& line : RunPdfTool("pdfinfo", {PathText(pdf)}).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:")) ||
            line.startsWith(QStringLiteral("Page size:"))) {
            pages << line.simplified();
        }
    }
    return pages.join(QLatin1Char('\n')).toStdString();
}

TEST(StatCardPdfTest, IsOnePageHoldingEveryTextOfTheCard) {
    const std::string title =
        "Fl\xe9"
        "chette Carbine \x93Long Watch\x94";
    StatCard card{title, "Sniper Rifle", {}, {"Top Mount"}, {}, ""};
    const char* labels[] = {"Power",         "Damage",     "Weight", "Mode", "Concealability",
                            "Ammo Capacity", "Ammo Load",  "Recoil", "FCU",  "DPV",
                            "Mark-Up",       "Final Price"};
    const char* values[] = {"8",        "S",  "4.2", "SA",   "-2",   "5",
                            "Magazine", "-1", "0.5", "1380", "5.25", "7245"};
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        card.statistics.push_back({labels[i], values[i]});
    }
    const char* options[] = {
        "Match Barrel",  "Extended Barrel", "Heavy Barrel",      "Ported Barrel",
        "Muzzle Brake",  "Bayonet Lug",     "Telescopic Sight",  "Reflex Sight",
        "Bipod",         "Folding Stock",   "Recoil Pad",        "Custom Grip",
        "Sling Swivels", "Speed Loader",    "Extended Magazine", "Hair Trigger",
        "Flash Hider",   "Low-Light Scope", "M\xfcnzer Grip",    "Grip <Custom> & Co"};
    for (std::size_t i = 0; i < std::size(options); ++i) {
        card.options.push_back({options[i], static_cast<std::int16_t>(i % 4)});
    }
    const std::tuple<int, QPageSize::PageSizeId, const char*> cases[] = {
        {60, QPageSize::A4, "Pages: 1\nPage size: 595 x 842 pts (A4)"},
        // Far more than fits in readable type: the card is shrunk to the page.
        {600, QPageSize::Letter, "Pages: 1\nPage size: 612 x 792 pts (letter)"},
    };
    for (const auto& [sentences, paper, pages] : cases) {
        SCOPED_TRACE(sentences);
        card.description.clear();
        for (int i = 1; i <= sentences; ++i) {
            card.description += "Sentence " + std::to_string(i) +
                                " tells of long service on the northern ridges, where its crews "
                                "praised the steady trigger and cursed the weight." +
                                (i % 5 == 0 ? "\r\n" : " ");
        }
        TempFolder folder;
        auto pdf = folder.path() / "card.pdf";
        ASSERT_TRUE(WriteStatCardPdf(card, PathText(pdf), QPageSize(paper)));

        EXPECT_EQ(PdfPages(pdf), pages);
        QString text = PdfText(pdf);
        auto expectShown = [&text](const std::string& bytes) {
            EXPECT_TRUE(text.contains(ToQt(bytes)))
                << bytes << " is not in: " << text.left(1500).toStdString();
        };
        expectShown(card.title);
        expectShown("Frame Type: " + card.frame);
        for (const StatCardOption& option : card.options) {
            expectShown(option.name + " " + std::to_string(option.level));
        }
        for (const StatCardRow& row : card.statistics) {
            expectShown(row.label + " " + row.value);
        }
        expectShown(card.freeMounts.front());
    }
}

TEST(StatCardHtmlTest, TheDescriptionKeepsItsLineBreaksAndShowsMarkupAsText) {
    StatCard card;
    card.description = "<b>one</b>\r\ntwo\nthree\rfour";
    EXPECT_TRUE(StatCardHtml(card).contains(
        QStringLiteral("&lt;b&gt;one&lt;/b&gt;<br/>two<br/>three<br/>four")));
}

TEST(StatCardExportTest, AsksForAPdfFileInTheWeaponsFolderAndWritesTheCardThere) {
    // The name given (nothing: Cancel), the file written, and whether the write fails.
    const std::tuple<std::optional<std::string>, std::optional<std::string>, bool> cases[] = {
        {"card", "card.pdf", false},           {"card.PDF", "card.PDF", false},
        {"card.wpn", "card.wpn.pdf", false},   {std::nullopt, std::nullopt, false},
        {"gone/card.pdf", std::nullopt, true},
    };
    for (const auto& [answer, written, fails] : cases) {
        SCOPED_TRACE(answer.value_or("Cancel"));
        TempFolder current;
        auto weapons = current.path() / "Weapons";
        std::filesystem::create_directories(weapons);
        testing::RecordingDialogs dialogs;
        MainWindowModel model(current.path(), current.path(), dialogs);
        model.NewWeapon();
        model.txtFirearm.text = "Night Warden";
        dialogs.answers.push_back(answer ? std::optional(weapons / *answer) : std::nullopt);

        FileDialogState dialog;
        ExportStatCard(model, dialogs, dialog);

        ASSERT_EQ(dialogs.asked.size(), 1U);
        const auto& [asked, save] = dialogs.asked.front();
        EXPECT_TRUE(save);
        EXPECT_EQ(asked.title + " " + asked.filter, "Export Stat Card PDF File|*.pdf");
        EXPECT_EQ(asked.initialFolder, weapons);
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(weapons)) {
            files.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(files, written ? std::vector{*written} : std::vector<std::string>{});
        if (written) {
            EXPECT_TRUE(PdfText(weapons / *written).contains(QStringLiteral("Night Warden")));
        }
        EXPECT_EQ(dialogs.messages, fails ? std::vector{"The stat card could not be written to " +
                                                        (weapons / "gone" / "card.pdf").string() +
                                                        ". Choose a folder you may write to."}
                                          : std::vector<std::string>{});
    }
}

// The card's entries in the real main window.
class StatCardMenuTest : public ::testing::Test {
  protected:
    StatCardMenuTest() : window(current.path(), current.path()) { window.show(); }

    QAction* Entry(const char* name) {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    }

    TempFolder current;
    MainWindow window;
};

TEST_F(StatCardMenuTest, FileMenuHasTheCardEntriesAfterSaveAs) {
    QStringList entries;
    for (QAction* entry : window.findChild<QMenu*>(QStringLiteral("mnuFile"))->actions()) {
        entries << entry->text() + QLatin1Char(' ') + entry->shortcut().toString();
    }
    EXPECT_EQ(entries,
              (QStringList{
                  QStringLiteral("&New Weapon Ctrl+N"), QStringLiteral("&Open Old Weapon Ctrl+O"),
                  QStringLiteral("Open &Recent "), QStringLiteral("S&ave As Ctrl+A"),
                  QStringLiteral("&Print Stat Card... Ctrl+P"),
                  QStringLiteral("&Export Stat Card... Ctrl+E"), QStringLiteral("E&xit Ctrl+X")}));
}

TEST_F(StatCardMenuTest, EachEntryAsksItsDialogAndCancelWritesNothing) {
    const std::tuple<const char*, const char*> cases[] = {
        {"mnuPrintCard", "QPrintDialog Print Stat Card"},
        {"mnuExportCard", "QFileDialog Export Stat Card"},
    };
    for (const auto& [entry, expected] : cases) {
        QString shown;
        // The dialog is modal: answer it from the event loop it runs, or the test would hang.
        QTimer::singleShot(50, &window, [&shown] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shown = QString::fromLatin1(dialog->metaObject()->className()) + QLatin1Char(' ') +
                        dialog->windowTitle();
                dialog->close();
            }
        });
        Entry(entry)->trigger();
        EXPECT_EQ(shown.toStdString(), expected);
    }
    EXPECT_TRUE(std::filesystem::is_empty(current.path()));
}

}  // namespace
}  // namespace kalverin
