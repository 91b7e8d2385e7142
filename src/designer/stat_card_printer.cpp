#include "designer/stat_card_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibrary>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <memory>

#include "designer/main_window_model.h"
#include "designer/print_job.h"
#include "designer/stat_card.h"
#include "kalverin_version.h"
#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

// Type sizes tried, largest first, before the whole card is shrunk to the page.
constexpr double kLargestPointSize = 10.0;
constexpr double kSmallestPointSize = 6.0;
constexpr double kPointSizeStep = 0.5;

// A design's text as rich text: escaped, its line breaks kept.
QString Html(const std::string& bytes) {
    QString text = ToQt(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
}

// The card's own words, for a translator.
QString Tr(const char* text) {
    return QCoreApplication::translate("kalverin::StatCard", text);
}

QString Heading(const char* caption) {
    return QStringLiteral("<p style=\"margin-top: 8px; margin-bottom: 3px;\"><b>") + Tr(caption) +
           QStringLiteral("</b></p>");
}

const QString kTable = QStringLiteral(
    "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
    "style=\"border-collapse: collapse; border-color: #999999;\">");

QString StatisticsTable(const StatCard& card) {
    QString html = kTable;
    for (const StatCardRow& row : card.statistics) {
        html += QStringLiteral("<tr><td bgcolor=\"#eeeeee\">") + Html(row.label) +
                QStringLiteral("</td><td align=\"right\">") + Html(row.value) +
                QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

QString OptionsTable(const StatCard& card) {
    if (card.options.empty()) {
        return QStringLiteral("<p>") + Tr("None") + QStringLiteral("</p>");
    }
    QString html = kTable + QStringLiteral("<tr><th bgcolor=\"#eeeeee\" align=\"left\">") +
                   Tr("Option") + QStringLiteral("</th><th bgcolor=\"#eeeeee\" align=\"right\">") +
                   Tr("Level") + QStringLiteral("</th></tr>");
    for (const StatCardOption& option : card.options) {
        html += QStringLiteral("<tr><td>") + Html(option.name) +
                QStringLiteral("</td><td align=\"right\">") + QString::number(option.level) +
                QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

QString MountsLine(const StatCard& card) {
    QStringList mounts;
    for (const std::string& mount : card.freeMounts) {
        mounts << Html(mount);
    }
    return QStringLiteral("<p>") +
           (mounts.isEmpty() ? Tr("None") : mounts.join(QStringLiteral(", "))) +
           QStringLiteral("</p>");
}

// The card laid out for the width of `device`'s page, in the largest type that fits its
// height. Gives the scale at which to paint it: below 1 when even the smallest type is too big.
double LayOut(QTextDocument& document, const QString& html, QPaintDevice& device) {
    const double width = device.width();
    const double height = device.height();
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    // A long word breaks rather than running off the page.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setTextWidth(width);

    for (double points = kLargestPointSize; points >= kSmallestPointSize;
         points -= kPointSizeStep) {
        QFont font = document.defaultFont();
        font.setPointSizeF(points);
        document.setDefaultFont(font);
        document.setHtml(html);
        if (document.size().height() <= height) {
            return 1.0;
        }
    }
    // Still too tall: lay it out wider and paint it smaller, until it fits both ways.
    double scale = 1.0;
    for (int attempt = 0; attempt < 8 && document.size().height() * scale > height; ++attempt) {
        scale = height / document.size().height();
        document.setTextWidth(width / scale);
    }
    return std::min(scale, height / document.size().height());
}

}  // namespace

QString StatCardHtml(const StatCard& card) {
    return QStringLiteral("<html><body>") + StatCardHtmlBody(card) +
           QStringLiteral("</body></html>");
}

QString StatCardHtmlBody(const StatCard& card) {
    QString html;
    if (!card.title.empty()) {
        html += QStringLiteral("<p style=\"font-size: x-large; margin-bottom: 2px;\"><b>") +
                Html(card.title) + QStringLiteral("</b></p>");
    }
    html += QStringLiteral("<p>") + Tr("Frame Type:") + QStringLiteral(" <b>") + Html(card.frame) +
            QStringLiteral("</b></p>");
    html += QStringLiteral(
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" style=\"margin-top: 6px;\"><tr>"
        "<td width=\"42%\" valign=\"top\">");
    html += Heading("Statistics") + StatisticsTable(card);
    html += QStringLiteral("</td><td width=\"4%\"></td><td width=\"54%\" valign=\"top\">");
    html += Heading("Available Mounts") + MountsLine(card);
    html += Heading("Current Options and Modifications") + OptionsTable(card);
    html += QStringLiteral("</td></tr></table>");
    if (!card.description.empty()) {
        html += Heading("Description") + QStringLiteral("<p>") + Html(card.description) +
                QStringLiteral("</p>");
    }
    return html;
}

bool PaintStatCard(const StatCard& card, QPagedPaintDevice& device) {
    QTextDocument document;
    const double scale = LayOut(document, StatCardHtml(card), device);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.scale(scale, scale);
    document.drawContents(&painter, QRectF(QPointF(0, 0), document.size()));
    return painter.end();
}

bool WriteStatCardPdf(const StatCard& card, const QString& path, const QPageSize& paper) {
    QPdfWriter writer(path);
    writer.setPageSize(paper);
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(ToQt(card.title));
    writer.setCreator(QString::fromUtf8(kApplicationTitle));
    return PaintStatCard(card, writer);
}

QPageSize DefaultCardPaper() {
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

void ExportStatCard(const MainWindowModel& model, UserDialogs& dialogs, FileDialogState& dialog) {
    dialog.title = "Export Stat Card";
    dialog.filter = "PDF File|*.pdf";
    dialog.initialFolder = model.currentDir() / "Weapons";
    std::optional<std::filesystem::path> chosen = dialogs.AskSavePath(dialog);
    if (!chosen) {
        return;
    }
    QString path = PathText(*chosen);
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
    }
    if (!WriteStatCardPdf(BuildStatCard(model), path, DefaultCardPaper())) {
        dialogs.ShowMessage("The stat card could not be written to " + FromQt(path) +
                            ". Choose a folder you may write to.");
    }
}

void PrintStatCard(const MainWindowModel& model, UserDialogs& dialogs, QWidget* parent) {
    // Loaded on the first print and kept loaded; a failed load is tried again on the next one.
    static PrintEntry print = nullptr;
    if (!print) {
        QLibrary module(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                        QLatin1String(kPrintModule));
        print = reinterpret_cast<PrintEntry>(module.resolve(kPrintEntry));
        if (!print) {
            dialogs.ShowMessage("The stat card could not be printed: " +
                                FromQt(module.errorString()));
            return;
        }
    }
    const StatCard card = BuildStatCard(model);
    const PrintJob job{
        parent, Tr("Print Stat Card"), ToQt(card.title), DefaultCardPaper(),
        [&card](QPagedPaintDevice& printer) { return PaintStatCard(card, printer); }};
    if (static_cast<PrintOutcome>(print(&job)) == PrintOutcome::Failed) {
        dialogs.ShowMessage("The stat card could not be printed.");
    }
}

void CopyStatBlock(const MainWindowModel& model) {
    const StatCard card = BuildStatCard(model);
    auto* data = new QMimeData;
    data->setText(ToQt(StatBlockText(card)));
    data->setHtml(StatCardHtml(card));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ConnectStatCardEntries(QAction* print, QAction* exportPdf, QAction* copy,
                            const MainWindowModel& model, UserDialogs& dialogs, QWidget* window) {
    QObject::connect(copy, &QAction::triggered, window, [&model] { CopyStatBlock(model); });
    QObject::connect(print, &QAction::triggered, window,
                     [&model, &dialogs, window] { PrintStatCard(model, dialogs, window); });
    auto dialog = std::make_shared<FileDialogState>();
    QObject::connect(exportPdf, &QAction::triggered, window,
                     [&model, &dialogs, dialog] { ExportStatCard(model, dialogs, *dialog); });
}

}  // namespace kalverin
