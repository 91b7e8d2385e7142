#pragma once

// A chooser whose list picks run a procedure while what is typed into it only changes its text.

#include <QObject>
#include <functional>

class QComboBox;

namespace kalverin {

// Runs `picked` with the entry's index when the user picks an entry of the combo box's open
// list, by a click or by Enter. The wheel and the arrow keys over the closed box pick nothing
// (the arrow keys open the list). Qt also reports a typed text that matches an entry as a pick
// when Enter is pressed or the box loses focus; that is typing, and runs nothing.
void ConnectListPick(QComboBox* combo, QObject* context, std::function<void(int)> picked);

}  // namespace kalverin
