// The windows as a screen reader, dictation or a switch device drives them: through Qt's
// accessibility interfaces, in the test's own process.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "about/about_window.h"
#include "designer/main_window.h"
#include "frame_editor/edit_frame.h"
#include "modification_editor/modifications_window.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

QAccessibleInterface* Accessible(const QWidget* window, std::string_view name) {
    auto* widget = window->findChild<QWidget*>(
        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    EXPECT_NE(widget, nullptr) << name;
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

// Every control the focus reaches is announced by its caption; a read-only box as read-only
// only, a chooser with the entry it shows as its value. Text put into a box through its
// editable text interface reaches the model.
template <typename Model>
void ExpectDrivable(QWidget* window, Model& model) {
    const std::vector<BoundControl> bound = BindControls(model, Model::Controls());
    for (const BoundControl& c : bound) {
        if (!c.TakesFocus()) {
            continue;
        }
        SCOPED_TRACE(c.name);
        QAccessibleInterface* control = Accessible(window, c.name);
        ASSERT_NE(control, nullptr);
        const std::string_view named = c.accessibleName.empty() ? c.caption : c.accessibleName;
        EXPECT_EQ(control->text(QAccessible::Name).toStdString(), ShownCaption(named));
        EXPECT_FALSE(control->text(QAccessible::Name).isEmpty());
        if (c.kind == ControlKind::ReadOnlyBox) {
            EXPECT_TRUE(control->state().readOnly && !control->state().editable);
        }
        if (c.kind == ControlKind::Chooser) {
            EXPECT_EQ(control->text(QAccessible::Value).toStdString(), c.combo->text);
        }
        if (c.kind == ControlKind::Box || c.kind == ControlKind::TextArea) {
            auto* text = control->editableTextInterface();
            ASSERT_NE(text, nullptr);
            text->replaceText(0, control->textInterface()->characterCount(),
                              QStringLiteral("Dictated 3"));
            EXPECT_EQ(c.text->text, "Dictated 3");
        }
    }
}

TEST(AccessibilityTest, EveryWindowIsAnnouncedByItsCaptionsAndTakesTextFromAssistiveTools) {
    testing::TempFolder program;
    testing::CopyBundledData(program);
    MainWindow main(program.path(), program.path());
    main.Start();
    ExpectDrivable(&main, main.model());
    EditFrame frames(program.path());
    frames.Start();
    ExpectDrivable(&frames, frames.model());
    Modifications modifications(program.path());
    modifications.Load();
    ExpectDrivable(&modifications, modifications.model());
    auto* about = new About(nullptr);
    ExpectDrivable(about, about->model());
    EXPECT_FALSE(Accessible(about, "Image1")->text(QAccessible::Name).isEmpty());
    EXPECT_FALSE(Accessible(about, "Rule")->text(QAccessible::Name).isEmpty());
    delete about;
    // The level boxes are told apart by their frames and tied to their heading.
    EXPECT_EQ(Accessible(&modifications, "Text3")->text(QAccessible::Description),
              QStringLiteral("Maximum Level by Frame"));
}

TEST(AccessibilityTest, ALineSelectedByAnAssistiveToolIsTheOneAddInstalls) {
    testing::TempFolder program;
    testing::CopyBundledData(program);
    MainWindow window(program.path(), program.path());
    window.Start();
    for (const char* chooser : {"cmbChooseFrame", "cmbChooseClass"}) {
        auto* combo = window.findChild<QComboBox*>(QString::fromLatin1(chooser));
        combo->setCurrentIndex(2);
        emit combo->activated(2);
    }
    Accessible(&window, "lstChooseMod")->tableInterface()->selectRow(1);
    Accessible(&window, "cmdAddMod")
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    // A press through the interface clicks the button a moment later, as it shows being pressed.
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.model().lstCurrentMod.Count() == 1; }));
    EXPECT_EQ(window.model().lstCurrentMod.items().front(),
              window.model().lstChooseMod.items().at(1));
}

}  // namespace
}  // namespace kalverin
