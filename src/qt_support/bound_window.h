#pragma once

// The shell of a window bound to its model: the model made over the window's message boxes, its
// control table built and bound by a WindowBinder, the panes and the menu bar put in place, and
// Refresh. The window adds only what is its own.

#include <QAction>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>
#include <type_traits>
#include <utility>

#include "qt_support/widget_dialogs.h"
#include "qt_support/window_binder.h"

namespace kalverin {

template <typename Base, typename Model>
class BoundWindow : public Base {
  public:
    Model& model() { return model_; }

    // Copies every control of the model to its widget.
    void Refresh() { binder_->Refresh(); }

  protected:
    // `makeModel` makes the model over the dialogs it is given: this window's message boxes.
    template <typename MakeModel>
    BoundWindow(QWidget* parent, MakeModel makeModel, BinderOptions options)
        : Base(parent),
          dialogs_(this),
          model_(makeModel(static_cast<UserDialogs&>(dialogs_))),
          binder_(
              new WindowBinder(this, BindControls(model_, Model::Controls()), std::move(options))) {
        if constexpr (std::is_base_of_v<QMainWindow, Base>) {
            this->setCentralWidget(binder_->body());
            this->setMenuBar(binder_->menuBar());
        } else {
            auto* window = new QVBoxLayout(this);
            window->setMenuBar(binder_->menuBar());
            window->addWidget(binder_->body());
        }
    }
    // The binder goes before the model it runs: the widgets it watches lose the focus as they
    // go, after the model.
    ~BoundWindow() override { delete binder_; }

    // Exit hides the window; its state is kept for the next showing.
    void HideOnExit() {
        QObject::connect(binder_->Action("mnuExit"), &QAction::triggered, this,
                         [this] { this->hide(); });
    }
    // The title bar's close, before the window goes: what the window keeps or notes of it.
    virtual void Closing() {}
    void closeEvent(QCloseEvent* event) override {
        Closing();
        Base::closeEvent(event);
    }

    WidgetDialogs dialogs_;
    Model model_;
    WindowBinder* binder_;
};

}  // namespace kalverin
