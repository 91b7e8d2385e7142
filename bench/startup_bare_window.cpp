// The limit Kalverin's start is measured against: what any Qt program with Kalverin's main window
// costs. A bare QMainWindow with the same widgets in the same grids, the same captions, menus and
// shortcuts, read-only boxes on the window's colour, opening at the same size (both option lists
// ten lines high) and its icon set as a careful Qt program sets one (PNG files at the sizes
// desktops use, on the application), the same Qt libraries loaded, and nothing else: no data
// read, no settings, no model. It ends right after its first paint.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "qt_support/first_paint.h"

namespace {

const char* const kStatistics[] = {
    "Po&wer",    "Dama&ge", "Weight", "Mode", "Concealabilit&y", "Ammo Capacity",
    "Ammo Load", "Recoil",  "FCU",    "DP&V", "Mar&k-Up",        "Final Price",
};
const char* const kMounts[] = {"&Barrel Mount", "&Top Mount", "&Large Under Mount",
                               "&Small Under Mount"};
constexpr int kLevelWidth = 72;
constexpr int kStatWidth = 112;

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

// A box the user cannot type into, on the window's colour.
template <typename Box>
Box* ReadOnly(Box* box) {
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setBrush(QPalette::Base, palette.window());
    box->setPalette(palette);
    return box;
}

// `widget` under its caption, whose access key moves the focus to it.
QVBoxLayout* Captioned(const char* caption, QWidget* widget) {
    auto* label = new QLabel(Text(caption));
    label->setBuddy(widget);
    auto* column = new QVBoxLayout;
    column->addWidget(label);
    column->addWidget(widget, 1);
    return column;
}

QWidget* Widgets(QListWidget* (&lists)[2]) {
    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);

    auto* left = new QGridLayout;
    int row = 0;
    for (const char* caption : {"Frame &Type", "Option &Classes"}) {
        auto* combo = new QComboBox;
        combo->setEditable(true);
        left->addLayout(Captioned(caption, combo), row++, 0, 1, 2);
    }
    left->addLayout(Captioned("F&ilter", new QLineEdit), row++, 0, 1, 2);
    lists[0] = new QListWidget;
    left->addLayout(Captioned("&Options", lists[0]), row++, 0, 1, 2);
    left->addWidget(new QPushButton(Text("A&dd")), row++, 0, 1, 2);
    lists[1] = new QListWidget;
    left->addLayout(Captioned("C&urrent Options and Modifications", lists[1]), row, 0, 5, 1);
    QWidget* levels[] = {new QPushButton(Text("+")), ReadOnly(new QLineEdit),
                         new QPushButton(Text("-")), new QPushButton(Text("&Remove"))};
    for (QWidget* level : levels) {
        level->setFixedWidth(kLevelWidth);
        left->addWidget(level, ++row, 1);
    }
    left->setRowStretch(3, 1);
    left->setRowStretch(5, 1);
    columns->addLayout(left, 3);

    auto* middle = new QGridLayout;
    row = 0;
    for (const char* caption : kStatistics) {
        auto* box = ReadOnly(new QLineEdit);
        box->setFixedWidth(kStatWidth);
        auto* label = new QLabel(Text(caption));
        label->setBuddy(box);
        middle->addWidget(label, row, 0);
        middle->addWidget(box, row++, 1);
    }
    middle->setRowStretch(row, 1);
    columns->addLayout(middle, 0);

    auto* right = new QGridLayout;
    right->addLayout(Captioned("Firearm &Name", new QLineEdit), 0, 0);
    right->addLayout(Captioned("&Description", new QPlainTextEdit), 1, 0);
    auto* group = new QGroupBox(Text("Available Mounts"));
    auto* checks = new QGridLayout(group);
    row = 0;
    for (const char* mount : kMounts) {
        checks->addWidget(new QCheckBox(Text(mount)), row++, 0);
    }
    checks->setRowStretch(row, 1);
    right->addWidget(group, 2, 0);
    right->addLayout(Captioned("Details", ReadOnly(new QPlainTextEdit)), 3, 0);
    right->setRowStretch(1, 1);
    right->setRowStretch(3, 1);
    columns->addLayout(right, 3);
    return central;
}

void Menus(QMenuBar* bar) {
    struct Entry {
        const char* caption;
        const char* keys;  // none: a submenu
    };
    const std::pair<const char*, std::vector<Entry>> menus[] = {
        {"&File",
         {{"&New Weapon", "Ctrl+N"},
          {"&Open Old Weapon", "Ctrl+O"},
          {"Open &Recent", nullptr},
          {"Compare &With\u2026", ""},
          {"S&ave As", "Ctrl+A"},
          {"&Print Stat Card...", "Ctrl+P"},
          {"&Export Stat Card...", "Ctrl+E"},
          {"E&xit", "Ctrl+X"}}},
        {"&Edit",
         {{"&Undo", "Ctrl+Z"},
          {"&Redo", "Ctrl+Y; Ctrl+Shift+Z"},
          {"Copy &Stat Block", "Ctrl+Shift+C"}}},
        {"&Manage Data",
         {{"&Frames", ""},
          {"&Modifications", ""},
          {"&Check Data\u2026", ""},
          {"&Reload Data", ""},
          {"&Show Data Folder", ""},
          {"&Use Shipped Data\u2026", ""}}},
        {"&Help", {{"A&bout", "Ctrl+B"}}},
    };
    for (const auto& [title, entries] : menus) {
        QMenu* menu = bar->addMenu(Text(title));
        for (const Entry& entry : entries) {
            if (entry.keys == nullptr) {
                menu->addMenu(Text(entry.caption));
            } else {
                menu->addAction(Text(entry.caption))
                    ->setShortcuts(QKeySequence::listFromString(Text(entry.keys)));
            }
        }
    }
}

QIcon Icon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icon/kalverin-%1.png").arg(side), QSize(side, side));
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalverin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kalverin.Kalverin"));
    QApplication::setWindowIcon(Icon());
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kalverin"));
    QListWidget* lists[2] = {};
    window.setCentralWidget(Widgets(lists));
    Menus(window.menuBar());
    // It opens tall enough for both lists to show ten lines, which may be made smaller after.
    for (QListWidget* list : lists) {
        list->ensurePolished();
        const QListWidgetItem probe(QStringLiteral("X"), list);
        list->setMinimumHeight(10 * list->sizeHintForRow(0) + 2 * list->frameWidth());
    }
    QSize size = window.sizeHint().expandedTo(QSize(589, 379));
    for (QListWidget* list : lists) {
        list->setMinimumHeight(0);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.resize(size.boundedTo(area.size()));
        window.move(area.center() - window.rect().center());
    } else {
        window.resize(size);
    }
    kalverin::QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
