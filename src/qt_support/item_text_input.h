#pragma once

// Texts in the data files stand between double quotes with nothing escaped, so they can hold
// neither a double quote nor a line break. These boxes keep the user from entering either: a
// typed double quote is ignored, a pasted or dropped one becomes a single quote, and a pasted
// line break becomes a blank.

#include <QPlainTextEdit>
#include <QString>

class QLineEdit;

namespace kalverin {

// The text with every double quote made a single quote and every line break a blank.
QString ToItemText(const QString& text);

// Lets `box` take only texts the files can hold.
void KeepToItemText(QLineEdit* box);

// A box for a long text: it wraps the text instead of taking line breaks, and Tab moves on to
// the next control.
class ItemTextEdit final : public QPlainTextEdit {
  public:
    explicit ItemTextEdit(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace kalverin
