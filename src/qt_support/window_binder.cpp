#include "qt_support/window_binder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <memory>

#include "qt_support/accessible_controls.h"
#include "qt_support/control_view.h"
#include "qt_support/item_text_input.h"
#include "qt_support/list_pick.h"
#include "qt_support/qt_text.h"
#include "qt_support/window_keys.h"

namespace kalverin {
namespace {

QString Translated(std::string_view text) {
    const std::string source(text);
    return QCoreApplication::translate("Kalverin", source.c_str());
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Tells of the focus and the pointer coming to a widget and leaving it. Owned by the binder, so
// that nothing is told once the binder and its model are gone.
class HeedFilter final : public QObject {
  public:
    HeedFilter(QObject* binder, QWidget* widget, std::function<void(Heed)> heeded)
        : QObject(binder), heeded_(std::move(heeded)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        constexpr std::pair<QEvent::Type, Heed> kHeeds[] = {{QEvent::FocusIn, Heed::FocusIn},
                                                            {QEvent::FocusOut, Heed::FocusOut},
                                                            {QEvent::Enter, Heed::PointerIn},
                                                            {QEvent::Leave, Heed::PointerOut}};
        for (const auto& [type, heed] : kHeeds) {
            if (event->type() == type) {
                heeded_(heed);
            }
        }
        return false;
    }

  private:
    std::function<void(Heed)> heeded_;
};

// The widget's tooltip and its description for assistive tools, as plain text however it
// reads; set only when it changed.
void Describe(QWidget* widget, std::string_view description) {
    const QString text = ToQt(description);
    if (widget->accessibleDescription() != text) {
        widget->setAccessibleDescription(text);
        widget->setToolTip(text.isEmpty() ? QString() : Qt::convertFromPlainText(text));
    }
}

}  // namespace

WindowBinder::WindowBinder(QWidget* window, std::vector<BoundControl> controls,
                           BinderOptions options)
    : QObject(window), shown_(options.shown) {
    bound_.reserve(controls.size());
    for (BoundControl& control : controls) {
        bound_.push_back({std::move(control)});
    }
    Build(window, options);
    SetShortcutPolicy(options);
    SetTabOrder();
}

template <typename Event>
void WindowBinder::Run(Event event) {
    event();
    Refresh();
}

void WindowBinder::Typed(const BoundControl& c) {
    if (c.changed) {
        Run(c.changed);
    }
}

QWidget* WindowBinder::MakeWidget(Bound& bound) {
    const BoundControl& c = bound.control;
    const QString caption = Translated(c.caption);
    QWidget* widget = nullptr;
    switch (c.kind) {
        case ControlKind::Chooser: {
            auto* combo = new QComboBox;
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            AnnounceAsChooser(combo);
            widget = combo;
            break;
        }
        case ControlKind::List:
            widget = new QListWidget;
            break;
        case ControlKind::Button: {
            auto* button = new QPushButton(caption);
            // Enter in a box must not press a button behind the user's back.
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case ControlKind::Box: {
            auto* box = new QLineEdit;
            // What is typed goes into files, which cannot carry every text.
            KeepToItemText(box);
            widget = box;
            break;
        }
        case ControlKind::ReadOnlyBox: {
            auto* box = new QLineEdit;
            // Announced before it is made read-only, which asks for its interface already.
            AnnounceAsReadOnly(box);
            box->setReadOnly(true);
            widget = box;
            break;
        }
        case ControlKind::TextArea:
            widget = new ItemTextEdit;
            break;
        case ControlKind::ReadOnlyArea: {
            auto* area = new QPlainTextEdit;
            area->setReadOnly(true);
            widget = area;
            break;
        }
        case ControlKind::Check:
            widget = new QCheckBox(caption);
            break;
        case ControlKind::Label:
        case ControlKind::Picture:
            widget = new QLabel;
            break;
        case ControlKind::Heading:
            widget = new QLabel(caption);
            break;
        case ControlKind::Rule: {
            // A sunken line draws the etched rule: a dark line with a light one beneath it.
            auto* rule = new QFrame;
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Sunken);
            AnnounceAsRule(rule);
            widget = rule;
            break;
        }
        case ControlKind::Group:
            widget = new QGroupBox(caption);
            break;
        case ControlKind::Menu:
        case ControlKind::MenuEntry:
        case ControlKind::Submenu:
            return nullptr;
    }
    widget->setObjectName(Latin(c.name));
    if (c.kind == ControlKind::ReadOnlyBox || c.kind == ControlKind::ReadOnlyArea) {
        // On the window's own colour, so that it does not look like a box to type into.
        QPalette palette = widget->palette();
        palette.setBrush(QPalette::Base, palette.window());
        widget->setPalette(palette);
    }
    if (c.place.width > 0) {
        widget->setFixedWidth(c.place.width);
    }
    if (!c.accessibleName.empty()) {
        widget->setAccessibleName(Translated(c.accessibleName));
    } else if (!c.caption.empty()) {
        widget->setAccessibleName(Translated(ShownCaption(c.caption)));
    }
    return widget;
}

void WindowBinder::Build(QWidget* window, const BinderOptions& options) {
    std::map<int, QGridLayout*> panes;
    auto pane = [&panes](int index) {
        QGridLayout*& grid = panes[index];
        if (grid == nullptr) {
            grid = new QGridLayout;
        }
        return grid;
    };
    std::vector<int> opened;
    QMenu* menu = nullptr;
    for (Bound& b : bound_) {
        const BoundControl& c = b.control;
        if (c.kind == ControlKind::Menu) {
            if (menuBar_ == nullptr) {
                menuBar_ = new QMenuBar(window);
            }
            menu = menuBar_->addMenu(Translated(c.caption));
            menu->setObjectName(Latin(c.name));
            continue;
        }
        if (c.kind == ControlKind::Submenu) {
            QMenu* submenu = menu->addMenu(Translated(c.caption));
            submenu->setObjectName(Latin(c.name));
            b.action = submenu->menuAction();
            b.action->setObjectName(Latin(c.name));
            continue;
        }
        if (c.kind == ControlKind::MenuEntry) {
            b.action = menu->addAction(Translated(c.caption));
            b.action->setObjectName(Latin(c.name));
            b.action->setShortcuts(QKeySequence::listFromString(Latin(c.shortcut)));
            if (c.pressed) {
                connect(b.action, &QAction::triggered, this,
                        [this, &c] { Run([&] { c.pressed(); }); });
            }
            continue;
        }
        b.widget = MakeWidget(b);
        const Place& at = c.place;
        QGridLayout* grid = pane(at.pane);
        const bool captioned = !c.caption.empty() && at.caption != CaptionAt::On;
        QLabel* label = captioned ? new QLabel(Translated(c.caption)) : nullptr;
        if (label) {
            label->setBuddy(b.widget);
        }
        if (label && at.caption == CaptionAt::Beside) {
            grid->addWidget(label, at.row, at.column);
            grid->addWidget(b.widget, at.row, at.column + 1, at.rowSpan, at.columnSpan);
        } else if (label) {
            auto* above = new QVBoxLayout;
            above->addWidget(label);
            above->addWidget(b.widget, 1);
            grid->addLayout(above, at.row, at.column, at.rowSpan, at.columnSpan);
        } else {
            grid->addWidget(b.widget, at.row, at.column, at.rowSpan, at.columnSpan);
        }
        if (at.grows) {
            grid->setRowStretch(at.row, 1);
        }
        if (c.kind == ControlKind::Group) {
            static_cast<QGroupBox*>(b.widget)->setLayout(pane(c.opens));
            opened.push_back(c.opens);
        }
        Connect(b);
    }

    HeadPanes();

    body_ = new QWidget(window);
    auto* columns = new QHBoxLayout(body_);
    for (auto [index, grid] : panes) {
        // Controls stand at the top of a pane that has no row to grow.
        bool grows = false;
        for (int row = 0; row < grid->rowCount(); ++row) {
            grows = grows || grid->rowStretch(row) > 0;
        }
        if (!grows) {
            grid->setRowStretch(grid->rowCount(), 1);
        }
        if (std::find(opened.begin(), opened.end(), index) != opened.end()) {
            continue;
        }
        const auto slot = static_cast<std::size_t>(index);
        columns->addLayout(grid, slot < options.paneStretch.size() ? options.paneStretch[slot] : 0);
    }
}

void WindowBinder::HeadPanes() {
    for (const Bound& heading : bound_) {
        if (heading.control.kind != ControlKind::Heading) {
            continue;
        }
        // A heading heads the controls below it in its pane: its access key goes to the first of
        // them, and assistive tools tell of it with each.
        auto* label = static_cast<QLabel*>(heading.widget);
        label->setBuddy(nullptr);
        const Place& at = heading.control.place;
        for (const Bound& b : bound_) {
            if (b.widget && b.control.TakesFocus() && b.control.place.pane == at.pane &&
                b.control.place.row > at.row) {
                if (!label->buddy()) {
                    label->setBuddy(b.widget);
                }
                b.widget->setAccessibleDescription(
                    Translated(ShownCaption(heading.control.caption)));
            }
        }
    }
}

void WindowBinder::Connect(Bound& b) {
    BoundControl& c = b.control;
    if (c.heeded) {
        new HeedFilter(this, b.widget, [this, &c](Heed heed) { Run([&] { c.heeded(heed); }); });
    }
    switch (c.kind) {
        case ControlKind::Chooser: {
            auto* combo = static_cast<QComboBox*>(b.widget);
            ComboBox* mirror = c.combo;
            // Typing changes the chooser's text only; a pick from its list runs its procedure.
            connect(combo, &QComboBox::editTextChanged, this, [this, mirror](const QString& text) {
                mirror->text = FromQt(text);
                Shown();
            });
            ConnectListPick(combo, this, [this, combo, mirror, &c](int index) {
                Run([&] {
                    mirror->text = FromQt(combo->itemText(index));
                    if (c.picked) {
                        c.picked();
                    }
                });
            });
            break;
        }
        case ControlKind::List: {
            auto* list = static_cast<QListWidget*>(b.widget);
            // A line is chosen when it is selected: by a click, by the keys that move through the
            // list, by Space, or by an assistive tool. Reaching the list gives its first line the
            // focus frame without selecting it, and chooses nothing. A click on the line already
            // chosen chooses it again.
            auto choose = [this, &c](int line) {
                if (line >= 0 && c.clicked) {
                    Run([&] { c.clicked(line); });
                }
            };
            connect(list, &QListWidget::itemSelectionChanged, this, [list, choose] {
                const QList<QListWidgetItem*> selected = list->selectedItems();
                if (!selected.isEmpty()) {
                    choose(list->row(selected.front()));
                }
            });
            connect(list, &QListWidget::itemClicked, this,
                    [list, choose](QListWidgetItem* item) { choose(list->row(item)); });
            // Return on the line with the focus frame does what a click on it does, then what a
            // double click does.
            auto enter = [this, list, choose, &c] {
                choose(list->currentRow());
                if (c.doubleClicked) {
                    Run([&] { c.doubleClicked(); });
                }
            };
            for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
                new QShortcut(QKeySequence(key), list, enter, Qt::WidgetShortcut);
            }
            if (c.doubleClicked) {
                connect(list, &QListWidget::itemDoubleClicked, this,
                        [this, &c] { Run([&] { c.doubleClicked(); }); });
            }
            if (c.deleted) {
                new QShortcut(
                    QKeySequence(Qt::Key_Delete), list, [this, &c] { Run([&] { c.deleted(); }); },
                    Qt::WidgetShortcut);
            }
            break;
        }
        case ControlKind::Button:
            if (c.pressed) {
                connect(static_cast<QPushButton*>(b.widget), &QPushButton::clicked, this,
                        [this, &c] { Run([&] { c.pressed(); }); });
            }
            break;
        case ControlKind::Box: {
            TextBox* mirror = c.text;
            connect(static_cast<QLineEdit*>(b.widget), &QLineEdit::textChanged, this,
                    [this, mirror, &c](const QString& text) {
                        mirror->text = FromQt(text);
                        Typed(c);
                    });
            break;
        }
        case ControlKind::TextArea: {
            auto* area = static_cast<QPlainTextEdit*>(b.widget);
            TextBox* mirror = c.text;
            connect(area, &QPlainTextEdit::textChanged, this, [this, area, mirror, &c] {
                mirror->text = FromQt(area->toPlainText());
                Typed(c);
            });
            break;
        }
        case ControlKind::Check: {
            CheckBox* mirror = c.check;
            connect(static_cast<QCheckBox*>(b.widget), &QCheckBox::stateChanged, this,
                    [this, mirror](int state) {
                        mirror->value =
                            static_cast<std::int16_t>(state == Qt::Checked            ? 1
                                                      : state == Qt::PartiallyChecked ? 2
                                                                                      : 0);
                        Shown();
                    });
            break;
        }
        default:
            break;
    }
}

void WindowBinder::SetShortcutPolicy(const BinderOptions& options) {
    QList<QKeySequence> shortcuts;
    for (const Bound& b : bound_) {
        if (b.action) {
            shortcuts << b.action->shortcuts();
        }
    }
    if (shortcuts.isEmpty()) {
        return;
    }
    for (const Bound& b : bound_) {
        const ControlKind kind = b.control.kind;
        const bool readOnly = kind == ControlKind::ReadOnlyBox ||
                              kind == ControlKind::ReadOnlyArea || kind == ControlKind::Chooser;
        const bool typed = kind == ControlKind::Box || kind == ControlKind::TextArea;
        const ShortcutsOver policy =
            readOnly ? options.readOnly : (typed ? options.typed : ShortcutsOver::Never);
        if (policy == ShortcutsOver::Always) {
            LetMenuShortcutsThrough(b.widget, shortcuts);
            if (auto* combo = qobject_cast<QComboBox*>(b.widget); combo && combo->lineEdit()) {
                LetMenuShortcutsThrough(combo->lineEdit(), shortcuts);
            }
        } else if (policy == ShortcutsOver::WithoutSelection) {
            LetMenuShortcutsThroughWithoutSelection(b.widget, shortcuts);
        }
    }
}

void WindowBinder::SetTabOrder() {
    QWidget* previous = nullptr;
    for (const Bound& b : bound_) {
        if (!b.widget || !b.control.TakesFocus()) {
            continue;
        }
        if (previous) {
            QWidget::setTabOrder(previous, b.widget);
        }
        previous = b.widget;
    }
}

void WindowBinder::Refresh() {
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (const Bound& b : bound_) {
        if (b.widget) {
            blockers.push_back(std::make_unique<QSignalBlocker>(b.widget));
        }
    }
    for (const Bound& b : bound_) {
        const BoundControl& c = b.control;
        switch (c.kind) {
            case ControlKind::Chooser:
                ShowCombo(static_cast<QComboBox*>(b.widget), *c.combo);
                break;
            case ControlKind::List:
                ShowList(static_cast<QListWidget*>(b.widget), *c.list);
                break;
            case ControlKind::Button:
                if (c.button) {
                    b.widget->setEnabled(c.button->enabled);
                }
                break;
            case ControlKind::Box:
            case ControlKind::ReadOnlyBox:
                ShowText(static_cast<QLineEdit*>(b.widget), *c.text);
                if (c.description) {
                    Describe(b.widget, c.description());
                }
                break;
            case ControlKind::TextArea:
            case ControlKind::ReadOnlyArea:
                ShowText(static_cast<QPlainTextEdit*>(b.widget), *c.text);
                break;
            case ControlKind::MenuEntry:
                if (c.button) {
                    b.action->setEnabled(c.button->enabled);
                }
                break;
            case ControlKind::Check:
                ShowCheck(static_cast<QCheckBox*>(b.widget), *c.check);
                break;
            case ControlKind::Label:
                if (c.text) {
                    static_cast<QLabel*>(b.widget)->setText(ToQt(c.text->text));
                }
                break;
            default:
                break;
        }
    }
    Shown();
}

void WindowBinder::Shown() const {
    if (shown_) {
        shown_();
    }
}

QWidget* WindowBinder::Widget(std::string_view name) const {
    for (const Bound& b : bound_) {
        if (b.control.name == name) {
            return b.widget;
        }
    }
    return nullptr;
}

QAction* WindowBinder::Action(std::string_view name) const {
    for (const Bound& b : bound_) {
        if (b.control.name == name) {
            return b.action;
        }
    }
    return nullptr;
}

}  // namespace kalverin
