// Undo and Redo: each step of the design keeps the window as it was before it.

#include <algorithm>
#include <iterator>
#include <tuple>
#include <type_traits>

#include "designer/main_window_model.h"

namespace kalverin {
namespace {

// How many steps Undo goes back at most.
constexpr std::size_t kUndoSteps = 100;

// The boxes whose typing is a step of the design; typed_ follows their order.
constexpr TextBox MainWindowModel::*kTypedBoxes[] = {
    &MainWindowModel::txtFirearm, &MainWindowModel::txtDescription, &MainWindowModel::txtMarkup};

// Calls `take` with each control that shows the design, in the order of the window's table: all
// but the filter, the details and the Undo and Redo entries, which only show.
template <typename Model, typename Take>
void ForEachDesignControl(Model& model, Take take) {
    constexpr std::string_view kOnlyShow[] = {"txtFilter", "txtDetails", "mnuUndo", "mnuRedo"};
    for (const Control<MainWindowModel>& c : MainWindowModel::Controls()) {
        if (std::find(std::begin(kOnlyShow), std::end(kOnlyShow), c.name) != std::end(kOnlyShow)) {
            continue;
        }
        std::visit(
            [&](auto member) {
                if constexpr (std::is_member_object_pointer_v<decltype(member)>) {
                    take(model.*member);
                }
            },
            c.mirror);
    }
}

// Whether the user can tell two moments apart. The working values the rules keep between actions
// (CMN, the legality verdict, the level under consideration, ...) do not count: an action that
// changes only those, as a refusal that claims no mount, is no step.
bool Differ(const DesignState& a, const DesignState& b) {
    auto seen = [](const DesignState& s) {
        const WeaponDesign& d = s.design;
        return std::tie(s.catalogue, s.controls, d.options, d.intModCounter, d.intChooseFrame,
                        d.intFrameNumber, d.intBaseDPV, d.sngMarkUp, d.statistics);
    };
    return seen(a) != seen(b);
}

}  // namespace

MainWindowModel::Step::Step(MainWindowModel& model) : model_(model) {
    if (model_.stepDepth_++ == 0) {
        before_ = model_.Capture();
    }
}

MainWindowModel::Step::~Step() {
    if (--model_.stepDepth_ > 0) {
        return;
    }
    if (Differ(*before_, model_.Capture())) {
        model_.Record(std::move(*before_));
    }
    model_.Settle();
}

DesignState MainWindowModel::Capture() const {
    DesignState state{design_, catalogue_, listedClass_, {}};
    ForEachDesignControl(*this,
                         [&state](const auto& control) { state.controls.emplace_back(control); });
    return state;
}

void MainWindowModel::Restore(DesignState state) {
    design_ = std::move(state.design);
    catalogue_ = std::move(state.catalogue);
    listedClass_ = std::move(state.listedClass);
    auto next = state.controls.begin();
    ForEachDesignControl(*this, [&next](auto& control) {
        control = std::get<std::remove_cvref_t<decltype(control)>>(std::move(*next++));
    });
}

void MainWindowModel::Record(DesignState before) {
    undo_.push_back(std::move(before));
    if (undo_.size() > kUndoSteps) {
        undo_.pop_front();
    }
    redo_.clear();
}

void MainWindowModel::Settle() {
    typingIn_ = -1;
    shownFrame_ = cmbChooseFrame.text;
    for (std::size_t i = 0; i < std::size(kTypedBoxes); ++i) {
        typed_[i] = (this->*kTypedBoxes[i]).text;
    }
    ShowDetails();
    mnuUndo.enabled = !undo_.empty();
    mnuRedo.enabled = !redo_.empty();
}

void MainWindowModel::Undo() {
    if (undo_.empty()) {
        return;
    }
    redo_.push_back(Capture());
    Restore(std::move(undo_.back()));
    undo_.pop_back();
    // The options the filter lets through now, of the class listed then.
    FilterModList();
    Settle();
}

void MainWindowModel::Redo() {
    if (redo_.empty()) {
        return;
    }
    undo_.push_back(Capture());
    Restore(std::move(redo_.back()));
    redo_.pop_back();
    FilterModList();
    Settle();
}

void MainWindowModel::DesignTyped() {
    for (std::size_t i = 0; i < std::size(kTypedBoxes); ++i) {
        TextBox& box = this->*kTypedBoxes[i];
        if (box.text == typed_[i]) {
            continue;
        }
        if (typingIn_ != static_cast<int>(i)) {
            // A run of typing starts: its step goes back to the text before it.
            std::swap(box.text, typed_[i]);
            Record(Capture());
            std::swap(box.text, typed_[i]);
            typingIn_ = static_cast<int>(i);
        }
        typed_[i] = box.text;
    }
    mnuUndo.enabled = !undo_.empty();
    mnuRedo.enabled = !redo_.empty();
}

}  // namespace kalverin
