// Weapon files: a design as the window shows it, in the item syntax of the data files.

#include <cmath>

#include "catalogue/conversions.h"
#include "catalogue/field_reader.h"
#include "catalogue/item_reader.h"
#include "catalogue/item_writer.h"
#include "catalogue/replace_files.h"
#include "designer/main_window_model.h"

namespace kalverin {

void MainWindowModel::SaveWeaponAs() {
    cdbSaveAs.filter = "Weapon File|*.wpn";
    cdbSaveAs.initialFolder = currentDir_ / "Weapons";
    auto chosen = dialogs_.AskSavePath(cdbSaveAs);
    if (!chosen) {
        return;
    }
    // The extension test is case-sensitive and wants no period: "Gunwpn" is kept as it is.
    std::string path = chosen->string();
    if (path.size() < 3 || path.compare(path.size() - 3, 3, "wpn") != 0) {
        path += ".wpn";
    }
    WriteWeaponFile(path);
}

void MainWindowModel::WriteWeaponFile(const std::filesystem::path& path) {
    // Number items are the leading numbers of their boxes, so "3 (x2)" is written as 3.
    auto number = [](const TextBox& box) { return LeadingNumber(box.text); };
    ItemWriter out;
    out.Text(txtFirearm.text).Text(cmbChooseFrame.text).Number(number(txtPower));
    out.Text(txtDamage.text).Text(txtMode.text).Number(number(txtConceal)).Text(txtWeight.text);
    out.Number(number(txtCapacity)).Text(txtLoad.text).Number(number(txtRecoil));
    out.Number(number(txtFCU)).Number(number(txtDPV)).Number(number(txtPrice)).EndLine();
    out.Number(number(txtMarkup));
    for (const CheckBox* mount : {&chkBarrel, &chkTop, &chkLarge, &chkSmall}) {
        out.Whole(mount->value);
    }
    out.EndLine().Whole(intModCounter).EndLine();
    for (int i = 1; i <= intModCounter; ++i) {
        out.Text(Option(i).name).Whole(Option(i).level).EndLine();
    }
    out.Text(txtDescription.text).EndLine();
    // A file that no reader takes back would lose the design the moment it is saved.
    if (out.longestText() > kMaxItemBytes) {
        dialogs_.ShowMessage("A text of this weapon is longer than " +
                             std::to_string(kMaxItemBytes) +
                             " characters, more than a weapon file keeps: shorten the name or the "
                             "description. Nothing was saved.");
        return;
    }

    // One file replaced as a whole: a failed write puts the old bytes back and ends silently.
    if (ReplaceFiles(files_, {{path, path.string(), out.Take()}})) {
        return;
    }
    dialogs_.ShowMessage("The weapon is saved.");
}

void MainWindowModel::OpenWeapon() {
    NewWeapon();
    auto chosen = dialogs_.AskOpenPath(cdbSaveAs);
    if (!chosen) {
        return;
    }
    const auto folder = chosen->has_parent_path() ? chosen->parent_path() : ".";
    if (auto recovered = RecoverInterruptedSave(files_, folder)) {
        dialogs_.ShowMessage(*recovered);
    }
    // Read under the folder's lock, so that no save is half way through the file.
    auto bytes = [&] {
        auto lock = files_.LockFolder(folder, FolderLock::Kind::Shared);
        return files_.Read(*chosen);
    }();
    if (!bytes) {
        return;
    }
    ReadWeaponFile(bytes.value());
}

void MainWindowModel::ReadWeaponFile(std::string_view bytes) {
    // A number item that is not a number reads as 0; an item missing or a 16-bit number out of
    // range stops the reading.
    FieldReader in(bytes);
    // A bare item may hold a double quote, which no quoted item can; such a text is taken as
    // the boxes would take it, so that saving the design again writes a readable file.
    auto text = [&in] { return WritableText(in.Text()); };
    auto value = [&in] {
        ItemValue item = in.Value();
        return item.kind() == ItemValue::Kind::Text ? ItemValue::Text(WritableText(item.Shown()))
                                                    : item;
    };
    const std::string name = text();
    const std::string frame = text();
    statistics.Power = StatValue<double>::FromItem(value());
    statistics.Damage = text();
    statistics.Mode = text();
    statistics.Concealability = StatValue<double>::FromItem(value());
    statistics.Weight = StatValue<float>::FromItem(value());
    statistics.AmmoCapacity = in.Whole("Ammo Capacity");
    statistics.AmmoLoad = text();
    statistics.Recoil = StatValue<double>::FromItem(value());
    statistics.FCU = StatValue<float>::FromItem(value());
    statistics.DPV = StatValue<double>::FromItem(value());
    statistics.FinalPrice = StatValue<double>::FromItem(value());
    statistics.MarkUp = in.Single("Mark-Up");
    std::int16_t mounts[4] = {};
    for (std::int16_t& mount : mounts) {
        mount = in.Whole("a mount");
    }
    const std::int16_t count = in.Whole("the option count");
    if (!in.ok()) {
        return;
    }
    // The design holds 20 options: a file that lists more stops after the twentieth.
    for (int i = 1; i <= count && i <= kMaxInstalledOptions; ++i) {
        std::string option = text();
        std::int16_t level = in.Whole("a level");
        if (!in.ok()) {
            return;
        }
        Option(i) = InstalledOption{option, level};
        lstCurrentMod.Add(std::move(option));
        intModCounter = static_cast<std::int16_t>(i);
    }
    if (count > kMaxInstalledOptions) {
        return;
    }
    std::string description = text();
    // The price is worked out again from what the file says the DPV and Mark-Up are.
    const double price = LeadingNumber(statistics.DPV.Shown()) * statistics.MarkUp;
    if (!in.ok() || !std::isfinite(price)) {
        return;
    }

    // A box shows clear, ticked or grayed; a state it cannot show leaves it clear.
    CheckBox* boxes[] = {&chkBarrel, &chkTop, &chkLarge, &chkSmall};
    for (int i = 0; i < 4; ++i) {
        boxes[i]->value = mounts[i] == 1 || mounts[i] == 2 ? mounts[i] : std::int16_t{0};
    }
    statistics.FinalPrice = price;
    txtFirearm.text = name;
    txtDescription.text = std::move(description);
    cmbChooseFrame.text = frame;
    // The frame is found again by name so that the design can go on; the statistics stay as
    // the file has them. Without such a frame, installing asks for a frame to be chosen.
    intChooseFrame = FrameNamed(frame);
    intFrameNumber = catalogue.Frame(intChooseFrame).FrameNumber;
    if (intChooseFrame != 0) {
        intBaseDPV = ItemValue::Number(catalogue.Frame(intChooseFrame).DPV);
    }
    ShowStatistics();
}

}  // namespace kalverin
