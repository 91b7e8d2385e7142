#include "qt_support/file_safe_text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kalverin {
namespace {

class TypedQuoteFilter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->text().contains(QLatin1Char('"'))) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QValidator::State FileSafeText::validate(QString& input, int& pos) const {
    QString clean;
    clean.reserve(input.size());
    int cleanPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (c == QLatin1Char('"')) {
            clean += QLatin1Char('\'');
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            clean += QLatin1Char(' ');
            // CR LF is one line break and becomes one blank.
            if (c == QLatin1Char('\r') && i + 1 < input.size() &&
                input[i + 1] == QLatin1Char('\n')) {
                ++i;
                if (i < pos) {
                    --cleanPos;
                }
            }
        } else {
            clean += c;
        }
    }
    input = clean;
    pos = cleanPos;
    return Acceptable;
}

void KeepTextFileSafe(QLineEdit* box) {
    box->setValidator(new FileSafeText(box));
    box->installEventFilter(new TypedQuoteFilter(box));
}

}  // namespace kalverin
