#pragma once

// The Qt Check Data window: a plain dialog built from the model's control table. It is not
// modal, so that the report stays in view while the files are mended; "Check Again" reads them
// anew. It has no class of its own: a dialog class would be bound, vtable and all, each time the
// program starts.

class QDialog;
class QWidget;

namespace kalverin {

class CheckDataModel;

// Makes the window over `model`, which outlives it, checks the data folder and shows the report.
// The window deletes itself when closed.
QDialog* MakeCheckData(CheckDataModel& model, QWidget* parent);

}  // namespace kalverin
