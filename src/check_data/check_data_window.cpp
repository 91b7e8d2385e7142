#include "check_data/check_data_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "qt_support/window_binder.h"

namespace kalverin {

CheckData::CheckData(const std::filesystem::path& dataFolder, QWidget* parent)
    : QDialog(parent), model_(dataFolder) {
    setObjectName(QStringLiteral("CheckData"));
    setWindowTitle(tr("Check Data"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    binder_ = new WindowBinder(this, BindControls(model_, CheckDataModel::Controls()), {});
    auto* window = new QVBoxLayout(this);
    window->addWidget(binder_->body());
    auto* close = binder_->Find<QPushButton>("cmdClose");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Wide enough for most report lines to fit on one line or two.
    resize(720, 400);
    CheckAgain();
}

CheckData::~CheckData() = default;

void CheckData::CheckAgain() {
    model_.CheckData();
    binder_->Refresh();
}

}  // namespace kalverin
