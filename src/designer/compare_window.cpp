#include "designer/compare_window.h"

#include <QVBoxLayout>

#include "qt_support/qt_text.h"
#include "qt_support/window_binder.h"

namespace kalverin {

CompareWindow::CompareWindow(const MainWindowModel& design, QWidget* parent)
    : QDialog(parent), dialogs_(this), model_(design, dialogs_) {
    setObjectName(QStringLiteral("Compare"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    binder_ = new WindowBinder(this, BindControls(model_, CompareModel::Controls()),
                               {.paneStretch = {1}});
    auto* window = new QVBoxLayout(this);
    window->addWidget(binder_->body());
}

CompareWindow::~CompareWindow() {
    delete binder_;
}

bool CompareWindow::ChooseFile() {
    if (!model_.ChooseFile()) {
        return false;
    }
    setWindowTitle(tr("Compare With %1").arg(ToQt(model_.fileName())));
    binder_->Refresh();
    return true;
}

void CompareWindow::Refresh() {
    model_.Compare();
    binder_->Refresh();
}

}  // namespace kalverin
