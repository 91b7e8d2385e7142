#pragma once

// The one call between the program and its printing module. The module holds everything that
// needs Qt's printing library, so that library is loaded on the first print and not at start.

#include <QPageSize>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace kalverin {

enum class PrintOutcome { Printed, Cancelled, Failed };

// One print: the print dialog over `parent`, then `paint` on the printer the user chose.
struct PrintJob {
    QWidget* parent = nullptr;
    QString dialogTitle;
    QString documentName;
    QPageSize paper;  // for a print to a file; a printer offers its own paper
    std::function<bool(QPagedPaintDevice&)> paint;
};

// The module's entry point, found by the name kPrintEntry: takes a PrintJob and gives its
// PrintOutcome as an int.
using PrintEntry = int (*)(const PrintJob*);
inline constexpr char kPrintEntry[] = "KalverinPrint";
// The module's file, beside the program, without the platform's prefix and suffix.
inline constexpr char kPrintModule[] = "kalverin_print";

}  // namespace kalverin
