#include "about/about_window.h"

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "about/sys_info_fakes.h"
#include "test_support/named_controls.h"
#include "test_support/recording_dialogs.h"

namespace kalverin {
namespace {

using testing::FakeRegistry;
using testing::FakeStarter;
using testing::RecordingDialogs;

class AboutWindowTest : public ::testing::Test {
  protected:
    AboutWindowTest() { Show(); }
    ~AboutWindowTest() override { delete about.data(); }

    void Show() {
        about = new About(nullptr, registry, starter, dialogs);
        about->show();
        about->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(about));
    }

    template <typename Widget>
    Widget* Find(const char* name) {
        return testing::FindNamed<Widget>(about, name);
    }

    FakeRegistry registry;
    FakeStarter starter;
    RecordingDialogs dialogs;
    QPointer<About> about;
};

TEST_F(AboutWindowTest, ShowsTitleVersionAndPicture) {
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Kalverin"));
    EXPECT_FALSE(about->isModal());
    auto* title = Find<QLabel>("lblTitle");
    EXPECT_EQ(title->text(), QStringLiteral("Kalverin"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(Find<QLabel>("lblVersion")->text(),
              QStringLiteral("Version " KALVERIN_PROJECT_VERSION));
    EXPECT_FALSE(Find<QLabel>("lblDescription")->text().isEmpty());
    EXPECT_FALSE(Find<QLabel>("lblDisclaimer")->text().isEmpty());
    // A picture that failed to draw would leave the label empty.
    QPixmap picture = Find<QLabel>("Image1")->pixmap();
    ASSERT_FALSE(picture.isNull());
    QImage image = picture.toImage();
    EXPECT_NE(image.pixelColor(image.width() / 2, image.height() / 2).alpha(), 0);
    EXPECT_EQ(Find<QFrame>("Rule")->frameShape(), QFrame::HLine);
    EXPECT_EQ(Find<QPushButton>("cmdOK")->text(), QStringLiteral("OK"));
    EXPECT_TRUE(Find<QPushButton>("cmdOK")->isDefault());
    EXPECT_EQ(Find<QPushButton>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
}

TEST_F(AboutWindowTest, EnterEscapeAndOKCloseAndDiscardTheWindow) {
    const std::pair<const char*, std::function<void(QWidget*)>> ways[] = {
        {"Enter", [](QWidget* focus) { QTest::keyClick(focus, Qt::Key_Return); }},
        {"keypad Enter", [](QWidget* focus) { QTest::keyClick(focus, Qt::Key_Enter); }},
        {"Escape", [](QWidget* focus) { QTest::keyClick(focus, Qt::Key_Escape); }},
        {"OK", [this](QWidget*) { QTest::mouseClick(Find<QPushButton>("cmdOK"), Qt::LeftButton); }},
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        if (about.isNull()) {
            Show();
        }
        QWidget* focus = QApplication::focusWidget();
        ASSERT_TRUE(about->isAncestorOf(focus));
        close(focus);
        EXPECT_TRUE(QTest::qWaitFor([this] { return about.isNull(); }, 1000));
    }
    EXPECT_TRUE(starter.started.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(AboutWindowTest, SystemInfoStartsTheToolOrSaysItIsUnavailableAndStaysOpen) {
    QTest::mouseClick(Find<QPushButton>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_TRUE(starter.started.empty());
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"System Information Is Unavailable At This Time"});

    registry.Set(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                 {kStringValue, "D:\\Tools\\sysinfo.exe"});
    QTest::mouseClick(Find<QPushButton>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(starter.started, std::vector<std::string>{"D:\\Tools\\sysinfo.exe"});
    EXPECT_EQ(dialogs.messages.size(), 1U);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(about.isNull());
    EXPECT_TRUE(about->isVisible());
}

}  // namespace
}  // namespace kalverin
