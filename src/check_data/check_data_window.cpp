#include "check_data/check_data_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "check_data/check_data_model.h"
#include "qt_support/window_binder.h"

namespace kalverin {

QDialog* MakeCheckData(CheckDataModel& model, QWidget* parent) {
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("CheckData"));
    window->setWindowTitle(QCoreApplication::translate("Kalverin", "Check Data"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* binder = new WindowBinder(window, BindControls(model, CheckDataModel::Controls()), {});
    (new QVBoxLayout(window))->addWidget(binder->body());
    auto* close = binder->Find<QPushButton>("cmdClose");
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    // Wide enough for most report lines to fit on one line or two.
    window->resize(720, 400);
    model.CheckData();
    binder->Refresh();
    return window;
}

}  // namespace kalverin
