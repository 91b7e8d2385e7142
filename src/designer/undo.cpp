// Undo and Redo: each step of the design keeps the window as it was before it.

#include <type_traits>

#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {
namespace {

// The boxes whose typing is a step of the design; typed_ follows their order.
constexpr TextBox MainWindowModel::*kTypedBoxes[] = {
    &MainWindowModel::txtFirearm, &MainWindowModel::txtDescription, &MainWindowModel::txtMarkup};

// Whether the user can tell the two designs apart. The working values the rules keep between
// actions (CMN, the legality verdict, the level under consideration, ...) do not count: an
// action that changes only those, as a refusal that claims no mount, is no step.
bool SameSeen(const WeaponDesign& a, const WeaponDesign& b) {
    return a.options == b.options && a.intModCounter == b.intModCounter &&
           a.intChooseFrame == b.intChooseFrame && a.intFrameNumber == b.intFrameNumber &&
           a.intBaseDPV == b.intBaseDPV && a.sngMarkUp == b.sngMarkUp &&
           a.statistics == b.statistics && a.ledgers == b.ledgers;
}

}  // namespace

void DesignHistory::Keep() {
    if (redo_ > 0) {
        std::swap(At(undo_), Free());
        redo_ = 0;
    }
    if (undo_ == kUndoSteps) {
        first_ = (first_ + 1) % ring_.size();
    } else {
        ++undo_;
    }
}

DesignState& DesignHistory::Back() {
    std::swap(At(undo_ - 1), Free());
    --undo_;
    ++redo_;
    return Free();
}

DesignState& DesignHistory::Forward() {
    std::swap(At(undo_), Free());
    ++undo_;
    --redo_;
    return Free();
}

MainWindowModel::Step::Step(MainWindowModel& model) : model_(model) {
    if (model_.stepDepth_++ == 0) {
        model_.Capture(model_.history_.Free());
    }
}

MainWindowModel::Step::~Step() {
    if (--model_.stepDepth_ > 0) {
        return;
    }
    if (model_.Differs(model_.history_.Free())) {
        model_.history_.Keep();
    }
    model_.Settle();
}

void MainWindowModel::Step::Cancel() const {
    model_.Restore(model_.history_.Free());
}

void MainWindowModel::Capture(DesignState& into) const {
    DesignMoment& moment = into.Write();
    moment.catalogue = catalogue_;
    std::size_t i = 0;
    ForEachDesignControl(*this, [&moment, &i](std::string_view, const auto& control) {
        // Assigned over the control of the same kind, whose room it reuses.
        if (i < moment.controls.size()) {
            moment.controls[i] = control;
        } else {
            moment.controls.emplace_back(control);
        }
        ++i;
    });
    moment.design = design_;
    moment.listedClass = listedClass_;
    moment.chosenOption = lstChooseMod.selected();
    moment.chosenName = lstChooseMod.SelectedText();
}

void MainWindowModel::Restore(const DesignState& from) {
    const DesignMoment& moment = from.Read();
    catalogue_ = moment.catalogue;
    std::size_t i = 0;
    ForEachDesignControl(*this, [&moment, &i](std::string_view, auto& control) {
        control = std::get<std::remove_reference_t<decltype(control)>>(moment.controls[i++]);
    });
    design_ = moment.design;
    listedClass_ = moment.listedClass;
    // The options of the class listed then, under the filter as it is now.
    ListOptions();
    lstChooseMod.Reselect(moment.chosenOption, moment.chosenName);
}

bool MainWindowModel::Differs(const DesignState& before) const {
    const DesignMoment& moment = before.Read();
    bool same = moment.catalogue == catalogue_ && SameSeen(moment.design, design_) &&
                moment.chosenOption == lstChooseMod.selected();
    std::size_t i = 0;
    ForEachDesignControl(*this, [&moment, &i, &same](std::string_view, const auto& control) {
        same =
            same && std::get<std::remove_cvref_t<decltype(control)>>(moment.controls[i]) == control;
        ++i;
    });
    return !same;
}

void MainWindowModel::Settle() {
    typingIn_ = -1;
    shownFrame_ = cmbChooseFrame.text;
    for (std::size_t i = 0; i < std::size(kTypedBoxes); ++i) {
        typed_[i] = (this->*kTypedBoxes[i]).text;
    }
    ShowDetails();
    mnuUndo.enabled = history_.CanUndo();
    mnuRedo.enabled = history_.CanRedo();
    Changed();
}

void MainWindowModel::Undo() {
    if (!history_.CanUndo()) {
        return;
    }
    Capture(history_.Free());
    Restore(history_.Back());
    Settle();
}

void MainWindowModel::Redo() {
    if (!history_.CanRedo()) {
        return;
    }
    Capture(history_.Free());
    Restore(history_.Forward());
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
            Capture(history_.Free());
            history_.Keep();
            std::swap(box.text, typed_[i]);
            typingIn_ = static_cast<int>(i);
        }
        typed_[i] = box.text;
        // A typed Mark-Up is the last word on it until the next option is applied; a run of
        // typing is one line of its ledger.
        if (kTypedBoxes[i] == &MainWindowModel::txtMarkup) {
            design_.ledgers[StatisticIn(kTypedBoxes[i])].Replace("typed: ", box.text);
        }
    }
    mnuUndo.enabled = history_.CanUndo();
    mnuRedo.enabled = history_.CanRedo();
    Changed();
}

}  // namespace kalverin
