// The limit Kalverin's start is measured against: what any Qt program with Kalverin's main window
// costs. A bare QMainWindow with the same widgets, layouts, captions and menus, its icon set as a
// careful Qt program sets one (PNG files at the sizes desktops use, on the application), the same
// Qt libraries loaded, and nothing else: no data read, no model. It ends right after its first
// paint.

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

// Every caption carries an access key, as the window's own do; which letter does not change the
// cost.
const char* const kStatistics[] = {
    "&Power",     "&Damage", "&Weight", "&Mode", "&Concealability", "&Ammo Capacity",
    "Ammo &Load", "&Recoil", "&FCU",    "D&PV",  "Mar&k-Up",        "Final Pr&ice",
};
const char* const kMounts[] = {"&Barrel Mount", "&Top Mount", "&Large Under Mount",
                               "&Small Under Mount"};

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

// A caption over or beside `box`, whose access key moves the focus to it.
QLabel* Caption(const char* text, QWidget* box) {
    auto* label = new QLabel(Text(text));
    label->setBuddy(box);
    return label;
}

QWidget* Widgets() {
    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);

    auto* left = new QVBoxLayout;
    for (const char* caption : {"Frame &Type", "Option &Classes"}) {
        auto* combo = new QComboBox;
        combo->setEditable(true);
        left->addWidget(Caption(caption, combo));
        left->addWidget(combo);
    }
    auto* options = new QListWidget;
    left->addWidget(Caption("&Options", options));
    left->addWidget(options, 1);
    left->addWidget(new QPushButton(Text("A&dd")));
    auto* installed = new QListWidget;
    left->addWidget(Caption("C&urrent Options and Modifications", installed));
    auto* lower = new QHBoxLayout;
    lower->addWidget(installed, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(new QPushButton(Text("+")));
    buttons->addWidget(new QLineEdit);
    buttons->addWidget(new QPushButton(Text("-")));
    lower->addLayout(buttons);
    left->addLayout(lower, 1);
    columns->addLayout(left, 3);

    auto* middle = new QGridLayout;
    int row = 0;
    for (const char* caption : kStatistics) {
        auto* box = new QLineEdit;
        middle->addWidget(Caption(caption, box), row, 0);
        middle->addWidget(box, row, 1);
        ++row;
    }
    columns->addLayout(middle, 2);

    auto* right = new QVBoxLayout;
    auto* group = new QGroupBox(Text("Available Mounts"));
    auto* checks = new QVBoxLayout(group);
    for (const char* mount : kMounts) {
        checks->addWidget(new QCheckBox(Text(mount)));
    }
    auto* name = new QLineEdit;
    right->addWidget(Caption("Firearm &Name", name));
    right->addWidget(name);
    auto* description = new QPlainTextEdit;
    right->addWidget(Caption("D&escription", description));
    right->addWidget(description, 1);
    right->addWidget(group);
    columns->addLayout(right, 3);
    return central;
}

void Menus(QMenuBar* bar) {
    struct Entry {
        const char* caption;
        QKeySequence keys;
    };
    const std::pair<const char*, std::vector<Entry>> menus[] = {
        {"&File",
         {{"&New Weapon", Qt::CTRL | Qt::Key_N},
          {"&Open Old Weapon", Qt::CTRL | Qt::Key_O},
          {"S&ave As", Qt::CTRL | Qt::Key_A},
          {"&Print Stat Card...", Qt::CTRL | Qt::Key_P},
          {"&Export Stat Card...", Qt::CTRL | Qt::Key_E},
          {"E&xit", Qt::CTRL | Qt::Key_X}}},
        {"&Manage Data", {{"&Frames", {}}, {"&Modifications", {}}, {"&Reload Data", {}}}},
        {"&Help", {{"A&bout", Qt::CTRL | Qt::Key_B}}},
    };
    for (const auto& [title, entries] : menus) {
        QMenu* menu = bar->addMenu(Text(title));
        for (const Entry& entry : entries) {
            menu->addAction(Text(entry.caption))->setShortcut(entry.keys);
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
    window.setCentralWidget(Widgets());
    Menus(window.menuBar());
    window.resize(589, 379);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
    kalverin::QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
