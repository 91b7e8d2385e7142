// The Qt parts beneath the windows: the stat card as a document and as a PDF file, the program's
// icon, the end of the start-up loop at the first paint, and the boxes kept to item texts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QResource>
#include <QTest>
#include <QTimer>

#include "about/program_picture.h"
#include "designer/main_window_model.h"
#include "designer/stat_card.h"
#include "designer/stat_card_printer.h"
#include "qt_support/first_paint.h"
#include "qt_support/item_text_input.h"
#include "qt_support/qt_text.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

// The program's vector picture withdrawn or put back; Qt's resource macros work outside namespaces.
static void KeepVectorPicture(bool kept) {
    if (kept) {
        Q_INIT_RESOURCE(about_picture);
    } else {
        Q_CLEANUP_RESOURCE(about_picture);
    }
}

namespace kalverin {
namespace {

using testing::TempFolder;

// What a poppler tool prints about a PDF; without the tool the test fails rather than passes.
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

// A PDF's text as laid out, each run of blanks and line breaks one space, ligatures split.
QString PdfText(const std::filesystem::path& pdf) {
    return RunPdfTool("pdftotext", {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                    QStringLiteral("UTF-8"), PathText(pdf), QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC)
        .simplified();
}

TEST(StatCardTest, IsOnePageHoldingEveryTextAndShowsMarkupAsText) {
    // Twenty options, names to escape among them.
    StatCard card{.title = "Fl\351chette Carbine \x93Long Watch\x94",
                  .frame = "Sniper Rifle",
                  .freeMounts = {"Top Mount"},
                  .options = {{"M\xfcnzer Grip", 1}, {"Grip <Custom> & Co", 2}}};
    for (int i = 0; i < 12; ++i) {  // as many rows as a stat block has
        card.statistics.push_back({"Statistic " + std::to_string(i), std::to_string(i * 115)});
    }
    for (int i = 0; i < 18; ++i) {
        card.options.push_back(
            {"Extended Barrel Mark " + std::to_string(i), static_cast<std::int16_t>(i % 4)});
    }
    const std::tuple<int, QPageSize::PageSizeId, const char*> cases[] = {
        {60, QPageSize::A4, "595 x 842 pts (A4)"},
        // Far more than fits in readable type: the card is shrunk to the page.
        {600, QPageSize::Letter, "612 x 792 pts (letter)"},
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
        const QString info = RunPdfTool("pdfinfo", {PathText(pdf)}).simplified();
        EXPECT_TRUE(info.contains(QStringLiteral("Pages: 1 ")) &&
                    info.contains(QLatin1String(pages)))
            << info.toStdString();
        const QString text = PdfText(pdf);
        std::vector<std::string> shown = {card.title, "Frame Type: " + card.frame, "Top Mount"};
        for (const StatCardOption& option : card.options) {
            shown.push_back(option.name + " " + std::to_string(option.level));
        }
        for (const StatCardRow& row : card.statistics) {
            shown.push_back(row.label + " " + row.value);
        }
        for (const std::string& bytes : shown) {
            EXPECT_TRUE(text.contains(ToQt(bytes)))
                << bytes << " is not in: " << text.left(1500).toStdString();
        }
    }
    // Line breaks stay line breaks, and markup in the description is shown as text.
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
        testing::RecordingDialogs dialogs(current.path());
        DataInUse data(DiskFiles(), {.given = current.path()});
        MainWindowModel model(data, current.path(), dialogs);
        model.NewWeapon();
        model.txtFirearm.text = "Night Warden";
        dialogs.answers.push_back(answer ? std::optional(weapons / *answer) : std::nullopt);

        FileDialogState dialog;
        ExportStatCard(model, dialogs, dialog);

        std::vector<std::string> said = {
            R"(asks where to save: "Export Stat Card" "PDF File|*.pdf" in "Weapons")"};
        if (fails) {
            said.push_back("says " + testing::Quoted("The stat card could not be written to " +
                                                     (weapons / "gone" / "card.pdf").string() +
                                                     ". Choose a folder you may write to."));
        }
        EXPECT_EQ(dialogs.said, said);
        EXPECT_EQ(std::filesystem::is_empty(weapons), !written);
        if (written) {
            EXPECT_TRUE(PdfText(weapons / *written).contains(QStringLiteral("Night Warden")));
        }
    }
}

TEST(ProgramIconTest, OffersTheFrameSizesDrawsEverySizeAndKeepsEachDrawing) {
    const QIcon icon = ProgramIcon();
    const QList<QSize> offered = {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    EXPECT_EQ(icon.availableSizes(), offered);
    // The sizes drawn at build time taken as they are; larger ones drawn from the vectors.
    for (const QSize& size : offered + QList<QSize>{{128, 128}, {256, 256}}) {
        KeepVectorPicture(!offered.contains(size));
        const QPixmap pixmap = icon.pixmap(size);
        EXPECT_EQ(pixmap.size(), size) << size.width();
        // Something is drawn on a transparent ground: not every pixel is transparent, the corner
        // is, but for the smoothing of the smallest size's edge. The widths need no row padding.
        const QImage alpha = pixmap.toImage().convertToFormat(QImage::Format_Alpha8);
        EXPECT_TRUE(std::any_of(alpha.constBits(), alpha.constBits() + alpha.sizeInBytes(),
                                [](uchar a) { return a != 0; }) &&
                    alpha.constBits()[0] < 8)
            << size.width();
        EXPECT_EQ(icon.pixmap(size).cacheKey(), pixmap.cacheKey()) << size.width();
        const QResource drawn(QStringLiteral(":/about/kalverin-%1.rgba").arg(size.width()));
        EXPECT_TRUE(!offered.contains(size) ||
                    pixmap.toImage() == QImage(drawn.data(), size.width(), size.height(),
                                               QImage::Format_RGBA8888_Premultiplied)
                                            .convertToFormat(pixmap.toImage().format()))
            << size.width();
    }
}

// The build's icon drawer: no size, or a size of no pixel, stops it with status 2; one pixel is a
// size. A sanitizer's leak check would change the status of a drawer stopped early.
TEST(RenderIconTest, RefusesWhatIsNoSizeWithStatusTwoAndDrawsOnePixel) {
    qputenv("ASAN_OPTIONS", "detect_leaks=0");
    TempFolder folder;
    const QString picture = QStringLiteral(KALVERIN_ICON_PICTURE), out = PathText(folder.path());
    for (const QStringList& arguments :
         {QStringList{picture, out}, {picture, out, QStringLiteral("1"), QStringLiteral("0")}}) {
        QProcess drawer;
        drawer.start(QStringLiteral(KALVERIN_RENDER_ICON), arguments);
        EXPECT_TRUE(drawer.waitForFinished());
        EXPECT_EQ(drawer.exitCode(), 2) << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(folder.Read("kalverin-1.rgba").size(), 4U);
}

// A window shown at once or a moment later ends the loop once painted; a loop that runs on is
// ended by the guard with another code, so that a fault fails the test instead of hanging it.
TEST(FirstPaintTest, TheLoopEndsOnceTheShownWindowIsPainted) {
    struct CountingWidget final : QWidget {
        void paintEvent(QPaintEvent*) override { ++paints; }
        int paints = 0;
    };
    for (const int delay : {0, 50}) {
        CountingWidget window;
        QuitAfterFirstPaint(&window);
        delay == 0 ? window.show() : QTimer::singleShot(delay, &window, &QWidget::show);
        QTimer::singleShot(10000, &window, [] { QCoreApplication::exit(7); });
        EXPECT_EQ(QApplication::exec(), 0) << delay;
        EXPECT_EQ(window.paints, 1) << delay;
    }
}

// In a box kept to item texts, single-line or wrapping, typed double quotes and line breaks are
// ignored; pasted ones become a single quote and one blank (CR LF included).
TEST(ItemTextInputTest, TypedQuotesAndLineBreaksAreIgnoredAndPastedOnesReplaced) {
    QLineEdit line;
    KeepToItemText(&line);
    ItemTextEdit details;
    for (QWidget* box : {static_cast<QWidget*>(&line), static_cast<QWidget*>(&details)}) {
        QTest::keyClicks(box, QStringLiteral("a\"b"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::ShiftModifier);
        QTest::keyClicks(box, QStringLiteral("c"));
    }
    QGuiApplication::clipboard()->setText(
        QString::fromUtf16(u" \"hi\"\r\ntwo\nthree\rfour\u2029five\u2028six"));
    line.paste();
    details.paste();
    EXPECT_EQ(line.text().toStdString(), "abc 'hi' two three four five six");
    EXPECT_EQ(details.toPlainText().toStdString(), "abc 'hi' two three four five six");
}

}  // namespace
}  // namespace kalverin
