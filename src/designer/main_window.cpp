#include "designer/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <utility>

#include "about/about_window.h"
#include "check_data/check_data_model.h"
#include "check_data/check_data_window.h"
#include "designer/compare_window.h"
#include "designer/stat_card_printer.h"
#include "frame_editor/frame_editor_window.h"
#include "kalverin_version.h"
#include "modification_editor/modification_editor_window.h"
#include "qt_support/qt_text.h"
#include "qt_support/window_keys.h"

namespace kalverin {
namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kFolderKey = QStringLiteral("dialog/folder");
const QString kRecentKey = QStringLiteral("recentWeapons");

// The first weapon file of the user's own disks among what is dragged.
std::optional<std::filesystem::path> DraggedWeapon(const QMimeData* data) {
    for (const QUrl& url : data ? data->urls() : QList<QUrl>()) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QStringLiteral(".wpn"), Qt::CaseInsensitive)) {
            return PathFromQt(path);
        }
    }
    return std::nullopt;
}

// The height of a list that shows ten lines, in its own style and font.
int TenLinesHigh(QListWidget* list) {
    list->ensurePolished();
    const QListWidgetItem probe(QStringLiteral("X"), list);
    return 10 * list->sizeHintForRow(0) + 2 * list->frameWidth();
}

}  // namespace

MainWindow::MainWindow(DataInUse& dataFolder, const std::filesystem::path& currentDir,
                       QWidget* parent)
    // Everywhere but the boxes the user types into, the menu shortcuts win.
    : BoundWindow(
          parent,
          [&](UserDialogs& dialogs) { return MainWindowModel(dataFolder, currentDir, dialogs); },
          {.paneStretch = {3, 0, 3},
           .readOnly = ShortcutsOver::Always,
           .typed = ShortcutsOver::Never,
           .shown =
               [this] {
                   if (compare_) {
                       compare_->Refresh();
                   }
               }}),
      settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kalverin"),
                QStringLiteral("kalverin")) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    binder_->Find<QLineEdit>("txtLevel")->setAlignment(Qt::AlignCenter);
    SetUpKeys();
    ConnectWindowEntries();
    model_.KeepRecentWeaponsIn(*this);
    if (const QString folder = settings_.value(kFolderKey).toString(); !folder.isEmpty()) {
        model_.cdbSaveAs.initialFolder = PathFromQt(folder);
    }
    setAcceptDrops(true);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->acceptDrops()) {
            child->installEventFilter(this);
        }
    }

    // Where the window was when it was last closed, once the settings hold it; the default
    // place below measures the whole window, which a restored one need not.
    if (restoreGeometry(settings_.value(kGeometryKey).toByteArray())) {
        return;
    }
    // The window opens tall enough for both option lists to show ten lines; it may be made
    // smaller, and the lists take the height it grows by.
    QListWidget* lists[] = {binder_->Find<QListWidget>("lstChooseMod"),
                            binder_->Find<QListWidget>("lstCurrentMod")};
    for (QListWidget* list : lists) {
        list->setMinimumHeight(TenLinesHigh(list));
    }
    QSize size = sizeHint().expandedTo(QSize(589, 379));
    for (QListWidget* list : lists) {
        list->setMinimumHeight(0);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        size = size.boundedTo(area.size());
        resize(size);
        move(area.center() - QPoint(width() / 2, height() / 2));
    } else {
        resize(size);
    }
}

void MainWindow::SetUpKeys() {
    // Esc empties the filter. It has no clear button: under X11 the button's icon is looked up
    // in the desktop's icon theme before the first paint, which costs as much as the rest of the
    // window's start.
    auto* filter = binder_->Find<QLineEdit>("txtFilter");
    new QShortcut(QKeySequence(Qt::Key_Escape), filter, filter, &QLineEdit::clear,
                  Qt::WidgetShortcut);
    // Undo and Redo go by the design's steps in the boxes the user types into too, whose own
    // undo would otherwise take their keys.
    const QList<QKeySequence> history =
        binder_->Action("mnuUndo")->shortcuts() + binder_->Action("mnuRedo")->shortcuts();
    for (const Control<MainWindowModel>& c : MainWindowModel::Controls()) {
        if (c.kind == ControlKind::Box || c.kind == ControlKind::TextArea) {
            LetMenuShortcutsThrough(binder_->Widget(c.name), history);
        }
    }
}

MainWindow::~MainWindow() {
    // The Check Data window goes before the model it shows, not with the other children after;
    // the binder goes before the recovery and the windows the model's events reach, which go
    // before the model.
    delete checkData_;
    delete std::exchange(binder_, nullptr);
}

void MainWindow::Start() {
    model_.Load();
    Refresh();
    if (recovery_) {
        recovery_->OfferLeft();
        Refresh();
    }
}

void MainWindow::KeepDesignIn(const std::filesystem::path& folder, std::string name,
                              std::function<void()> firstChange) {
    recovery_ = std::make_unique<DesignRecovery>(model_, dialogs_, folder, std::move(name));
    recoveryTimer_.setSingleShot(true);
    model_.WhenChanged([this, firstChange = std::move(firstChange)]() mutable {
        if (firstChange) {
            std::exchange(firstChange, nullptr)();
        }
        recovery_->Changed(DesignRecovery::Clock::now());
        recoveryTimer_.start(DesignRecovery::kDelay);
    });
    // A timer may run out a little early; it is then set again for what is left.
    connect(&recoveryTimer_, &QTimer::timeout, this, [this] {
        if (auto left = recovery_->KeepIfDue(DesignRecovery::Clock::now())) {
            recoveryTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(*left));
        }
    });
}

void MainWindow::KeepDesignNow() {
    if (recovery_) {
        recovery_->Keep();
    }
}

void MainWindow::OpenWeaponFile(const std::filesystem::path& path) {
    model_.OpenWeaponFile(path);
    Refresh();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* drag = static_cast<QDropEvent*>(event);
    const std::optional<std::filesystem::path> weapon = DraggedWeapon(drag->mimeData());
    if (!weapon) {
        // Dragged text still goes into the box under it.
        return QMainWindow::eventFilter(watched, event);
    }
    drag->acceptProposedAction();
    if (type == QEvent::Drop) {
        OpenWeaponFile(*weapon);
    }
    return true;
}

std::vector<std::filesystem::path> MainWindow::Read() {
    std::vector<std::filesystem::path> paths;
    for (const QString& path : settings_.value(kRecentKey).toStringList()) {
        paths.push_back(PathFromQt(path));
    }
    return paths;
}

void MainWindow::Write(const std::vector<std::filesystem::path>& paths) {
    QStringList list;
    for (const std::filesystem::path& path : paths) {
        list << PathText(path);
    }
    settings_.setValue(kRecentKey, list);
}

void MainWindow::ListRecentWeapons() {
    QAction* recent = binder_->Action("mnuOpenRecent");
    QMenu* menu = recent->menu();
    menu->clear();
    int number = 0;
    for (const std::filesystem::path& path : model_.RecentWeapons()) {
        // Its number is the entry's access key; an ampersand of the path shows as it is.
        const QString shown = PathText(path).replace(QLatin1Char('&'), QStringLiteral("&&"));
        connect(menu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(shown)),
                &QAction::triggered, this, [this, path] { OpenWeaponFile(path); });
    }
    recent->setEnabled(number > 0);
}

void MainWindow::EndRun() {
    settings_.setValue(kGeometryKey, saveGeometry());
    if (!model_.cdbSaveAs.fileName.empty()) {
        settings_.setValue(kFolderKey, PathText(model_.cdbSaveAs.fileName.parent_path()));
    }
    if (recovery_) {
        recovery_->Drop();
    }
}

void MainWindow::ConnectWindowEntries() {
    connect(binder_->Action("mnuExit"), &QAction::triggered, this, [this] {
        EndRun();
        QApplication::exit(0);
    });
    QMenu* recent = binder_->Action("mnuOpenRecent")->menu();
    connect(qobject_cast<QMenu*>(recent->parentWidget()), &QMenu::aboutToShow, this,
            [this] { ListRecentWeapons(); });
    connect(binder_->Action("mnuFrames"), &QAction::triggered, this, [this] { ShowFrameEditor(); });
    connect(binder_->Action("mnuModifications"), &QAction::triggered, this,
            [this] { ShowModifications(); });
    connect(binder_->Action("mnuCheckData"), &QAction::triggered, this,
            [this] { ShowCheckData(); });
    // An editor's first save on an install's data makes the user's own copy.
    connect(menuBar()->findChild<QMenu*>(QStringLiteral("mnuManage")), &QMenu::aboutToShow, this,
            [this] {
                model_.FollowDataFolder();
                Refresh();
            });
    connect(binder_->Action("mnuAbout"), &QAction::triggered, this, [this] { ShowAbout(); });
    connect(binder_->Action("mnuCompare"), &QAction::triggered, this, [this] { CompareWith(); });
    ConnectStatCardEntries(binder_->Action("mnuPrintCard"), binder_->Action("mnuExportCard"),
                           binder_->Action("mnuCopyStatBlock"), model_, dialogs_, this);
}

void MainWindow::ShowFrameEditor() {
    if (!frmEditFrame_) {
        frmEditFrame_ = new FrameEditorWindow(model_.data(), this);
        frmEditFrame_->Start();
    }
    frmEditFrame_->show();
    frmEditFrame_->activateWindow();
}

void MainWindow::ShowModifications() {
    // Loaded at its first showing; "Exit" only hides it, so the next showing finds it as it was.
    if (!modifications_) {
        modifications_ = std::make_unique<ModificationEditorWindow>(model_.data(), this);
        modifications_->Load();
    }
    modifications_->exec();
    if (modifications_->closedByTitleBar()) {
        // Unloaded: the next showing reads the data files afresh.
        modifications_.reset();
    }
}

void MainWindow::ShowCheckData() {
    if (checkData_) {
        // Asked for again, it checks again, as Check Again does.
        checkData_->findChild<QPushButton*>(QStringLiteral("cmdCheck"))->click();
    } else {
        checkDataModel_ = std::make_unique<CheckDataModel>(model_.data());
        checkData_ = MakeCheckData(*checkDataModel_, this);
    }
    checkData_->show();
    checkData_->raise();
    checkData_->activateWindow();
}

void MainWindow::ShowAbout() {
    if (!about_) {
        about_ = new About(this);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::CompareWith() {
    // The window open keeps the file it compares with when the user cancels.
    CompareWindow* compare = compare_ ? compare_.data() : new CompareWindow(model_, this);
    if (!compare->ChooseFile()) {
        if (!compare_) {
            delete compare;
        }
        return;
    }
    compare_ = compare;
    compare->show();
    compare->raise();
    compare->activateWindow();
}

}  // namespace kalverin
