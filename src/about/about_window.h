#pragma once

// The Qt About window: built from the model's control table, it shows the model's caption and
// labels and sends "System Info" to it. It is shown not modal and is discarded when closed.

#include <QDialog>
#include <memory>

#include "about/about_model.h"

namespace kalverin {

class WindowBinder;

class About final : public QDialog {
    Q_OBJECT

  public:
    // Looks for the system-information tool on this machine.
    explicit About(QWidget* parent = nullptr);
    // Looks for it through `registry` and `starter` and shows its message through `dialogs`.
    About(QWidget* parent, Registry& registry, ProgramStarter& starter, UserDialogs& dialogs);
    ~About() override;

    AboutModel& model() { return *model_; }

  private:
    void BuildWidgets();

    // This machine's registry, starter and message boxes, when none are given.
    std::unique_ptr<Registry> ownRegistry_;
    std::unique_ptr<ProgramStarter> ownStarter_;
    std::unique_ptr<UserDialogs> ownDialogs_;
    std::unique_ptr<AboutModel> model_;
    WindowBinder* binder_ = nullptr;
};

}  // namespace kalverin
