// Desktop entries: where they go, how the program is written into them, what
// happens when one is there already or cannot be written, and the shortcuts
// dialog that makes them. Everything goes into a temporary folder.
#include "desktop/shortcuts.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "desktop/frmshortcuts.h"
#include "platform/ui/errorreport.h"
#include "sheet/error.h"
#include "tests/support/recordingboxes.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

struct FixedFolders : ShortcutFolders {
    FixedFolders(QString desktop, QString menu) : desktop_(desktop), menu_(menu) {}
    QString desktop() const override { return desktop_; }
    QString startMenu() const override { return menu_; }
    QString desktop_, menu_;
};

// The keys of the entry at `path`; nothing unless it starts with its group.
QMap<QString, QString> readEntry(const QString& path) {
    QFile file(path);
    QMap<QString, QString> keys;
    const bool entry = file.open(QIODevice::ReadOnly) && file.readLine() == "[Desktop Entry]\n";
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
        keys.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    return entry ? keys : QMap<QString, QString>();
}

class ShortcutTest : public ::testing::Test {
protected:
    ShortcutTest() {
        QDir(root.path()).mkpath(u"my bin"_s);
        QFile(program).open(QIODevice::WriteOnly);
        dialog.setShortcutFolders(folders);
        dialog.setProgramPath(program);
    }
    void create(const QString& key = kDesktopFolderKey) {
        CreateProgramShortcut(key, program, u"Lattora"_s, folders, boxes);
    }

    QTemporaryDir root;
    const QString program = root.filePath(u"my bin/lattora"_s);
    const QString desktop = root.filePath(u"deep/er/Desktop"_s);
    const QString entry = desktop + u"/Lattora.desktop"_s;
    const QString menuEntry = root.filePath(u"menu/Lattora.desktop"_s);
    FixedFolders folders{desktop, root.filePath(u"menu"_s)};
    RecordingBoxes boxes;
    ErrorReport report{boxes};
    FrmShortcuts dialog{report};
};

// The missing folders are made and the entry is executable, starting the
// program in its folder with the icon file beside it, else the theme's icon.
TEST_F(ShortcutTest, MakesAnExecutableEntryThatStartsTheProgram) {
    create(kStartMenuFolderKey);
    EXPECT_EQ(readEntry(menuEntry).value(u"Icon"_s), u"lattora"_s);
    QFile(root.filePath(u"my bin/lattora.svg"_s)).open(QIODevice::WriteOnly);
    create();
    auto keys = readEntry(entry);
    EXPECT_EQ(QStringList({keys[u"Type"_s], keys[u"Name"_s], keys[u"Exec"_s], keys[u"Path"_s],
                           keys[u"Icon"_s], keys[u"Terminal"_s]})
                  .join(u'|'),
              u"Application|Lattora|\"%1\"|%2|%2/lattora.svg|false"_s.arg(
                  program, root.filePath(u"my bin"_s)));
    EXPECT_TRUE(QFile::permissions(entry).testFlag(QFileDevice::ExeOwner) && boxes.shown.isEmpty());
}

// The program goes into Exec= quoted when it holds a reserved character, and
// inside the quotes " ` $ and \ take a backslash; % is doubled everywhere;
// then the string escapes double every backslash (worked out by hand from the
// entry rules). The desktop's own validator has nothing to say about any of
// these entries: no error, warning or hint.
TEST_F(ShortcutTest, QuotesTheProgramIntoAnEntryTheValidatorPasses) {
    const std::pair<const char*, const char*> rows[] = {
        // clang-format off
        {"/usr/bin/lattora", "/usr/bin/lattora"}, {"/opt/my apps/l", R"("/opt/my apps/l")"}, {"/opt/it's/l", R"("/opt/it's/l")"}, {"/opt/a(b)/l", R"("/opt/a(b)/l")"},
        {"/opt/a~b/l", R"("/opt/a~b/l")"}, {"/opt/a$b/l", R"("/opt/a\\$b/l")"}, {R"(/opt/a"b/l)", R"("/opt/a\\"b/l")"}, {"/opt/a`b/l", R"("/opt/a\\`b/l")"},
        {R"(/opt/a\b/l)", R"("/opt/a\\\\b/l")"}, {"/opt/100%/l", "/opt/100%%/l"}, {"/opt/100% sure/l", R"("/opt/100%% sure/l")"}, {"/opt/tab\there/l", "\"/opt/tab\\there/l\""},
        {"/opt/caf\u00e9/l", "/opt/caf\u00e9/l"},
        // clang-format on
    };
    const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    for (const auto& [program, exec] : rows) {
        QFile::remove(entry);
        CreateProgramShortcut(kDesktopFolderKey, QString::fromUtf8(program), u"Lattora"_s, folders,
                              boxes);
        EXPECT_EQ(readEntry(entry).value(u"Exec"_s).toStdString(), exec);
        if (!validator.isEmpty()) {
            QProcess check;
            check.setProcessChannelMode(QProcess::MergedChannels);
            check.start(validator, {entry});
            EXPECT_TRUE(check.waitForFinished() && check.exitCode() == 0) << program;
            EXPECT_EQ(check.readAll().toStdString(), "") << program;
        }
    }
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
}

// An entry there already, even a link that leads nowhere, is left alone and
// the user told; a folder key of neither kind writes nothing.
TEST_F(ShortcutTest, LeavesAnEntryThereAlreadyAndRefusesUnknownFolders) {
    for (const QString& key : {u"Programs"_s, u"desktop"_s, QString()})
        EXPECT_THROW(create(key), Error);
    EXPECT_FALSE(QFileInfo::exists(root.filePath(u"deep"_s)));
    QDir().mkpath(desktop);
    ASSERT_TRUE(QFile::link(root.filePath(u"gone.desktop"_s), entry));
    create();
    EXPECT_EQ(boxes.messages(), QStringList{kAlreadyExistMessage});
    EXPECT_EQ(QFileInfo(entry).symLinkTarget(), root.filePath(u"gone.desktop"_s));
    EXPECT_THROW(
        CreateProgramShortcut(kDesktopFolderKey, program, u"L"_s, FixedFolders({}, {}), boxes),
        Error);
}

// Unless told otherwise, both shortcuts start this very executable. OK makes
// each checked shortcut on its own, so one that fails is reported and the
// other still made; then the dialog hides. Cancel writes nothing. Permissions
// do not stop root, so a file stands where the desktop folder must go.
TEST_F(ShortcutTest, DialogMakesTheCheckedShortcutsOnOk) {
    EXPECT_EQ(FrmShortcuts(report).programPath(), QCoreApplication::applicationFilePath());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(u"CheckBox1"_s)->isChecked() &&
                dialog.findChild<QCheckBox*>(u"CheckBox2"_s)->isChecked());
    // The boxes checked (D desktop, M menu), X: the desktop cannot be written,
    // C: Cancel pressed.
    for (const QString& row : {u"DM"_s, u"D"_s, u"M"_s, u""_s, u"DMX"_s, u"DMC"_s}) {
        SCOPED_TRACE(row.toStdString());
        QDir(root.filePath(u"deep"_s)).removeRecursively();
        QDir(root.filePath(u"menu"_s)).removeRecursively();
        if (row.contains(u'X') && QDir().mkpath(QFileInfo(desktop).path()))
            QFile(desktop).open(QIODevice::WriteOnly);
        boxes.shown.clear();
        dialog.findChild<QCheckBox*>(u"CheckBox1"_s)->setChecked(row.contains(u'D'));
        dialog.findChild<QCheckBox*>(u"CheckBox2"_s)->setChecked(row.contains(u'M'));
        dialog.show();
        dialog.findChild<QPushButton*>(row.contains(u'C') ? u"PushButton1"_s : u"PushButton2"_s)
            ->click();
        const bool made = !row.contains(u'C');
        EXPECT_EQ(QFileInfo::exists(entry), made && (row == u"DM" || row == u"D"));
        EXPECT_EQ(readEntry(menuEntry).contains(u"Name"_s), made && row.contains(u'M'));
        const int failed = row.contains(u'X') ? 1 : 0;
        EXPECT_EQ(boxes.shown.size(), failed);
        EXPECT_EQ(boxes.errors().filter(desktop).filter(u".PushButton2_Click"_s).size(), failed);
        EXPECT_TRUE(!dialog.isVisible() &&
                    dialog.result() == (made ? QDialog::Accepted : QDialog::Rejected));
    }
}

}  // namespace
}  // namespace lattora::test
