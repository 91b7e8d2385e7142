// Every window's table: its access keys are its own (among its captions and its menu titles,
// and within each menu), and every control can be told from the others by its name.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "about/about_model.h"
#include "designer/main_window_model.h"
#include "frame_editor/frame_editor_model.h"
#include "modification_editor/modification_editor_model.h"

namespace kalverin {
namespace {

template <typename Model>
void ExpectOwnKeysAndNames(std::span<const Control<Model>> table) {
    std::set<std::string_view> names;
    std::map<char, std::string_view> windowKeys;  // the caption of each key
    std::map<char, std::string_view> menuKeys;
    std::string_view menu;
    for (const Control<Model>& control : table) {
        EXPECT_TRUE(names.insert(control.name).second) << control.name << " twice";
        const char key = AccessKeyOf(control.caption);
        if (control.kind == ControlKind::Menu) {
            menu = control.name;
            menuKeys.clear();
        }
        if (key == 0) {
            continue;
        }
        auto& keys = InMenu(control.kind) ? menuKeys : windowKeys;
        auto [other, fresh] = keys.emplace(key, control.caption);
        EXPECT_TRUE(fresh) << control.caption << " and " << other->second << " share " << key
                           << (InMenu(control.kind) ? " in " : "")
                           << (InMenu(control.kind) ? menu : "");
    }
}

TEST(ControlTableTest, EachWindowsAccessKeysAndNamesAreItsOwn) {
    // The key is the letter after the first single '&', upper-cased; "&&" shows an ampersand.
    const std::pair<const char*, char> keys[] = {
        {"&Save", 'S'}, {"Fish && &chips", 'C'}, {"Exit", 0}, {"A&&", 0}};
    for (const auto& [caption, key] : keys) {
        EXPECT_EQ(AccessKeyOf(caption), key) << caption;
    }
    ExpectOwnKeysAndNames(MainWindowModel::Controls());
    ExpectOwnKeysAndNames(FrameEditorModel::Controls());
    ExpectOwnKeysAndNames(ModificationEditorModel::Controls());
    ExpectOwnKeysAndNames(AboutModel::Controls());
}

}  // namespace
}  // namespace kalverin
