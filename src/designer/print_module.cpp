// The printing module: the print dialog and the printer. Only this module links Qt's printing
// library; the program loads it on the first print.

#include <QPrintDialog>
#include <QPrinter>

#include "designer/print_job.h"

extern "C" Q_DECL_EXPORT int KalverinPrint(const kalverin::PrintJob* job) {
    using kalverin::PrintOutcome;
    QPrinter printer(QPrinter::HighResolution);
    // The dialog offers the printer's own paper; without a printer it prints to a file, on the
    // card's paper for the user's region.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setPageSize(job->paper);
    }
    printer.setDocName(job->documentName);
    QPrintDialog dialog(&printer, job->parent);
    dialog.setWindowTitle(job->dialogTitle);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) {
        return static_cast<int>(PrintOutcome::Cancelled);
    }
    return static_cast<int>(job->paint(printer) ? PrintOutcome::Printed : PrintOutcome::Failed);
}
