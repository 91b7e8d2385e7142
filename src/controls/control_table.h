#pragma once

// A window described once: each control's name, caption, kind, the model's mirror of it, its
// place, and the procedures its events run. The Qt binder builds the window from this table and
// the tests drive the model through it, so both see the same window.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "controls/controls.h"

namespace kalverin {

enum class ControlKind : std::uint8_t {
    Chooser,       // a combo box that also takes typing; a pick from its list runs `picked`
    List,          // a list box: a click runs `clicked`, a double click `doubleClicked`
    Button,        // runs `pressed`
    Box,           // a single-line box the user types into
    ReadOnlyBox,   // a single-line box only the program writes
    TextArea,      // a multi-line box the user types into
    Check,         // a check box, ticked or cleared by the user or the program
    Label,         // a text only the program writes
    Heading,       // a caption over several controls; its access key goes to the next control
    Picture,       // the program's picture
    Rule,          // an etched line across the window
    Group,         // a framed group; the controls of pane `opens` stand inside it
    Menu,          // a menu of the menu bar
    MenuEntry,     // an entry of the menu last listed above it; runs `pressed`
    Submenu,       // a menu inside the menu last listed above it, whose entries the window makes
    ReadOnlyArea,  // a multi-line box only the program writes
};

// Whether a control of this kind stands in a menu of the menu bar, and takes its access key
// among that menu's entries.
constexpr bool InMenu(ControlKind kind) {
    return kind == ControlKind::MenuEntry || kind == ControlKind::Submenu;
}

// Where a caption stands: over its control, to its left (in the grid column before the
// control's), or on the control itself (buttons, check boxes, groups, headings, menus).
enum class CaptionAt : std::uint8_t { Above, Beside, On };

// A cell of a pane's grid. Panes 0, 1, ... stand side by side across the window, unless a group
// opens them.
struct Place {
    std::int8_t pane = 0;
    std::int8_t row = 0;
    std::int8_t column = 0;
    std::int8_t rowSpan = 1;
    std::int8_t columnSpan = 1;
    CaptionAt caption = CaptionAt::Above;
    std::int16_t width = 0;  // a fixed width in pixels; 0 leaves it to the layout
    bool grows = false;      // its row takes the height the window has to spare
};

// A box that a model keeps among others, as the modification editor keeps its level boxes.
template <typename Model>
struct IndexedBox {
    TextBox& (Model::*box)(int);
    int index;
};

template <typename Model>
using Mirror = std::variant<std::monostate, TextBox Model::*, ComboBox Model::*, ListBox Model::*,
                            Button Model::*, CheckBox Model::*, IndexedBox<Model>>;

// What came to a control or left it: the keyboard's focus, or the pointer resting on it.
enum class Heed : std::uint8_t { FocusIn, FocusOut, PointerIn, PointerOut };

template <typename Model>
struct Events {
    void (Model::*picked)() = nullptr;         // a chooser's entry picked from its list
    void (Model::*clicked)(int) = nullptr;     // a list line clicked or chosen, from 0
    void (Model::*doubleClicked)() = nullptr;  // a list line double-clicked, after its click
    void (Model::*pressed)() = nullptr;        // a button pressed, a menu entry chosen
    void (Model::*changed)() = nullptr;        // a box's text changed by the user's typing
    void (Model::*deleted)() = nullptr;        // Delete pressed on a list's chosen line
    // The focus or the pointer came to the control named or left it.
    void (Model::*heeded)(std::string_view, Heed) = nullptr;
};

template <typename Model>
struct Control {
    std::string_view name;     // the widget's object name, as the model names its mirror
    std::string_view caption;  // with '&' before its access key; empty when it has none
    ControlKind kind;
    Mirror<Model> mirror = {};
    Place place = {};
    Events<Model> on = {};
    std::string_view shortcut = {};  // a menu entry's keys, as "Ctrl+S"
    // What assistive tools call a control whose caption does not say what it is: the level
    // buttons' "+" is "Raise Level".
    std::string_view accessibleName = {};
    std::int8_t opens = -1;  // the pane a group frames
    // What the control named is and shows, at more length than its caption: its tooltip, and
    // its description for assistive tools. Asked again whenever the window is shown anew.
    std::string_view (Model::*describe)(std::string_view) const = nullptr;
};

// A control of a window tied to one model: its mirror found and its events ready to run.
struct BoundControl {
    std::string_view name;
    std::string_view caption;
    ControlKind kind;
    Place place;
    std::string_view shortcut;
    std::string_view accessibleName;
    std::int8_t opens;
    TextBox* text = nullptr;
    ComboBox* combo = nullptr;
    ListBox* list = nullptr;
    Button* button = nullptr;
    CheckBox* check = nullptr;
    std::function<void()> picked;
    std::function<void(int)> clicked;
    std::function<void()> doubleClicked;
    std::function<void()> pressed;
    std::function<void()> changed;
    std::function<void()> deleted;
    std::function<void(Heed)> heeded;
    std::function<std::string_view()> description;

    // Whether the user can move the focus to it.
    bool TakesFocus() const;
    // Whether the user types into it.
    bool TakesTyping() const;
};

template <typename Model>
std::vector<BoundControl> BindControls(Model& model, std::span<const Control<Model>> table) {
    std::vector<BoundControl> bound;
    bound.reserve(table.size());
    for (const Control<Model>& control : table) {
        BoundControl b{control.name,     control.caption,        control.kind, control.place,
                       control.shortcut, control.accessibleName, control.opens};
        std::visit(
            [&](auto member) {
                using Member = decltype(member);
                if constexpr (std::is_same_v<Member, TextBox Model::*>) {
                    b.text = &(model.*member);
                } else if constexpr (std::is_same_v<Member, ComboBox Model::*>) {
                    b.combo = &(model.*member);
                } else if constexpr (std::is_same_v<Member, ListBox Model::*>) {
                    b.list = &(model.*member);
                } else if constexpr (std::is_same_v<Member, Button Model::*>) {
                    b.button = &(model.*member);
                } else if constexpr (std::is_same_v<Member, CheckBox Model::*>) {
                    b.check = &(model.*member);
                } else if constexpr (std::is_same_v<Member, IndexedBox<Model>>) {
                    b.text = &(model.*member.box)(member.index);
                }
            },
            control.mirror);
        if (auto run = control.on.picked) {
            b.picked = [&model, run] { (model.*run)(); };
        }
        if (auto run = control.on.clicked) {
            b.clicked = [&model, run](int line) { (model.*run)(line); };
        }
        if (auto run = control.on.doubleClicked) {
            b.doubleClicked = [&model, run] { (model.*run)(); };
        }
        if (auto run = control.on.pressed) {
            b.pressed = [&model, run] { (model.*run)(); };
        }
        if (auto run = control.on.changed) {
            b.changed = [&model, run] { (model.*run)(); };
        }
        if (auto run = control.on.deleted) {
            b.deleted = [&model, run] { (model.*run)(); };
        }
        if (auto run = control.on.heeded) {
            b.heeded = [&model, run, name = control.name](Heed heed) { (model.*run)(name, heed); };
        }
        if (auto describe = control.describe) {
            b.description = [&model, describe, name = control.name] {
                return (model.*describe)(name);
            };
        }
        bound.push_back(std::move(b));
    }
    return bound;
}

// The caption without its access-key marker, as it is shown: "S&ave As" shows "Save As".
std::string ShownCaption(std::string_view caption);
// The access key a caption carries, in upper case; 0 when it carries none.
char AccessKeyOf(std::string_view caption);

}  // namespace kalverin
