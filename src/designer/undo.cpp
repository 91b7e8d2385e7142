// Undo and Redo: each step of the design keeps the window as it was before it.

#include <algorithm>
#include <concepts>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {
namespace {

// The boxes whose typing is a step of the design; typed_ follows their order.
constexpr TextBox MainWindowModel::*kTypedBoxes[] = {
    &MainWindowModel::txtFirearm, &MainWindowModel::txtDescription, &MainWindowModel::txtMarkup};

// Calls `take` with each control that shows the design, in the order of the window's table: all
// but the filter, the details and the Undo and Redo entries, which only show, and the option
// list, whose lines follow from the class listed and the filter (see ExchangeWorking).
template <typename Model, typename Take>
void ForEachDesignControl(Model& model, Take take) {
    constexpr std::string_view kOnlyShow[] = {"txtFilter", "txtDetails", "mnuUndo", "mnuRedo",
                                              "lstChooseMod"};
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

// The values a moment is written as: numbers, flags and kinds byte for byte, texts as their
// length and their bytes.
template <typename T>
concept Plain = std::is_arithmetic_v<T> || std::is_enum_v<T>;

// Counts the bytes a moment takes, so that a free moment not written before is sized once.
class StateMeasure {
  public:
    static constexpr bool kPutsBack = false;
    template <Plain T>
    void operator()(const T&) {
        size_ += sizeof(T);
    }
    void operator()(std::string_view text) { size_ += sizeof(std::size_t) + text.size(); }
    std::size_t size() const { return size_; }

  private:
    std::size_t size_ = 0;
};

class StateWriter {
  public:
    static constexpr bool kPutsBack = false;
    explicit StateWriter(std::string& bytes) : bytes_(bytes) {}
    template <Plain T>
    void operator()(const T& value) {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void operator()(std::string_view text) {
        (*this)(text.size());
        bytes_.append(text);
    }

  private:
    std::string& bytes_;
};

// Reads the values back in the order they were written; a text is seen where it was written.
class StateReader {
  public:
    static constexpr bool kPutsBack = true;
    explicit StateReader(std::string_view bytes) : bytes_(bytes) {}
    template <Plain T>
    void operator()(T& value) {
        std::memcpy(&value, bytes_.data(), sizeof value);
        bytes_.remove_prefix(sizeof value);
    }
    void operator()(std::string_view& text) {
        std::size_t size = 0;
        (*this)(size);
        text = bytes_.substr(0, size);
        bytes_.remove_prefix(size);
    }

  private:
    std::string_view bytes_;
};

// Reads the values written and compares each with the window's, as the values' own equality
// does. After the first difference it reads no further: what follows may be laid out otherwise,
// as a list of another length.
class StateComparer {
  public:
    static constexpr bool kPutsBack = false;
    explicit StateComparer(std::string_view bytes) : reader_(bytes) {}
    template <Plain T>
    void operator()(const T& value) {
        if (same_) {
            T kept{};
            reader_(kept);
            same_ = kept == value;
        }
    }
    void operator()(std::string_view text) {
        if (same_) {
            std::string_view kept;
            reader_(kept);
            same_ = kept == text;
        }
    }
    bool same() const { return same_; }

  private:
    StateReader reader_;
    bool same_ = true;
};

// Each kind of value a moment holds, taken apart into plain values and, when the archive puts
// back, put together again. `V` is the value's type, const while the window is written out.

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, std::string>
void Exchange(Archive& archive, V& text) {
    std::string_view view = text;
    archive(view);
    if constexpr (Archive::kPutsBack) {
        text.assign(view);
    }
}

template <typename Archive, Plain V>
void Exchange(Archive& archive, V& value) {
    archive(value);
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, ItemValue>
void Exchange(Archive& archive, V& item) {
    ItemValue::Kind kind = item.kind();
    double number = item.number();
    std::string_view text = item.text();
    archive(kind);
    archive(number);
    archive(text);
    if constexpr (Archive::kPutsBack) {
        item = kind == ItemValue::Kind::Number ? ItemValue::Number(number)
               : kind == ItemValue::Kind::Text ? ItemValue::Text(std::string(text))
                                               : ItemValue();
    }
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, StatValue<double>> ||
    std::same_as<std::remove_const_t<V>, StatValue<float>>
void Exchange(Archive& archive, V& stat) {
    bool isNumber = stat.IsNumber();
    auto number = stat.number();
    std::string_view text = stat.text();
    archive(isNumber);
    archive(number);
    archive(text);
    if constexpr (Archive::kPutsBack) {
        stat = isNumber ? V(number) : V::Text(std::string(text));
    }
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, std::optional<std::string>>
void Exchange(Archive& archive, V& text) {
    bool present = text.has_value();
    std::string_view view = present ? std::string_view(*text) : std::string_view();
    archive(present);
    archive(view);
    if constexpr (Archive::kPutsBack) {
        text = present ? std::optional<std::string>(view) : std::nullopt;
    }
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, ListBox>
void Exchange(Archive& archive, V& list) {
    std::size_t count = list.items().size();
    archive(count);
    if constexpr (Archive::kPutsBack) {
        list.Clear();
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view item;
        if constexpr (!Archive::kPutsBack) {
            item = list.items()[i];
        }
        archive(item);
        if constexpr (Archive::kPutsBack) {
            list.Add(item);
        }
    }
    int selected = list.selected();
    archive(selected);
    if constexpr (Archive::kPutsBack) {
        list.Select(selected);
    }
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, ComboBox>
void Exchange(Archive& archive, V& control) {
    Exchange(archive, control.list);
    Exchange(archive, control.text);
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, TextBox>
void Exchange(Archive& archive, V& box) {
    Exchange(archive, box.text);
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, Button>
void Exchange(Archive& archive, V& button) {
    Exchange(archive, button.enabled);
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, CheckBox>
void Exchange(Archive& archive, V& box) {
    Exchange(archive, box.value);
}

template <typename Archive, typename V>
requires std::same_as<std::remove_const_t<V>, StatBlock>
void Exchange(Archive& archive, V& s) {
    for (const Statistic& statistic : kStatistics) {
        std::visit([&](auto member) { Exchange(archive, s.*member); }, statistic.value);
    }
}

}  // namespace

template <typename Model, typename Archive>
void MainWindowModel::ExchangeSeen(Model& model, Archive& archive) {
    ForEachDesignControl(model, [&archive](auto& control) { Exchange(archive, control); });
    auto& d = model.design_;
    for (auto& option : d.options) {
        Exchange(archive, option.name);
        Exchange(archive, option.level);
    }
    Exchange(archive, d.intModCounter);
    Exchange(archive, d.intChooseFrame);
    Exchange(archive, d.intFrameNumber);
    Exchange(archive, d.intBaseDPV);
    Exchange(archive, d.sngMarkUp);
    Exchange(archive, d.statistics);
    int chosen = model.lstChooseMod.selected();
    Exchange(archive, chosen);
}

template <typename Model, typename Archive>
void MainWindowModel::ExchangeWorking(Model& model, Archive& archive) {
    auto& d = model.design_;
    Exchange(archive, d.CMN);
    Exchange(archive, d.strChooseMod);
    Exchange(archive, d.blnModLegal);
    Exchange(archive, d.intTempLevel);
    Exchange(archive, d.intMaxLevel);
    Exchange(archive, d.intModLevel);
    Exchange(archive, model.listedClass_);
    // The option lines are not kept, which would make every step cost as much as the catalogue
    // is long: they are listed again for the class listed then, under the filter as it is now,
    // and the line chosen then is chosen again where it still shows.
    int chosen = model.lstChooseMod.selected();
    std::string_view name = chosen >= 0 ? model.lstChooseMod.SelectedText() : std::string_view();
    Exchange(archive, chosen);
    archive(name);
    if constexpr (Archive::kPutsBack) {
        model.ListOptions();
        model.lstChooseMod.Reselect(chosen, name);
    }
}

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
    into.catalogue = catalogue_;
    StateMeasure measure;
    ExchangeSeen(*this, measure);
    ExchangeWorking(*this, measure);
    into.bytes.clear();
    into.bytes.reserve(measure.size());
    StateWriter writer(into.bytes);
    ExchangeSeen(*this, writer);
    ExchangeWorking(*this, writer);
}

void MainWindowModel::Restore(const DesignState& from) {
    catalogue_ = from.catalogue;
    StateReader reader(from.bytes);
    ExchangeSeen(*this, reader);
    ExchangeWorking(*this, reader);
}

// The working values the rules keep between actions (CMN, the legality verdict, the level under
// consideration, ...) do not count: an action that changes only those, as a refusal that claims
// no mount, is no step.
bool MainWindowModel::Differs(const DesignState& before) const {
    if (before.catalogue != catalogue_) {
        return true;
    }
    StateComparer comparer(before.bytes);
    ExchangeSeen(*this, comparer);
    return !comparer.same();
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
    }
    mnuUndo.enabled = history_.CanUndo();
    mnuRedo.enabled = history_.CanRedo();
}

}  // namespace kalverin
