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
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

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

StatCard Card(std::vector<std::string> options, int descriptionSentences) {
    StatCard card{
        "Fl\xe9"
        "chette Carbine \x93Long Watch\x94",
        "Sniper Rifle",
        {},
        {"Top Mount"},
        {},
        ""};
    const char* labels[] = {"Power",         "Damage",     "Weight", "Mode", "Concealability",
                            "Ammo Capacity", "Ammo Load",  "Recoil", "FCU",  "DPV",
                            "Mark-Up",       "Final Price"};
    const char* values[] = {"8",        "S",  "4.2", "SA",   "-2",   "5",
                            "Magazine", "-1", "0.5", "1380", "5.25", "7245"};
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        card.statistics.push_back({labels[i], values[i]});
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        card.options.push_back({options[i], static_cast<std::int16_t>(i % 4)});
    }
    for (int i = 1; i <= descriptionSentences; ++i) {
        card.description += "Sentence " + std::to_string(i) +
                            " tells of long service on the northern ridges, where its crews "
                            "praised the steady trigger and cursed the weight.";
        card.description += i % 5 == 0 ? "\r\n" : " ";
    }
    return card;
}

const std::vector<std::string> kTwentyOptions = {
    "Match Barrel", "Extended Barrel",  "Heavy Barrel",    "Ported Barrel",  "Muzzle Brake",
    "Bayonet Lug",  "Telescopic Sight", "Reflex Sight",    "Bipod",          "Folding Stock",
    "Recoil Pad",   "Custom Grip",      "Sling Swivels",   "Speed Loader",   "Extended Magazine",
    "Hair Trigger", "Flash Hider",      "Low-Light Scope", "M\xfcnzer Grip", "Grip <Custom> & Co"};

struct PdfCase {
    const char* name;
    StatCard card;
    QPageSize::PageSizeId paper;
    const char* pages;  // what pdfinfo says of the pages
};

void PrintTo(const PdfCase& test, std::ostream* out) {
    *out << test.name;
}

class StatCardPdfTest : public ::testing::TestWithParam<PdfCase> {};

TEST_P(StatCardPdfTest, IsOnePageHoldingEveryTextOfTheCard) {
    const PdfCase& test = GetParam();
    TempFolder folder;
    auto pdf = folder.path() / "card.pdf";

    ASSERT_TRUE(WriteStatCardPdf(test.card, PathText(pdf), QPageSize(test.paper)));

    EXPECT_EQ(PdfPages(pdf), test.pages);
    QString text = PdfText(pdf);
    auto expectShown = [&text](const std::string& bytes) {
        EXPECT_TRUE(text.contains(ToQt(bytes)))
            << bytes << " is not in: " << text.left(1500).toStdString();
    };
    expectShown(test.card.title);
    expectShown("Frame Type: " + test.card.frame);
    for (const StatCardOption& option : test.card.options) {
        expectShown(option.name + " " + std::to_string(option.level));
    }
    for (const StatCardRow& row : test.card.statistics) {
        expectShown(row.label + " " + row.value);
    }
    expectShown(test.card.freeMounts.front());
}

constexpr const char* kA4 = "Pages: 1\nPage size: 595 x 842 pts (A4)";
constexpr const char* kLetter = "Pages: 1\nPage size: 612 x 792 pts (letter)";

INSTANTIATE_TEST_SUITE_P(
    Cards, StatCardPdfTest,
    ::testing::Values(
        PdfCase{"FewOptionsOnA4", Card({"Match Barrel", "Grip <Custom> & Co"}, 1), QPageSize::A4,
                kA4},
        PdfCase{"TwentyOptionsOnA4", Card(kTwentyOptions, 60), QPageSize::A4, kA4},
        PdfCase{"TwentyOptionsOnLetter", Card(kTwentyOptions, 60), QPageSize::Letter, kLetter},
        // Far more than fits in readable type: the card is shrunk to the page.
        PdfCase{"OversizedOnLetter", Card(kTwentyOptions, 600), QPageSize::Letter, kLetter}),
    [](const ::testing::TestParamInfo<PdfCase>& info) { return std::string(info.param.name); });

TEST(StatCardHtmlTest, TheDescriptionKeepsItsLineBreaksAndShowsMarkupAsText) {
    StatCard card = Card({}, 0);
    card.description = "<b>one</b>\r\ntwo\nthree\rfour";
    EXPECT_TRUE(StatCardHtml(card).contains(
        QStringLiteral("&lt;b&gt;one&lt;/b&gt;<br/>two<br/>three<br/>four")));
}

struct ExportCase {
    const char* name;
    std::optional<std::string> answer;  // in the Weapons folder; nothing is Cancel
    std::optional<std::string> written;
    std::vector<std::string> messages;
};

void PrintTo(const ExportCase& test, std::ostream* out) {
    *out << test.name;
}

class StatCardExportTest : public ::testing::TestWithParam<ExportCase> {};

TEST_P(StatCardExportTest, AsksForAPdfFileInTheWeaponsFolderAndWritesTheCardThere) {
    const ExportCase& test = GetParam();
    TempFolder current;
    auto weapons = current.path() / "Weapons";
    std::filesystem::create_directories(weapons);
    testing::RecordingDialogs dialogs;
    MainWindowModel model(current.path(), current.path(), dialogs);
    model.NewWeapon();
    model.txtFirearm.text = "Night Warden";
    dialogs.answers.push_back(test.answer ? std::optional(weapons / *test.answer) : std::nullopt);

    FileDialogState dialog;
    ExportStatCard(model, dialogs, dialog);

    ASSERT_EQ(dialogs.asked.size(), 1U);
    const auto& [asked, save] = dialogs.asked.front();
    EXPECT_TRUE(save);
    EXPECT_EQ(asked.title, "Export Stat Card");
    EXPECT_EQ(asked.filter, "PDF File|*.pdf");
    EXPECT_EQ(asked.initialFolder, weapons);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(weapons)) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files, test.written ? std::vector{*test.written} : std::vector<std::string>{});
    if (test.written) {
        EXPECT_TRUE(PdfText(weapons / *test.written).contains(QStringLiteral("Night Warden")));
    }
    std::vector<std::string> messages;
    for (const std::string& message : test.messages) {
        messages.push_back(message + (weapons / "gone" / "card.pdf").string() +
                           ". Choose a folder you may write to.");
    }
    EXPECT_EQ(dialogs.messages, messages);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StatCardExportTest,
    ::testing::Values(ExportCase{"NameWithoutExtensionGetsPdf", "card", "card.pdf", {}},
                      ExportCase{"PdfExtensionKept", "card.pdf", "card.pdf", {}},
                      ExportCase{"CapitalPdfExtensionKept", "card.PDF", "card.PDF", {}},
                      ExportCase{"OtherExtensionGetsPdf", "card.wpn", "card.wpn.pdf", {}},
                      ExportCase{"CancelWritesNothing", std::nullopt, std::nullopt, {}},
                      ExportCase{"MissingFolderIsReported",
                                 "gone/card.pdf",
                                 std::nullopt,
                                 {"The stat card could not be written to "}}),
    [](const ::testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.name); });

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
                  QStringLiteral("S&ave As Ctrl+A"), QStringLiteral("&Print Stat Card... Ctrl+P"),
                  QStringLiteral("&Export Stat Card... Ctrl+E"), QStringLiteral("E&xit Ctrl+X")}));
    EXPECT_EQ(Entry("mnuPrintCard")->text(), QStringLiteral("&Print Stat Card..."));
    EXPECT_EQ(Entry("mnuExportCard")->text(), QStringLiteral("&Export Stat Card..."));
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
