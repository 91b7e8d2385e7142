#pragma once

// How assistive tools see three kinds of the program's controls, where Qt's own account is wrong:
// a chooser is announced by its caption, with the entry it shows as its value and its entries as
// a list inside it; a read-only box is read-only, never editable; a rule is a separator.

class QComboBox;
class QFrame;
class QLineEdit;

namespace kalverin {

void AnnounceAsChooser(QComboBox* chooser);
void AnnounceAsReadOnly(QLineEdit* box);
void AnnounceAsRule(QFrame* rule);

}  // namespace kalverin
