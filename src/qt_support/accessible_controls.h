#pragma once

// How assistive tools see two kinds of the program's controls, where Qt's own account is wrong:
// a chooser is announced by its caption, with the entry it shows as its value, and a read-only
// box is read-only, never editable.

class QComboBox;
class QLineEdit;

namespace kalverin {

void AnnounceAsChooser(QComboBox* chooser);
void AnnounceAsReadOnly(QLineEdit* box);

}  // namespace kalverin
