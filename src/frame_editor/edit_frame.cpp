#include "frame_editor/edit_frame.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

#include "qt_support/control_view.h"
#include "qt_support/item_text_input.h"
#include "qt_support/keyboard_access.h"
#include "qt_support/list_pick.h"
#include "qt_support/qt_text.h"
#include "qt_support/window_keys.h"

namespace kalverin {

EditFrame::EditFrame(const std::filesystem::path& programDir, QWidget* parent, UserDialogs* dialogs,
                     FileStore& files)
    : QMainWindow(parent),
      widgetDialogs_(this),
      model_(programDir, dialogs ? *dialogs : widgetDialogs_, files) {
    setObjectName(QStringLiteral("EditFrame"));
    setWindowTitle(tr("Change Forms"));
    // While the editor is shown the main window takes no input.
    setWindowModality(Qt::ApplicationModal);
    BuildWidgets();
    BuildMenus();
    SetKeyboardAccess();
    ConnectEvents();
    resize(460, 300);
}

EditFrame::~EditFrame() = default;

void EditFrame::Start() {
    model_.LoadFrameTable();
    Refresh();
}

void EditFrame::BuildWidgets() {
    auto* central = new QWidget;
    auto* rows = new QVBoxLayout(central);

    cmbChooseFrame_ = new QComboBox;
    cmbChooseFrame_->setObjectName(QStringLiteral("cmbChooseFrame"));
    cmbChooseFrame_->setEditable(true);
    cmbChooseFrame_->setInsertPolicy(QComboBox::NoInsert);
    // The chooser has no caption; assistive tools read this name.
    cmbChooseFrame_->setAccessibleName(tr("Frame to edit"));
    rows->addWidget(cmbChooseFrame_);

    // Name and statistics on the left, load, mounts, FCU and DPV on the right.
    auto* grid = new QGridLayout;
    const std::span<const FrameBox> boxes = FrameBoxes();
    const int leftRows = 7;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        auto* widget = new QLineEdit;
        widget->setObjectName(QString::fromLatin1(boxes[i].name));
        KeepToItemText(widget);
        QLabel* caption = CaptionFor(tr(boxes[i].caption), widget);
        const int row = static_cast<int>(i) % leftRows;
        const int column = static_cast<int>(i) < leftRows ? 0 : 2;
        grid->addWidget(caption, row, column);
        grid->addWidget(widget, row, column + 1);
        boxes_.push_back({widget, boxes[i].box});
    }
    rows->addLayout(grid);
    rows->addStretch();
    setCentralWidget(central);
}

void EditFrame::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuSave_ = file->addAction(tr("&Save Frames"));
    mnuSave_->setObjectName(QStringLiteral("mnuSave"));
    mnuSave_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuExit_ = file->addAction(tr("E&xit"));
    mnuExit_->setObjectName(QStringLiteral("mnuExit"));
    mnuExit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    // Every control here takes typing, and Ctrl+X there cuts selected text; with nothing
    // selected it leaves the editor, so Exit stays within reach of the keyboard.
    const QList<QKeySequence> exitKeys = {mnuExit_->shortcut()};
    LetMenuShortcutsThroughWithoutSelection(cmbChooseFrame_, exitKeys);
    for (const FieldBox& box : boxes_) {
        LetMenuShortcutsThroughWithoutSelection(box.widget, exitKeys);
    }
}

void EditFrame::SetKeyboardAccess() {
    QList<QWidget*> order = {cmbChooseFrame_};
    for (const FieldBox& box : boxes_) {
        order << box.widget;
    }
    // Down the left column of boxes, then down the right one.
    SetTabOrder(order);
    AssignAccessKeys(this, order);
}

template <typename Procedure>
void EditFrame::Run(Procedure procedure) {
    procedure();
    Refresh();
}

void EditFrame::ConnectEvents() {
    connect(mnuSave_, &QAction::triggered, this,
            [this] { Run([this] { model_.SaveAndReload(); }); });
    connect(mnuExit_, &QAction::triggered, this, [this] { hide(); });

    // Typing into the chooser changes its text only; a pick from its list chooses the frame.
    connect(cmbChooseFrame_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { model_.cmbChooseFrame.text = FromQt(text); });
    ConnectListPick(cmbChooseFrame_, this, [this](int index) {
        model_.cmbChooseFrame.text = FromQt(cmbChooseFrame_->itemText(index));
        Run([this] { model_.ChooseEditedFrame(); });
    });
    for (const FieldBox& box : boxes_) {
        connect(box.widget, &QLineEdit::textChanged, this,
                [this, box](const QString& text) { (model_.*box.box).text = FromQt(text); });
    }
}

void EditFrame::Refresh() {
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    blockers.push_back(std::make_unique<QSignalBlocker>(cmbChooseFrame_));
    for (const FieldBox& box : boxes_) {
        blockers.push_back(std::make_unique<QSignalBlocker>(box.widget));
    }
    ShowCombo(cmbChooseFrame_, model_.cmbChooseFrame);
    for (const FieldBox& box : boxes_) {
        ShowText(box.widget, model_.*box.box);
    }
}

}  // namespace kalverin
