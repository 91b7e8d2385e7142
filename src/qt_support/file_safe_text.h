#pragma once

// Boxes whose text goes into a file in the item syntax, which can carry neither a double quote
// nor a line break. Typed ones are ignored; pasted or dropped ones become a single quote and a
// space, so that the text the user sees is the text that is saved.

#include <QPlainTextEdit>
#include <QString>

class QLineEdit;

namespace kalverin {

// The text with each double quote made a single quote and each line break a space.
QString FileSafeText(QString text);

// A single-line box keeps its text file-safe from now on.
void KeepFileSafe(QLineEdit* box);

// A multi-line box, word-wrapped for reading, whose text is file-safe.
class FileSafeTextEdit final : public QPlainTextEdit {
  public:
    explicit FileSafeTextEdit(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace kalverin
