// The limit Kalverin's start is measured against: a bare QMainWindow with the widgets, layouts
// and menus of the main window, and nothing else, ended right after its first paint.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt_support/first_paint.h"

namespace {

constexpr int kStatistics = 12;

QWidget* Widgets() {
    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);

    auto* left = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* combo = new QComboBox;
        combo->setEditable(true);
        left->addWidget(new QLabel(QStringLiteral("Chooser")));
        left->addWidget(combo);
    }
    left->addWidget(new QLabel(QStringLiteral("List")));
    left->addWidget(new QListWidget, 1);
    left->addWidget(new QPushButton(QStringLiteral("Add")));
    left->addWidget(new QLabel(QStringLiteral("List")));
    auto* lower = new QHBoxLayout;
    lower->addWidget(new QListWidget, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(new QPushButton(QStringLiteral("+")));
    buttons->addWidget(new QLineEdit);
    buttons->addWidget(new QPushButton(QStringLiteral("-")));
    lower->addLayout(buttons);
    left->addLayout(lower, 1);
    columns->addLayout(left, 3);

    auto* middle = new QGridLayout;
    for (int row = 0; row < kStatistics; ++row) {
        middle->addWidget(new QLabel(QStringLiteral("Statistic")), row, 0);
        middle->addWidget(new QLineEdit, row, 1);
    }
    columns->addLayout(middle, 2);

    auto* right = new QVBoxLayout;
    auto* group = new QGroupBox(QStringLiteral("Group"));
    auto* checks = new QVBoxLayout(group);
    for (int i = 0; i < 4; ++i) {
        checks->addWidget(new QCheckBox(QStringLiteral("Check")));
    }
    right->addWidget(new QLabel(QStringLiteral("Name")));
    right->addWidget(new QLineEdit);
    right->addWidget(new QLabel(QStringLiteral("Text")));
    right->addWidget(new QPlainTextEdit, 1);
    right->addWidget(group);
    columns->addLayout(right, 3);
    return central;
}

void Menus(QMenuBar* bar) {
    const int entries[] = {6, 3, 1};
    for (int entryCount : entries) {
        QMenu* menu = bar->addMenu(QStringLiteral("Menu"));
        for (int i = 0; i < entryCount; ++i) {
            menu->addAction(QStringLiteral("Entry"));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(Widgets());
    Menus(window.menuBar());
    window.resize(589, 379);
    kalverin::QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
