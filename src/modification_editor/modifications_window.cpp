#include "modification_editor/modifications_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <iterator>
#include <memory>

#include "qt_support/control_view.h"
#include "qt_support/item_text_input.h"
#include "qt_support/keyboard_access.h"
#include "qt_support/list_pick.h"
#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

QString LevelBoxName(int column) {
    return QStringLiteral("Text%1").arg(column);
}

// The keyboard focus order, by control name; the level boxes Text1 to Text14 come after txtDPV.
const char* const kFocusBeforeLevels[] = {
    "txtModType", "txtModification", "txtMount1", "txtMount2",  "txtMount3",
    "txtPower",   "txtDamage",       "txtMode",   "txtConceal", "txtCapacity",
    "txtLoad",    "txtWeight",       "txtRecoil", "txtFCU",     "txtDPV",
};
const char* const kFocusAfterLevels[] = {
    "cmbChooseClass", "lstChooseMod", "cmdSave", "txtMarkup", "txtDetails",
};

}  // namespace

Modifications::Modifications(const std::filesystem::path& programDir, QWidget* parent)
    : QDialog(parent), dialogs_(this), model_(programDir, dialogs_) {
    setObjectName(QStringLiteral("Modifications"));
    setWindowTitle(tr("Modifications"));
    BuildWidgets();
    BuildMenus();
    SetFocusOrder();
    ConnectEvents();
    resize(780, 540);
}

Modifications::~Modifications() = default;

void Modifications::Load() {
    model_.Load();
    Refresh();
}

QLineEdit* Modifications::AddBox(const QString& name, TextBox& box) {
    auto* widget = new QLineEdit;
    widget->setObjectName(name);
    KeepToItemText(widget);
    boxes_.emplace_back(widget, &box);
    return widget;
}

void Modifications::AddBeside(QGridLayout* grid, const QString& caption, QWidget* box, int row,
                              int column) {
    grid->addWidget(CaptionFor(caption, box), row, column);
    grid->addWidget(box, row, column + 1);
}

void Modifications::BuildWidgets() {
    auto* columns = new QHBoxLayout(this);

    // Left column: the class chooser and its options, then the modification's type, name and
    // mounts.
    auto* left = new QVBoxLayout;
    cmbChooseClass_ = Named(new QComboBox, "cmbChooseClass");
    cmbChooseClass_->setEditable(true);
    cmbChooseClass_->setInsertPolicy(QComboBox::NoInsert);
    lstChooseMod_ = Named(new QListWidget, "lstChooseMod");
    QLineEdit* modType = AddBox(QStringLiteral("txtModType"), model_.txtModType);
    QLineEdit* modification = AddBox(QStringLiteral("txtModification"), model_.txtModification);
    left->addWidget(CaptionFor(tr("Option Classes"), cmbChooseClass_));
    left->addWidget(cmbChooseClass_);
    left->addWidget(CaptionFor(tr("Options"), lstChooseMod_));
    left->addWidget(lstChooseMod_, 1);
    left->addWidget(CaptionFor(tr("Mod Type"), modType));
    left->addWidget(modType);
    left->addWidget(CaptionFor(tr("Modification"), modification));
    left->addWidget(modification);
    auto* mounts = new QGridLayout;
    AddBeside(mounts, tr("Mount 1"), AddBox(QStringLiteral("txtMount1"), model_.txtMount1), 0, 0);
    AddBeside(mounts, tr("Mount 2"), AddBox(QStringLiteral("txtMount2"), model_.txtMount2), 1, 0);
    AddBeside(mounts, tr("Mount 3"), AddBox(QStringLiteral("txtMount3"), model_.txtMount3), 2, 0);
    left->addLayout(mounts);
    columns->addLayout(left, 3);

    // Middle column: the save button above the statistics.
    auto* middle = new QVBoxLayout;
    cmdSave_ = Named(new QPushButton(tr("Save Changes")), "cmdSave");
    // Enter in a box must not save behind the user's back.
    cmdSave_->setAutoDefault(false);
    middle->addWidget(cmdSave_);
    auto* stats = new QGridLayout;
    const std::pair<const char*, const char*> statBoxes[] = {
        {QT_TR_NOOP("Power"), "txtPower"},
        {QT_TR_NOOP("Damage"), "txtDamage"},
        {QT_TR_NOOP("Mode"), "txtMode"},
        {QT_TR_NOOP("Concealability"), "txtConceal"},
        {QT_TR_NOOP("Ammo Capacity"), "txtCapacity"},
        {QT_TR_NOOP("Ammo Load"), "txtLoad"},
        {QT_TR_NOOP("Weight"), "txtWeight"},
        {QT_TR_NOOP("Recoil"), "txtRecoil"},
        {QT_TR_NOOP("FCU"), "txtFCU"},
        {QT_TR_NOOP("DPV"), "txtDPV"},
        {QT_TR_NOOP("Mark-Up"), "txtMarkup"},
    };
    TextBox* const statModel[] = {
        &model_.txtPower,    &model_.txtDamage, &model_.txtMode,   &model_.txtConceal,
        &model_.txtCapacity, &model_.txtLoad,   &model_.txtWeight, &model_.txtRecoil,
        &model_.txtFCU,      &model_.txtDPV,    &model_.txtMarkup,
    };
    for (int row = 0; row < static_cast<int>(std::size(statBoxes)); ++row) {
        const auto& [caption, name] = statBoxes[row];
        QLineEdit* box = AddBox(QString::fromLatin1(name), *statModel[row]);
        box->setMaximumWidth(120);
        AddBeside(stats, tr(caption), box, row, 0);
    }
    middle->addLayout(stats);
    middle->addStretch();
    columns->addLayout(middle, 2);

    // Right column: the details, then the fourteen maximum levels in two columns of seven.
    auto* right = new QVBoxLayout;
    txtDetails_ = Named(new ItemTextEdit, "txtDetails");
    txtDetails_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    right->addWidget(CaptionFor(tr("Modification Details"), txtDetails_));
    right->addWidget(txtDetails_, 1);
    auto* levels = new QGridLayout;
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        QLineEdit* box = AddBox(LevelBoxName(j), model_.Text(j));
        box->setMaximumWidth(48);
        const int half = kEditorFrameColumns / 2;
        AddBeside(levels, tr(ModificationEditorModel::FrameCaption(j)), box, (j - 1) % half,
                  j <= half ? 0 : 2);
    }
    right->addWidget(new QLabel(tr("Maximum Level by Frame")));
    right->addLayout(levels);
    columns->addLayout(right, 3);
}

void Modifications::BuildMenus() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuSave_ = Named(file->addAction(tr("&Save")), "mnuSave");
    mnuExit_ = Named(file->addAction(tr("E&xit")), "mnuExit");
}

void Modifications::SetFocusOrder() {
    QList<QWidget*> order;
    for (const char* name : kFocusBeforeLevels) {
        order << findChild<QWidget*>(QString::fromLatin1(name));
    }
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        order << findChild<QWidget*>(LevelBoxName(j));
    }
    for (const char* name : kFocusAfterLevels) {
        order << findChild<QWidget*>(QString::fromLatin1(name));
    }
    SetTabOrder(order);
    // The class chooser, the options and the save button get the free access keys first.
    AssignAccessKeys(this, QList<QWidget*>{cmbChooseClass_, lstChooseMod_, cmdSave_} + order);
}

template <typename Procedure>
void Modifications::Run(Procedure procedure) {
    procedure();
    Refresh();
}

void Modifications::ConnectEvents() {
    ConnectListPick(cmbChooseClass_, this, [this](int index) {
        Run([&] { model_.ChooseClass(FromQt(cmbChooseClass_->itemText(index))); });
    });
    connect(cmbChooseClass_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { model_.cmbChooseClass.text = FromQt(text); });
    // A click chooses an entry even when it is the selected one already; the arrow keys choose
    // the entry they move to.
    connect(lstChooseMod_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            Run([&] { model_.ChooseModification(row); });
        }
    });
    connect(lstChooseMod_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Run([&] { model_.ChooseModification(lstChooseMod_->row(item)); });
    });
    connect(cmdSave_, &QPushButton::clicked, this,
            [this] { Run([this] { model_.SaveChanges(); }); });
    connect(mnuSave_, &QAction::triggered, this, [this] { Run([this] { model_.SaveChanges(); }); });
    connect(mnuExit_, &QAction::triggered, this, [this] { hide(); });

    // What the user types flows into the model as it is typed.
    for (auto [widget, box] : boxes_) {
        connect(widget, &QLineEdit::textEdited, this,
                [box](const QString& text) { box->text = FromQt(text); });
    }
    connect(txtDetails_, &QPlainTextEdit::textChanged, this,
            [this] { model_.txtDetails.text = FromQt(txtDetails_->toPlainText()); });
}

void Modifications::Refresh() {
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* widget :
         {static_cast<QWidget*>(cmbChooseClass_), static_cast<QWidget*>(lstChooseMod_),
          static_cast<QWidget*>(txtDetails_)}) {
        blockers.push_back(std::make_unique<QSignalBlocker>(widget));
    }
    ShowCombo(cmbChooseClass_, model_.cmbChooseClass);
    ShowList(lstChooseMod_, model_.lstChooseMod);
    for (auto [widget, box] : boxes_) {
        ShowText(widget, *box);
    }
    ShowText(txtDetails_, model_.txtDetails);
}

void Modifications::closeEvent(QCloseEvent* event) {
    closedByTitleBar_ = true;
    QDialog::closeEvent(event);
}

}  // namespace kalverin
