// The main window and the desktop: going to the system tray and back, and
// the shortcuts dialog.
#include <QScreen>
#include <cmath>

#include "tests/mainwindow/form1_fixture.h"

namespace lattora::test {
namespace {

// A tray the test can switch off and click.
class FakeTray : public TrayIcon {
public:
    explicit FakeTray(bool available) : available_(available) {}
    bool available() const override { return available_; }
    void show() override { shown = true; }
    void hide() override { shown = false; }
    void click() const {
        ASSERT_TRUE(onActivated);
        onActivated();
    }
    bool shown = false;

private:
    bool available_;
};

class Form1TrayTest : public Form1Test {
protected:
    Form1& openWith(FakeTray& tray) {
        Form1& form = open();
        form.setTrayIcon(tray);
        form.show();
        return form;
    }
    FakeTray tray{true};
    FakeTray noTray{false};
};

TEST_F(Form1TrayTest, WithoutATrayTheWindowIsMinimisedAndNoNoticeShows) {
    Form1& form = openWith(noTray);
    click(u"PushButton1"_s);
    EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMinimized));
    EXPECT_FALSE(form.isHidden());
    EXPECT_FALSE(noTray.shown);
    EXPECT_FALSE(form.trayNotice().isVisible());
    EXPECT_FALSE(form.trayNotice().loaded());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form1TrayTest, WithATrayTheWindowHidesAndANoticeAtTheBottomRightSaysHowToComeBack) {
    Form1& form = openWith(tray);
    click(u"PushButton1"_s);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(tray.shown);
    const Form2& notice = form.trayNotice();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_TRUE(notice.ticking());
    EXPECT_EQ(notice.message(), u"Double-click (Single-click) to show window again");
    const QScreen* screen = form.screen();
    ASSERT_NE(screen, nullptr);
    const QRect free = screen->availableGeometry();
    const int above = static_cast<int>(std::lround(775 * screen->logicalDotsPerInchY() / 1440));
    EXPECT_EQ(notice.geometry().right(), free.right());
    EXPECT_EQ(notice.geometry().top(), free.bottom() + 1 - above);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

TEST_F(Form1TrayTest, ClickingTheTrayIconBringsTheWindowBackAndTheNextTripShowsTheNoticeAfresh) {
    Form1& form = openWith(tray);
    click(u"PushButton1"_s);
    form.trayNotice().Timer1_Timer();
    tray.click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.windowState().testFlag(Qt::WindowMinimized));
    EXPECT_FALSE(tray.shown);
    EXPECT_FALSE(form.trayNotice().isVisible());

    click(u"PushButton1"_s);
    EXPECT_TRUE(form.trayNotice().isVisible());
    EXPECT_EQ(form.trayNotice().ticks(), 0);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form1TrayTest, ExitWhileTheNoticeIsUpEndsTheProgramAndTakesTheNoticeAway) {
    Form1& form = openWith(tray);
    click(u"PushButton1"_s);
    ASSERT_TRUE(form.trayNotice().isVisible());
    click(u"PushButton13"_s);
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(form.trayNotice().isVisible());
    EXPECT_FALSE(form.trayNotice().ticking());
    EXPECT_FALSE(tray.shown);
}

TEST_F(Form1Test, ShortcutsShowsItsDialogAndNothingElse) {
    Form1& form = open();
    int shown = 0;
    form.setModalRunner([&](QDialog& dialog) {
        ++shown;
        EXPECT_EQ(&dialog, &form.shortcutsDialog());
        // Cancel: the test must not write to the desktop of whoever runs it.
        auto* cancel = dialog.findChild<QPushButton*>(u"PushButton1"_s);
        EXPECT_NE(cancel, nullptr);
        if (cancel != nullptr) {
            cancel->click();
        }
        return dialog.result();
    });
    click(u"PushButton17"_s);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(form.shortcutsDialog().isVisible());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace lattora::test
