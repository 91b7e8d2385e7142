#pragma once

// Reaching every control from the keyboard: captions that carry access keys and name their
// boxes for assistive tools, and a Tab order given explicitly.

#include <QChar>
#include <QList>
#include <QString>

class QLabel;
class QWidget;

namespace kalverin {

// A caption for `box`: its access key puts the focus in the box, and assistive tools read the
// caption as the box's name.
QLabel* CaptionFor(const QString& text, QWidget* box);

// Gives the caption of each of `controls` (the label whose buddy it is, or the button's or check
// box's own text) an access key that neither the window's menus nor its other captions use,
// on the first letter of a word where one is free. Controls earlier in the list come first:
// a later caption may move an earlier one to another of its letters, never leave it without a
// key. Where a caption's letters are all taken it shares a key with another caption, never with
// a menu: pressing the key again moves on to the next control with it. Captions that carry a
// key keep it, and the shown text stays the same.
void AssignAccessKeys(QWidget* window, const QList<QWidget*>& controls);

// The access key a caption carries (the character after a single '&'), in upper case; a null
// QChar when it carries none.
QChar AccessKeyOf(const QString& caption);
// The caption as it is shown, without its access-key marker.
QString ShownText(const QString& caption);

// Tab moves the focus through `widgets` in this order.
void SetTabOrder(const QList<QWidget*>& widgets);

}  // namespace kalverin
