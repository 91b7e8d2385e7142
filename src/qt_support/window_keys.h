#pragma once

#include <QKeySequence>
#include <QList>

class QWidget;

namespace kalverin {

// A read-only or chooser box would otherwise take Ctrl+A or Ctrl+X for itself; this lets the
// window's menu shortcuts through. Boxes the user types into keep their editing keys.
void LetMenuShortcutsThrough(QWidget* box, const QList<QKeySequence>& shortcuts);

// For a box the user types into (a line edit or an editable combo box): while it has selected
// text its editing keys win, so Ctrl+X cuts; with nothing selected the menu shortcuts go through.
void LetMenuShortcutsThroughWithoutSelection(QWidget* box, const QList<QKeySequence>& shortcuts);

}  // namespace kalverin
