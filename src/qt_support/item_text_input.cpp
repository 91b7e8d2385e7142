#include "qt_support/item_text_input.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QValidator>

namespace kalverin {
namespace {

bool IsLineBreak(QChar c) {
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

bool TypesDoubleQuote(const QKeyEvent* key) {
    return key->text().contains(u'"');
}

// Pasted and dropped texts reach a line edit through its validator, which may change them.
class ItemTextValidator final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        QString before = ToItemText(input.left(pos));
        QString after = ToItemText(input.mid(pos));
        pos = static_cast<int>(before.size());
        input = before + after;
        return Acceptable;
    }
};

// Typed double quotes never reach the box.
class DoubleQuoteKeyFilter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && TypesDoubleQuote(static_cast<QKeyEvent*>(event))) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QString ToItemText(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'"') {
            result += u'\'';
        } else if (IsLineBreak(c)) {
            // CR LF is one line break, and becomes one blank.
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            result += u' ';
        } else {
            result += c;
        }
    }
    return result;
}

void KeepToItemText(QLineEdit* box) {
    box->setValidator(new ItemTextValidator(box));
    box->installEventFilter(new DoubleQuoteKeyFilter(box));
}

ItemTextEdit::ItemTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
}

void ItemTextEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        TypesDoubleQuote(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ItemTextEdit::insertFromMimeData(const QMimeData* source) {
    // Only plain text is taken; the files hold nothing else.
    if (source->hasText()) {
        insertPlainText(ToItemText(source->text()));
    }
}

}  // namespace kalverin
