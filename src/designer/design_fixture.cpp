#include "designer/design_fixture.h"

#include <algorithm>

namespace kalverin::testing {
namespace {

// Frame columns: Revolver 1, Carbine 2, Derringer 3, 1911 4, Twin 5 and 6, Oddity 7.
constexpr const char* kFrames =
    "7\r\n"
    "\"Revolver\",3,\"M\",\"SA\",4,1.1,6,\"Cylinder\",\"Barrel\",\"Top\",\"\",2,150,1\r\n"
    "\"Carbine\",6,\"L\",\"SA/BF\",-2,3.5,12,\"Magazine\",\"Top\",,\"Barrel\",1.5,40,2\r\n"
    "\"Derringer\",1,\"D\",\"SS\",8,0.3,2,\"Internal\",\"None\",\"Small\",\"\",0,300,3\r\n"
    "1911,4,\"S\",\"SA\",3,1.2,7,\"Magazine\",,,\"\",2,200,4\r\n"
    "\"Twin\",1,\"L\",\"SA\",0,1,1,\"Clip\",,,\"\",1,10,5\r\n"
    "\"Twin\",2,\"L\",\"SA\",0,1,1,\"Clip\",,,\"\",1,20,6\r\n"
    "\"Oddity\",2,\"M\",\"SA\",\"high\",1,5,\"Belt\",,,\"\",3,50,7\r\n";

constexpr const char* kClasses =
    "7\r\n\"All\"\r\n\"Tuning\"\r\n\"Sights\"\r\n\"Barrel\"\r\n\"Feed\"\r\n\"Price\"\r\n"
    "\"Empty\"\r\n";

// Type, name, Power, Damage, Concealability, Weight, Capacity, Load, FCU, DPV, Mount1..3,
// Recoil, Mode, Mark-Up.
constexpr const char* kModifications =
    "16\r\n"
    "\"Tuning\",\"Booster\",1,\"U\",0,0,0,\"\",0,20,\"\",,\"\",0,\"\",0.5\r\n"
    "\"Tuning\",\"Blank\",,\"\",,,0,,,0,,,\"\",0,,0\r\n"
    "\"Sights\",\"Scope\",0,\"\",-1,0.2,0,\"\",-1,100,\"Top\",,\"\",0,\"\",0\r\n"
    "\"Sights\",\"Sight\",0,\"\",0,0.1,0,\"\",0,10,\"Top\",,\"\",0,\"\",0\r\n"
    "\"Sights\",\"Lug\",0,\"\",0,0,0,\"\",0,5,\"barrel\",,\"\",0,\"\",0\r\n"
    "\"Barrel\",\"Bipod\",0,\"\",0,0.5,0,\"\",-2,30,\"Barrel\",,\"\",0,\"\",0\r\n"
    "\"Feed\",\"Drum\",0,\"\",-2,1.5,50,\"Magazine\",0,150,\"\",,\"\",1,\"FA\",0\r\n"
    "\"Feed\",\"Belt\",0,\"\",0,1,100,\"Belt\",0,0,\"\",,\"\",0,\"\",0\r\n"
    "\"Feed\",\"Single\",0,\"D\",0,0,777,\"\",0,0,\"\",,\"\",0,\"\",-0.5\r\n"
    "\"Price\",\"Gilding\",0,\"\",0,0,0,\"\",0,888,\"\",,\"\",0,\"\",0\r\n"
    "\"Price\",\"Inlay\",0,\"\",0,0,0,\"\",0,999,\"\",,\"\",0,\"\",0\r\n"
    "\"Tuning\",\"Forbidden\",0,\"\",0,0,0,\"\",0,0,\"Top\",,\"\",0,\"\",0\r\n"
    "\"Tuning\",\"Broken\",0,\"\",0,\"heavy\",0,\"\",0,0,\"\",,\"\",0,\"\",0\r\n"
    "\"Feed\",\"Extra\",0,\"\",0,0,10,\"\",0,0,\"\",,\"\",0,\"\",0\r\n"
    "\"tuning\",\"Lower\",0,\"\",0,0,0,\"\",0,0,\"\",,\"\",0,\"\",0\r\n"
    "\"All\",\"Universal\",0,\"\",0,0,0,\"\",0,0,\"\",,\"\",0,\"\",0\r\n";

constexpr const char* kMaxLevels =
    "16\r\n"
    "\"Booster\",2,2,2,2,2,2,2\r\n"
    "\"Blank\",1,1,1,1,1,1,1\r\n"
    "\"Scope\",1,1,1,1,1,1,1\r\n"
    "\"Sight\",1,1,1,1,1,1,1\r\n"
    "\"Lug\",1,1,1,1,1,1,1\r\n"
    "\"Bipod\",1,1,1,1,1,1,1\r\n"
    "\"Drum\",3,3,3,3,3,3,3\r\n"
    "\"Belt\",3,3,3,3,3,3,3\r\n"
    "\"Single\",3,3,3,3,3,3,3\r\n"
    "\"Gilding\",3,3,3,3,3,3,3\r\n"
    "\"Inlay\",3,3,3,3,3,3,3\r\n"
    "\"Forbidden\",0,0,0,0,0,0,0\r\n"
    "\"Broken\",1,1,1,1,1,1,1\r\n"
    "\"Extra\",3,3,3,3,3,3,3\r\n"
    "\"Lower\",1,1,1,1,1,1,1\r\n"
    "\"Universal\",1,1,1,1,1,1,1\r\n";

int LineOf(const ListBox& list, const std::string& name) {
    const auto& items = list.items();
    auto found = std::find(items.begin(), items.end(), name);
    EXPECT_NE(found, items.end()) << name << " is not listed";
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

}  // namespace

DesignTest::DesignTest() : model(program.path(), program.path(), dialogs) {
    program.Write("Data/Frames.txt", kFrames);
    program.Write("Data/Classes.txt", kClasses);
    program.Write("Data/Modifications.txt", kModifications);
    program.Write("Data/MaxLevel.txt", kMaxLevels);
    model.Load();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{});
}

void DesignTest::UseData(const std::string& frames, const std::string& classes,
                         const std::string& mods, const std::string& maxLevels) {
    program.Write("Data/Frames.txt", frames);
    program.Write("Data/Classes.txt", classes);
    program.Write("Data/Modifications.txt", mods);
    program.Write("Data/MaxLevel.txt", maxLevels);
    model.ReloadData();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{});
}

void DesignTest::PickFrame(const std::string& name) {
    model.cmbChooseFrame.text = name;
    model.SelectFrame();
}

void DesignTest::PickClass(const std::string& name) {
    model.cmbChooseClass.text = name;
    model.FillModList();
}

void DesignTest::Install(const std::string& name) {
    PickClass("All");
    model.ChooseOption(LineOf(model.lstChooseMod, name));
    model.AddModification();
}

void DesignTest::Select(const std::string& name) {
    model.ChooseInstalledOption(LineOf(model.lstCurrentMod, name));
}

std::int16_t DesignTest::ModIndex(const std::string& name) const {
    for (int i = 1; i <= model.catalogue.intNumberofMods; ++i) {
        if (model.catalogue.Modification(i).Modification.Shown() == name) {
            return static_cast<std::int16_t>(i);
        }
    }
    ADD_FAILURE() << name << " is not in the catalogue";
    return 0;
}

DesignView DesignTest::View() const {
    DesignView view;
    for (const TextBox* box :
         {&model.txtPower, &model.txtDamage, &model.txtWeight, &model.txtMode, &model.txtConceal,
          &model.txtCapacity, &model.txtLoad, &model.txtRecoil, &model.txtFCU, &model.txtDPV,
          &model.txtMarkup, &model.txtPrice, &model.txtLevel, &model.txtFirearm,
          &model.txtDescription}) {
        view.texts.push_back(box->text);
    }
    view.texts.push_back(model.cmbChooseFrame.text);
    for (const CheckBox* box :
         {&model.chkBarrel, &model.chkTop, &model.chkLarge, &model.chkSmall}) {
        view.mounts.push_back(box->value);
    }
    view.installedLines = model.lstCurrentMod.items();
    view.optionLines = model.lstChooseMod.items();
    view.buttons = {model.cmdAddMod.enabled, model.cmdLevelUp.enabled, model.cmdLevelDown.enabled};
    for (int slot = 1; slot <= model.intModCounter; ++slot) {
        view.options.push_back(model.Option(slot));
    }
    return view;
}

std::string DesignTest::Stats() const {
    std::string joined;
    for (const TextBox* box :
         {&model.txtPower, &model.txtDamage, &model.txtWeight, &model.txtMode, &model.txtConceal,
          &model.txtCapacity, &model.txtLoad, &model.txtRecoil, &model.txtFCU, &model.txtDPV,
          &model.txtMarkup, &model.txtPrice}) {
        joined += (joined.empty() ? "" : "|") + box->text;
    }
    return joined;
}

std::string DesignTest::Mounts() const {
    std::string shown;
    for (const CheckBox* box :
         {&model.chkBarrel, &model.chkTop, &model.chkLarge, &model.chkSmall}) {
        shown += std::to_string(box->value);
    }
    return shown;
}

std::vector<std::string> DesignTest::TakeMessages() {
    return std::exchange(dialogs.messages, {});
}

}  // namespace kalverin::testing
