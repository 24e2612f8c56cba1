// The shortcuts dialog over a home of its own: which entries OK writes, what
// it says when they are there already or cannot be written, and that the
// boxes keep their states for the run.
#include "desktop/frmshortcuts.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimeZone>
#include <stdexcept>

#include "platform/ui/errorreport.h"
#include "tests/desktop/desktopfixture.h"
#include "tests/support/recordingboxes.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

// Messages and folder look-ups in one list, to show the order they came in.
class LoggingBoxes : public RecordingBoxes {
public:
    void showMessage(QWidget* parent, const QString& text) override {
        log << text;
        RecordingBoxes::showMessage(parent, text);
    }
    QStringList log;
};

class LoggingFolders : public ShortcutFolders {
public:
    explicit LoggingFolders(QStringList& log) : log_(log) {}
    QString desktop() const override {
        log_ << u"desktop folder"_s;
        return folders_.desktop();
    }
    QString startMenu() const override {
        log_ << u"start menu folder"_s;
        return folders_.startMenu();
    }

private:
    XdgShortcutFolders folders_;
    QStringList& log_;
};

class FrmShortcutsTest : public ::testing::Test {
protected:
    FrmShortcutsTest() {
        home.nameDesktop(u"Schreibtisch"_s);
        QDir().mkpath(programFolder);
        QFile(programPath).open(QIODevice::WriteOnly);
        QFile(iconPath).open(QIODevice::WriteOnly);
        dialog.setProgramPath(programPath);
    }

    template <class Control>
    Control* control(const char* name) const {
        auto* found = dialog.findChild<Control*>(QLatin1String(name));
        if (found == nullptr) {
            throw std::runtime_error(name);
        }
        return found;
    }
    QCheckBox* box(const char* name) const { return control<QCheckBox>(name); }
    void click(const char* name) const { control<QPushButton>(name)->click(); }
    void check(bool desktop, bool startMenu) const {
        box("CheckBox1")->setChecked(desktop);
        box("CheckBox2")->setChecked(startMenu);
    }

    TempHome home;
    // A space in the folder: the Exec line must quote the program.
    const QString programFolder = home.path(u"Graph Tools"_s);
    const QString programPath = programFolder + u"/lattora"_s;
    const QString iconPath = programFolder + u"/lattora.svg"_s;
    const QString desktopEntry = home.home() + u"/Schreibtisch/Lattora.desktop"_s;
    const QString menuEntry = home.data() + u"/applications/Lattora.desktop"_s;
    LoggingBoxes boxes;
    ErrorReport report{boxes};
    FrmShortcuts dialog{report};
};

TEST_F(FrmShortcutsTest, OffersBothShortcutsCheckedUnderTheProgramsTitle) {
    EXPECT_EQ(dialog.objectName(), u"frmShortcuts");
    EXPECT_EQ(dialog.windowTitle(), u"Lattora");
    EXPECT_FALSE(dialog.windowIcon().isNull());
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
    }
    EXPECT_TRUE(labels.contains(u"Program Setup"_s));
    EXPECT_EQ(box("CheckBox1")->text(), u"Create a shortcut on the desktop");
    EXPECT_EQ(box("CheckBox2")->text(), u"Create an entry on the start menu");
    EXPECT_TRUE(box("CheckBox1")->isChecked());
    EXPECT_TRUE(box("CheckBox2")->isChecked());
    EXPECT_EQ(control<QPushButton>("PushButton2")->text(), u"OK");
    EXPECT_EQ(control<QPushButton>("PushButton1")->text(), u"Cancel");
    // Unless told otherwise, the shortcuts start this very executable.
    const FrmShortcuts plain(report);
    EXPECT_EQ(plain.programPath(), QCoreApplication::applicationFilePath());
}

TEST_F(FrmShortcutsTest, OkWritesAnEntryOnTheDesktopAndOneInTheMenuAndCloses) {
    dialog.show();
    click("PushButton2");
    for (const QString& path : {desktopEntry, menuEntry}) {
        SCOPED_TRACE(path.toStdString());
        const auto keys = readEntry(path);
        EXPECT_EQ(keys.value(u"Type"_s), u"Application");
        EXPECT_EQ(keys.value(u"Name"_s), u"Lattora");
        EXPECT_EQ(keys.value(u"Exec"_s), u'"' + programPath + u'"');
        EXPECT_EQ(keys.value(u"Icon"_s), iconPath);
        EXPECT_EQ(keys.value(u"Path"_s), programFolder);
        EXPECT_EQ(keys.value(u"Terminal"_s), u"false");
        EXPECT_TRUE(QFile::permissions(path).testFlag(QFileDevice::ExeOwner));
    }
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

TEST_F(FrmShortcutsTest, EntriesAlreadyThereAreLeftAsTheyAreAndEachIsReportedInTurn) {
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), QTimeZone::utc());
    for (const QString& path : {desktopEntry, menuEntry}) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mine\n");
        // Written out first, or closing the file would stamp it anew.
        ASSERT_TRUE(file.flush());
        ASSERT_TRUE(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    LoggingFolders folders(boxes.log);
    dialog.setShortcutFolders(folders);
    dialog.show();
    click("PushButton2");
    EXPECT_EQ(boxes.log, (QStringList{u"desktop folder"_s, u"Already Exist"_s,
                                      u"start menu folder"_s, u"Already Exist"_s}));
    EXPECT_TRUE(boxes.errors().isEmpty());
    for (const QString& path : {desktopEntry, menuEntry}) {
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "mine\n");
        EXPECT_EQ(QFileInfo(path).lastModified().toUTC(), longAgo);
    }
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(FrmShortcutsTest, WithNeitherBoxCheckedOkOnlyCloses) {
    check(false, false);
    dialog.show();
    click("PushButton2");
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(desktopEntry).path()));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(menuEntry).path()));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(FrmShortcutsTest, ADesktopThatCannotBeWrittenIsReportedAndTheMenuEntryStillMade) {
    // Permissions do not stop root, so a file stands where the folder must go.
    QFile(QFileInfo(desktopEntry).path()).open(QIODevice::WriteOnly);
    dialog.show();
    click("PushButton2");
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().first().contains(QFileInfo(desktopEntry).path()));
    EXPECT_TRUE(boxes.errors().first().contains(u"frmShortcuts.PushButton2_Click"_s));
    EXPECT_TRUE(boxes.messages().isEmpty());
    EXPECT_EQ(readEntry(menuEntry).value(u"Name"_s), u"Lattora");
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(FrmShortcutsTest, CancelAndEscapeWriteNothing) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        dialog.show();
        if (escape) {
            dialog.reject();
        } else {
            click("PushButton1");
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_FALSE(QFileInfo::exists(desktopEntry));
    EXPECT_FALSE(QFileInfo::exists(menuEntry));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(FrmShortcutsTest, TheBoxesKeepTheirStatesFromOneShowingToTheNext) {
    struct Showing {
        bool desktop;
        bool startMenu;
        const char* button;
    };
    for (const Showing& s :
         {Showing{false, true, "PushButton1"}, Showing{true, false, "PushButton2"},
          Showing{false, false, "PushButton2"}, Showing{true, true, "PushButton1"}}) {
        SCOPED_TRACE(s.button);
        check(s.desktop, s.startMenu);
        dialog.show();
        click(s.button);
        dialog.show();
        EXPECT_EQ(box("CheckBox1")->isChecked(), s.desktop);
        EXPECT_EQ(box("CheckBox2")->isChecked(), s.startMenu);
        dialog.hide();
    }
    // Only the one OK with the desktop box checked wrote anything.
    EXPECT_TRUE(QFileInfo::exists(desktopEntry));
    EXPECT_FALSE(QFileInfo::exists(menuEntry));
}

}  // namespace
}  // namespace lattora::test
