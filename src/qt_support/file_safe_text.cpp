#include "qt_support/file_safe_text.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QValidator>
#include <algorithm>

namespace kalverin {
namespace {

bool IsLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
           c == QChar::LineSeparator;
}

// A key that would type a double quote or a line break.
bool TypesUnsafeText(const QKeyEvent* key) {
    const QString text = key->text();
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           text.contains(QLatin1Char('"')) || std::any_of(text.begin(), text.end(), IsLineBreak);
}

// Typed text without its double quotes and line breaks.
QString WithoutUnsafeText(QString text) {
    text.removeIf([](QChar c) { return c == QLatin1Char('"') || IsLineBreak(c); });
    return text;
}

class UnsafeKeysFilter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && TypesUnsafeText(static_cast<QKeyEvent*>(event))) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Whatever reaches the line box by other ways than a key, a paste above all, is made safe.
class FileSafeValidator final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        QString before = input.left(pos);
        QString safeBefore = FileSafeText(before);
        input = safeBefore + FileSafeText(input.mid(pos));
        pos = static_cast<int>(safeBefore.size());
        return Acceptable;
    }
};

}  // namespace

QString FileSafeText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : text) {
        if (c == QLatin1Char('"')) {
            c = QLatin1Char('\'');
        } else if (IsLineBreak(c)) {
            c = QLatin1Char(' ');
        }
    }
    return text;
}

void KeepFileSafe(QLineEdit* box) {
    box->installEventFilter(new UnsafeKeysFilter(box));
    box->setValidator(new FileSafeValidator(box));
}

FileSafeTextEdit::FileSafeTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void FileSafeTextEdit::keyPressEvent(QKeyEvent* event) {
    if (TypesUnsafeText(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void FileSafeTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Text composed by an input method counts as typed.
    QString typed = WithoutUnsafeText(event->commitString());
    if (typed == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent safe(event->preeditString(), event->attributes());
    safe.setCommitString(typed, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&safe);
}

void FileSafeTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) {
        return;
    }
    QMimeData safe;
    safe.setText(FileSafeText(source->text()));
    QPlainTextEdit::insertFromMimeData(&safe);
}

}  // namespace kalverin
