#pragma once

// Builds a window's widgets from its control table, sends the user's events to the model and
// shows the model's controls again after each one. Every window of the program is bound by it.

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_table.h"

class QAction;
class QMenuBar;
class QWidget;

namespace kalverin {

// When the menu shortcuts win over a box's own use of the same keys (Ctrl+A, Ctrl+X).
enum class ShortcutsOver : std::uint8_t { Never, Always, WithoutSelection };

struct BinderOptions {
    // How wide each pane across the window grows, from pane 0.
    std::vector<int> paneStretch;
    // For read-only boxes and choosers, and for the boxes the user types into.
    ShortcutsOver readOnly = ShortcutsOver::Never;
    ShortcutsOver typed = ShortcutsOver::Never;
    // Runs whenever the window has shown the model anew, or the user ticked a box or typed into
    // a chooser: another window that shows the same model follows it.
    std::function<void()> shown;
};

class WindowBinder final : public QObject {
  public:
    WindowBinder(QWidget* window, std::vector<BoundControl> controls, BinderOptions options);

    // The panes side by side, for the window's central widget or layout.
    QWidget* body() const { return body_; }
    // The menu bar the table's menus make; nothing when it has none. The window takes it.
    QMenuBar* menuBar() const { return menuBar_; }

    // Copies every control of the model to its widget.
    void Refresh();

    QWidget* Widget(std::string_view name) const;
    template <typename Widget>
    Widget* Find(std::string_view name) const {
        return qobject_cast<Widget*>(this->Widget(name));
    }
    QAction* Action(std::string_view name) const;

  private:
    struct Bound {
        BoundControl control;
        QWidget* widget = nullptr;
        QAction* action = nullptr;
    };

    void Build(QWidget* window, const BinderOptions& options);
    QWidget* MakeWidget(Bound& bound);
    void Connect(Bound& bound);
    void HeadPanes();
    void SetShortcutPolicy(const BinderOptions& options);
    void SetTabOrder();
    // Runs a user event on the model, then shows the result.
    template <typename Event>
    void Run(Event event);
    // Tells the model of typing into a box that wants to know of it.
    void Typed(const BoundControl& c);
    // Tells the window's followers that the model changed.
    void Shown() const;

    std::vector<Bound> bound_;
    std::function<void()> shown_;
    QWidget* body_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
};

}  // namespace kalverin
