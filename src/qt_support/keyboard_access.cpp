#include "qt_support/keyboard_access.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenuBar>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <functional>

namespace kalverin {
namespace {

QString CaptionText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return group->title();
    }
    return {};
}

void SetCaptionText(QWidget* widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    }
}

// The positions an access key may take in `caption`, best first: the first letter of each word,
// then every other letter or digit.
QList<qsizetype> KeyPositions(const QString& caption) {
    QList<qsizetype> initials;
    QList<qsizetype> others;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (!caption[i].isLetterOrNumber()) {
            continue;
        }
        bool startsWord = i == 0 || !caption[i - 1].isLetterOrNumber();
        (startsWord ? initials : others).append(i);
    }
    return initials + others;
}

// The label that captions `control`, or the control itself when it carries its own caption.
QWidget* CaptionOf(QWidget* window, QWidget* control) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == control) {
            return label;
        }
    }
    return control;
}

}  // namespace

QLabel* CaptionFor(const QString& text, QWidget* box) {
    auto* label = new QLabel(text);
    label->setBuddy(box);
    box->setAccessibleName(ShownText(text));
    return label;
}

QChar AccessKeyOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) {
            continue;
        }
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;  // "&&" shows one ampersand
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return {};
}

QString ShownText(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

void AssignAccessKeys(QWidget* window, const QList<QWidget*>& controls) {
    QSet<QChar> menuKeys;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        for (QAction* menu : bar->actions()) {
            menuKeys.insert(AccessKeyOf(menu->text()));
        }
    }
    // Keys that stay where they are: the menus' and those the captions bring along.
    QSet<QChar> fixed = menuKeys;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        fixed.insert(AccessKeyOf(CaptionText(widget)));
    }

    struct Caption {
        QWidget* widget;
        QString text;
        QList<qsizetype> positions;
        qsizetype chosen = -1;
    };
    QList<Caption> captions;
    for (QWidget* control : controls) {
        QWidget* widget = CaptionOf(window, control);
        QString text = CaptionText(widget);
        bool listed =
            std::any_of(captions.begin(), captions.end(),
                        [widget](const Caption& caption) { return caption.widget == widget; });
        if (AccessKeyOf(text).isNull() && !listed) {
            captions.append({widget, text, KeyPositions(text)});
        }
    }
    auto keyAt = [&captions](qsizetype caption, qsizetype position) {
        return captions[caption].text[position].toUpper();
    };

    // Each caption in turn takes a free key; when none of its letters is free, one that holds
    // a key it wants moves to another of its own letters, if it can (a matching by augmenting
    // paths). A later caption thus never leaves an earlier one without a key.
    QHash<QChar, qsizetype> holder;
    std::function<bool(qsizetype, QSet<QChar>&)> place = [&](qsizetype i, QSet<QChar>& seen) {
        for (qsizetype position : captions[i].positions) {
            QChar key = keyAt(i, position);
            if (!fixed.contains(key) && !holder.contains(key)) {
                holder[key] = i;
                captions[i].chosen = position;
                return true;
            }
        }
        // The least wanted holder moves first: the controls listed first keep their keys
        // where they can.
        QList<qsizetype> held;
        for (qsizetype position : captions[i].positions) {
            if (!fixed.contains(keyAt(i, position))) {
                held.append(position);
            }
        }
        std::stable_sort(held.begin(), held.end(), [&](qsizetype a, qsizetype b) {
            return holder.value(keyAt(i, a)) > holder.value(keyAt(i, b));
        });
        for (qsizetype position : held) {
            QChar key = keyAt(i, position);
            if (seen.contains(key)) {
                continue;
            }
            seen.insert(key);
            if (place(holder[key], seen)) {
                holder[key] = i;
                captions[i].chosen = position;
                return true;
            }
        }
        return false;
    };
    for (qsizetype i = 0; i < captions.size(); ++i) {
        QSet<QChar> seen;
        if (place(i, seen)) {
            continue;
        }
        // Every letter is taken: share one with another caption, never with a menu.
        for (qsizetype position : captions[i].positions) {
            if (!menuKeys.contains(keyAt(i, position))) {
                captions[i].chosen = position;
                break;
            }
        }
    }

    for (const Caption& caption : captions) {
        if (caption.chosen >= 0) {
            SetCaptionText(caption.widget, caption.text.left(caption.chosen) + QLatin1Char('&') +
                                               caption.text.mid(caption.chosen));
        }
    }
}

void SetTabOrder(const QList<QWidget*>& widgets) {
    for (qsizetype i = 1; i < widgets.size(); ++i) {
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
    }
}

}  // namespace kalverin
