#pragma once

// The stat card on paper: laid out with Qt's rich text on one page, written to a PDF file or
// sent to a printer, or copied to the clipboard; and the menu entries that do it.

#include <QList>
#include <QPageSize>
#include <QString>

#include "controls/user_dialogs.h"

class QAction;
class QMenu;
class QPagedPaintDevice;
class QWidget;

namespace kalverin {

struct StatCard;
class MainWindowModel;

// The card as rich text for a QTextDocument; every text of the design is escaped.
QString StatCardHtml(const StatCard& card);
// The same without the document around it, for a page that holds several cards.
QString StatCardHtmlBody(const StatCard& card);

// Paints the card on the current page of `device`, in smaller type when it would not fit the
// page otherwise. False when the device cannot be painted on (a file that cannot be written).
bool PaintStatCard(const StatCard& card, QPagedPaintDevice& device);

// Writes the card as a PDF file of one page; false when the file cannot be written.
bool WriteStatCardPdf(const StatCard& card, const QString& path, const QPageSize& paper);

// Letter where the user's region measures in inches, A4 elsewhere.
QPageSize DefaultCardPaper();

// "Export Stat Card...": asks for a PDF file, by default in the Weapons folder, and writes the
// card of the design there. `dialog` keeps the dialog's settings between exports.
void ExportStatCard(const MainWindowModel& model, UserDialogs& dialogs, FileDialogState& dialog);

// "Print Stat Card...": the print dialog, then the card of the design on the chosen printer.
// The printing module beside the program does both; it is loaded on the first print.
void PrintStatCard(const MainWindowModel& model, UserDialogs& dialogs, QWidget* parent);

// "Copy Stat Block": the card on the clipboard as plain text (StatBlockText), for a chat, and
// as rich text, for editors that take it.
void CopyStatBlock(const MainWindowModel& model);

// Makes "Print Stat Card...", "Export Stat Card..." and "Copy Stat Block" print, export and copy
// the model's design.
void ConnectStatCardEntries(QAction* print, QAction* exportPdf, QAction* copy,
                            const MainWindowModel& model, UserDialogs& dialogs, QWidget* window);

}  // namespace kalverin
