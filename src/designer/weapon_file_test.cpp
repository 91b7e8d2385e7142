#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <optional>
#include <set>

#include "designer/design_fixture.h"
#include "test_support/faulty_disk_files.h"
#include "test_support/stopping_files.h"

namespace kalverin {
namespace {

using testing::DesignTest;
using Lines = std::vector<std::string>;

constexpr const char* kCleared = "0||||||||||5|";

// A file as Save As writes it, with a Final Price that disagrees with DPV x Mark-Up.
const std::string kGun =
    "\"Gun\",\"Revolver\",5,\"D\",\"SA\",3,\"1.3\",6,\"Cylinder\",0.5,1,100,999\r\n"
    "7.5,1,0,2,0\r\n"
    "2\r\n"
    "\"Booster\",2\r\n"
    "\"Scope\",0\r\n"
    "\"light, compact\"\r\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Every comma outside quotes becomes `separator`.
std::string Separated(const std::string& bytes, const std::string& separator) {
    std::string out;
    bool quoted = false;
    for (char c : bytes) {
        quoted ^= c == '"';
        out += c == ',' && !quoted ? separator : std::string(1, c);
    }
    return out;
}

class WeaponFileTest : public DesignTest {
  protected:
    void SaveAs(const std::filesystem::path& answer) {
        dialogs.answers.emplace_back(answer);
        model.SaveWeaponAs();
    }
    void Open(const std::filesystem::path& answer) {
        dialogs.answers.emplace_back(answer);
        model.OpenWeapon();
    }
    std::filesystem::path Weapon(const std::string& bytes) {
        return program.Write("Weapons/Test.wpn", bytes);
    }
};

TEST_F(WeaponFileTest, ASavedFileHoldsTheDesignAsShown) {
    const std::tuple<const char*, std::function<void()>, std::string> cases[] = {
        {"no options",
         [this] {
             PickFrame("Revolver");
             model.txtFirearm.text = "Snub";
             model.txtDescription.text = "Short";
         },
         "\"Snub\",\"Revolver\",3,\"M\",\"SA\",4,\"1.1\",6,\"Cylinder\",0,2,150,750\r\n"
         "5,1,1,0,0\r\n0\r\n\"Short\"\r\n"},
        // Number items are the leading numbers of their boxes.
        {"boxes that are not plain numbers",
         [this] {
             PickFrame("Carbine");
             model.txtPower.text = "3 (x2)";
             model.txtConceal.text = "";
             model.txtDPV.text = "abc";
             model.txtMarkup.text = ".5";
         },
         "\"\",\"Carbine\",3,\"L\",\"SA/BF\",0,\"3.5\",12,\"Magazine\",0,1.5,0,200\r\n"
         "0.5,0,1,0,0\r\n0\r\n\"\"\r\n"},
    };
    const auto path = program.path() / "Test.wpn";
    for (const auto& [what, design, bytes] : cases) {
        SCOPED_TRACE(what);
        design();
        TakeMessages();
        model.WriteWeaponFile(path);
        EXPECT_EQ(TakeMessages(), Lines{"The weapon is saved."});
        EXPECT_EQ(program.Read("Test.wpn"), bytes);
    }
}

TEST_F(WeaponFileTest, SaveAsAddsTheExtensionByACaseSensitiveTestAndOpenSharesItsDialog) {
    PickFrame("Revolver");
    model.OpenWeapon();  // Cancel, before any Save As
    const auto& [first, save] = dialogs.asked.back();
    EXPECT_FALSE(save);
    EXPECT_EQ(first.title + " " + first.filter, "Save Weapon As *.wpn");
    EXPECT_TRUE(first.initialFolder.empty());

    const auto folder = program.path() / "Weapons";
    std::filesystem::create_directory(folder);
    for (const char* chosen : {"Gun", "Gun.WPN", "Gunwpn", "Gun.wpn"}) {
        SaveAs(folder / chosen);
        EXPECT_EQ(TakeMessages(), Lines{"The weapon is saved."}) << chosen;
    }
    const auto& [saving, isSave] = dialogs.asked[1];
    EXPECT_TRUE(isSave);
    EXPECT_EQ(saving.title + " " + saving.filter, "Save Weapon As Weapon File|*.wpn");
    EXPECT_EQ(saving.initialFolder, folder);
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        written.insert(entry.path().filename().string());
    }
    EXPECT_EQ(written, (std::set<std::string>{"Gun.wpn", "Gun.WPN.wpn", "Gunwpn"}));
    model.SaveWeaponAs();  // Cancel
    EXPECT_TRUE(TakeMessages().empty());

    // Open asks with the dialog as the last Save As left it.
    model.OpenWeapon();
    const FileDialogState& later = dialogs.asked.back().first;
    EXPECT_EQ(later.filter, "Weapon File|*.wpn");
    EXPECT_EQ(later.initialFolder, folder);
    EXPECT_EQ(later.fileName, folder / "Gun.wpn");
    EXPECT_EQ(Stats(), kCleared);  // Open clears the design, even when cancelled
}

TEST_F(WeaponFileTest, OpenShowsTheStoredDesignWhateverTheLineLayout) {
    const std::pair<const char*, std::string> cases[] = {
        {"as written", kGun},
        {"all on one line", Replaced(kGun.substr(0, kGun.size() - 2), "\r\n", ",") + "\r\n"},
        {"one item per line", Separated(kGun, "\r\n")},
        {"blanks and a bare point", Replaced(Separated(kGun, ",  "), "0.5", ".5")},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        PickFrame("Carbine");
        Open(Weapon(bytes));
        const auto shown = View();
        // The Final Price is DPV x Mark-Up again: 100 x 7.5.
        EXPECT_EQ(shown.stats, "5|D|1.3|SA|3|6|Cylinder|0.5|1|100|7.5|750");
        EXPECT_EQ(shown.mounts, "1020");
        EXPECT_EQ(shown.named, "Gun|light, compact|Revolver");
        EXPECT_EQ(shown.installedLines, (Lines{"Booster", "Scope"}));
        EXPECT_EQ(shown.options, (std::vector<InstalledOption>{{"Booster", 2}, {"Scope", 0}}));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(WeaponFileTest, AnOpenThatFailsKeepsWhatWasReadWithinTheDesignsLimits) {
    std::string tooMany = kGun.substr(0, kGun.find("2\r\n")) + "25\r\n";
    Lines twenty;
    for (int i = 1; i <= 25; ++i) {
        tooMany += "\"Option " + std::to_string(i) + "\",1\r\n";
        if (i <= 20) {
            twenty.push_back("Option " + std::to_string(i));
        }
    }
    tooMany += "\"Many\"\r\n";
    const std::string pipe = "a named pipe, which would never end";
    ::mkfifo((program.path() / "Pipe.wpn").c_str(), 0600);
    const std::tuple<const char*, std::string, Lines> cases[] = {
        {"count above 20", tooMany, twenty},
        {"missing file", "", {}},
        {pipe.c_str(), pipe, {}},
        {"description too long to show",
         Replaced(kGun, "light, compact", std::string(4097, 'x')),
         {"Booster", "Scope"}},
        {"ends before the description",
         kGun.substr(0, kGun.rfind("\"light")),
         {"Booster", "Scope"}},
        {"level beyond 16 bits", Replaced(kGun, "\"Scope\",0", "\"Scope\",40000"), {"Booster"}},
        {"count beyond 16 bits", Replaced(kGun, "\r\n2\r\n", "\r\n70000\r\n"), {}},
        {"capacity beyond 16 bits", Replaced(kGun, "\"1.3\",6", "\"1.3\",40000"), {}},
    };
    for (const auto& [what, bytes, listed] : cases) {
        SCOPED_TRACE(what);
        PickFrame("Carbine");
        Open(bytes.empty()   ? program.path() / "Missing.wpn"
             : bytes == pipe ? program.path() / "Pipe.wpn"
                             : Weapon(bytes));
        const auto shown = View();
        EXPECT_EQ(shown.installedLines, listed);
        EXPECT_EQ(static_cast<std::size_t>(model.intModCounter), listed.size());
        // Neither the statistics, the mounts, the name, the description nor the frame text.
        EXPECT_EQ(shown.stats + " " + shown.mounts + " " + shown.named,
                  std::string(kCleared) + " 0000 ||Carbine");
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(WeaponFileTest, ASavedDesignWithOptionsOpensAgainAndCanBeContinued) {
    PickFrame("Revolver");
    Install("Booster");
    Install("Scope");
    Select("Booster");
    model.RaiseLevel();
    model.chkLarge.value = 2;
    model.txtFirearm.text = "Gun";
    model.txtDescription.text = "light, compact";
    const auto before = View();
    model.WriteWeaponFile(program.path() / "Gun.wpn");
    EXPECT_EQ(program.Read("Gun.wpn"),
              "\"Gun\",\"Revolver\",5,\"D\",\"SA\",3,\"1.3\",6,\"Cylinder\",0,1,290,1740\r\n"
              "6,1,0,2,0\r\n2\r\n\"Booster\",2\r\n\"Scope\",1\r\n\"light, compact\"\r\n");

    PickFrame("Carbine");
    Open(program.path() / "Gun.wpn");
    auto after = View();
    // The level box, the option list and the buttons are not part of the design.
    after.level = before.level;
    after.optionLines = before.optionLines;
    after.buttons = before.buttons;
    EXPECT_EQ(after, before);

    // The frame is found again by its name, so its DPV prices the next option.
    EXPECT_EQ(model.intChooseFrame, 1);
    Install("Gilding");
    EXPECT_EQ(model.txtDPV.text, "440");

    // Without such a frame in the catalogue the design cannot go on.
    TakeMessages();
    Open(Weapon(Replaced(kGun, "\"Revolver\"", "\"Musket\"")));
    EXPECT_EQ(model.cmbChooseFrame.text, "Musket");
    Install("Blank");
    EXPECT_EQ(TakeMessages(), Lines{"Choose a frame first: options are installed on a frame."});
    EXPECT_EQ(model.intModCounter, 2);
}

TEST_F(WeaponFileTest, ASaveCutShortIsPutBackAndSaidBeforeTheFileIsOpened) {
    const auto path = Weapon(kGun);
    testing::LeaveSaveCutShort(path, path.string(), "\"Other\"\r\n");
    PickFrame("Carbine");
    TakeMessages();
    Open(path);
    EXPECT_EQ(TakeMessages(), Lines{"A save of " + path.string() +
                                    " was cut short, so it was put back as it was before that "
                                    "save."});
    EXPECT_EQ(model.txtFirearm.text, "Gun");
}

TEST_F(WeaponFileTest, ATextLongerThanAFileKeepsIsRefusedAndNothingWritten) {
    model.txtDescription.text = std::string(4097, 'x');
    TakeMessages();
    model.WriteWeaponFile(program.path() / "Long.wpn");
    EXPECT_EQ(TakeMessages(), Lines{"A text of this weapon is longer than 4096 characters, more "
                                    "than a weapon file keeps: shorten the name or the "
                                    "description. Nothing was saved."});
    EXPECT_FALSE(std::filesystem::exists(program.path() / "Long.wpn"));
}

TEST_F(WeaponFileTest, AWriteThatFailsSaysNothingAndLeavesTheFileAsItWas) {
    PickFrame("Revolver");
    std::filesystem::create_symlink("/dev/full", program.path() / "Full.wpn");
    for (const char* name : {"No such folder/Gun.wpn", "Full.wpn"}) {
        model.WriteWeaponFile(program.path() / name);
        EXPECT_TRUE(TakeMessages().empty()) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(program.path() / "No such folder"));
    EXPECT_TRUE(std::filesystem::is_symlink(program.path() / "Full.wpn"));
}

TEST_F(WeaponFileTest, AWriteThatFailsAtAnyByteSaysNothingAndLeavesTheFileAsItWas) {
    // An earlier file gets its bytes back; a new one is not left behind.
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"Old.wpn", "old bytes\r\n"},
        {"New.wpn", std::nullopt},
    };
    for (const auto& [name, old] : cases) {
        SCOPED_TRACE(name);
        const auto path = program.path() / name;
        if (old) {
            program.Write(name, *old);
        }
        for (std::size_t failAt = 0;; ++failAt) {
            ASSERT_LE(failAt, 1000U) << "the save never succeeds";
            testing::FaultyDiskFiles files(failAt);
            MainWindowModel saver(program.path(), program.path(), dialogs, files);
            saver.Load();
            saver.cmbChooseFrame.text = "Revolver";
            saver.SelectFrame();
            saver.txtFirearm.text = "Gun";
            TakeMessages();
            saver.WriteWeaponFile(path);
            if (!files.failed()) {
                EXPECT_EQ(TakeMessages(), Lines{"The weapon is saved."});
                EXPECT_EQ(program.Read(name).substr(0, 17), "\"Gun\",\"Revolver\",");
                break;
            }
            EXPECT_TRUE(TakeMessages().empty()) << failAt;
            EXPECT_EQ(std::filesystem::exists(path), old.has_value()) << failAt;
            if (old) {
                EXPECT_EQ(program.Read(name), *old) << failAt;
            }
        }
    }
}

TEST_F(WeaponFileTest, ABareTextWithADoubleQuoteIsSavedAgainAsAReadableFile) {
    PickFrame("Carbine");
    Open(
        Weapon("Big \"Iron\",Revolver,5,D,SA,3,1\"3,6,Cyl\"inder,0.5,1,100,999\r\n"
               "7.5,1,0,0,0\r\n1\r\nSc\"ope,1\r\nsix\"shooter\r\n"));
    EXPECT_EQ(model.txtFirearm.text, "Big 'Iron'");
    EXPECT_EQ(model.txtWeight.text, "1'3");
    EXPECT_EQ(model.lstCurrentMod.items(), (Lines{"Sc'ope"}));

    SaveAs(program.path() / "Weapons" / "Again.wpn");
    EXPECT_EQ(
        program.Read("Weapons/Again.wpn"),
        "\"Big 'Iron'\",\"Revolver\",5,\"D\",\"SA\",3,\"1'3\",6,\"Cyl'inder\",0.5,1,100,750\r\n"
        "7.5,1,0,0,0\r\n1\r\n\"Sc'ope\",1\r\n\"six'shooter\"\r\n");
}

}  // namespace
}  // namespace kalverin
