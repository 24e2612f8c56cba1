// Desktop entries: where they go, how the program's path is written in them,
// and what happens when one is already there or cannot be written.
#include "desktop/shortcuts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "sheet/error.h"
#include "tests/desktop/desktopfixture.h"
#include "tests/support/recordingboxes.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

class FixedFolders : public ShortcutFolders {
public:
    FixedFolders(QString desktop, QString startMenu)
        : desktop_(std::move(desktop)), startMenu_(std::move(startMenu)) {}
    QString desktop() const override { return desktop_; }
    QString startMenu() const override { return startMenu_; }

private:
    QString desktop_;
    QString startMenu_;
};

struct ExecCase {
    const char* program;
    const char* expected;  // as the line holds it, after "Exec="
};

class ExecValueTest : public ::testing::TestWithParam<ExecCase> {};

// Worked out by hand from the entry rules: an argument holding a reserved
// character is quoted, and inside the quotes " ` $ and \ take a backslash; %
// is doubled wherever it is; then the string escapes double every backslash.
TEST_P(ExecValueTest, QuotesAndEscapesAsTheEntryRulesSay) {
    EXPECT_EQ(execValue(QString::fromUtf8(GetParam().program)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ExecValueTest,
    ::testing::Values(ExecCase{"/usr/bin/lattora", "/usr/bin/lattora"},
                      ExecCase{"/opt/my apps/lattora", R"("/opt/my apps/lattora")"},
                      ExecCase{"/opt/it's/lattora", R"("/opt/it's/lattora")"},
                      ExecCase{"/opt/a(b)/lattora", R"("/opt/a(b)/lattora")"},
                      ExecCase{"/opt/a~b/lattora", R"("/opt/a~b/lattora")"},
                      ExecCase{"/opt/a$b/lattora", R"("/opt/a\\$b/lattora")"},
                      ExecCase{R"(/opt/a"b/lattora)", R"("/opt/a\\"b/lattora")"},
                      ExecCase{"/opt/a`b/lattora", R"("/opt/a\\`b/lattora")"},
                      ExecCase{R"(/opt/a\b/lattora)", R"("/opt/a\\\\b/lattora")"},
                      ExecCase{"/opt/100%/lattora", "/opt/100%%/lattora"},
                      ExecCase{"/opt/100% sure/lattora", R"("/opt/100%% sure/lattora")"},
                      ExecCase{"/opt/caf\u00e9/lattora", "/opt/caf\u00e9/lattora"}));

TEST(ShortcutFolderTest, KnowsTheDesktopAndTheStartMenuOnly) {
    const FixedFolders folders(u"/d"_s, u"/m"_s);
    EXPECT_EQ(shortcutFolder(u"Desktop"_s, folders), u"/d");
    EXPECT_EQ(shortcutFolder(u"StartMenu"_s, folders), u"/m");
    for (const QString& key : {u"desktop"_s, u"Programs"_s, QString()}) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_THROW(shortcutFolder(key, folders), Error);
    }
}

TEST(XdgShortcutFoldersTest, FollowTheUserDirectoriesAndTheDataHome) {
    struct Case {
        const char* name;
        bool userDirectories;  // a user-dirs.dirs naming the desktop
        bool dataHome;         // XDG_DATA_HOME set
        const char* desktop;   // expected, under the temporary root
        const char* startMenu;
    };
    for (const Case& c : {
             Case{"named desktop", true, true, "home/Schreibtisch", "data/applications"},
             Case{"no user directories", false, true, "home/Desktop", "data/applications"},
             Case{"no data home", true, false, "home/Schreibtisch",
                  "home/.local/share/applications"},
         }) {
        SCOPED_TRACE(c.name);
        const TempHome home;
        if (c.userDirectories) {
            home.nameDesktop(u"Schreibtisch"_s);
        }
        if (!c.dataHome) {
            qunsetenv("XDG_DATA_HOME");
        }
        const XdgShortcutFolders folders;
        EXPECT_EQ(folders.desktop(), home.path(QString::fromLatin1(c.desktop)));
        EXPECT_EQ(folders.startMenu(), home.path(QString::fromLatin1(c.startMenu)));
    }
}

class CreateShortcutTest : public ::testing::Test {
protected:
    CreateShortcutTest() {
        QDir(root.path()).mkpath(u"bin"_s);
        QFile(program).open(QIODevice::WriteOnly);
    }
    void create(const QString& key = kDesktopFolderKey) {
        CreateProgramShortcut(key, program, u"Lattora"_s, folders, boxes);
    }

    QTemporaryDir root;
    const QString program = root.filePath(u"bin/lattora"_s);
    const QString desktop = root.filePath(u"deep/er/Desktop"_s);
    const QString entry = desktop + u"/Lattora.desktop"_s;
    FixedFolders folders{desktop, root.filePath(u"menu"_s)};
    RecordingBoxes boxes;
};

TEST_F(CreateShortcutTest, MakesTheMissingFoldersAndAnExecutableEntry) {
    create();
    ASSERT_TRUE(QFileInfo(entry).isFile());
    EXPECT_TRUE(QFile::permissions(entry).testFlag(QFileDevice::ExeOwner));
    const auto keys = readEntry(entry);
    EXPECT_EQ(keys.value(u"Exec"_s), program);
    EXPECT_EQ(keys.value(u"Path"_s), root.filePath(u"bin"_s));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(CreateShortcutTest, IconIsTheFileBesideTheProgramOrElseTheThemeName) {
    create();
    EXPECT_EQ(readEntry(entry).value(u"Icon"_s), u"lattora");
    QFile::remove(entry);
    QFile(root.filePath(u"bin/lattora.svg"_s)).open(QIODevice::WriteOnly);
    create();
    EXPECT_EQ(readEntry(entry).value(u"Icon"_s), root.filePath(u"bin/lattora.svg"_s));
}

TEST_F(CreateShortcutTest, AnUnknownFolderWritesNothing) {
    EXPECT_THROW(create(u"Programs"_s), Error);
    EXPECT_FALSE(QFileInfo::exists(desktop));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(CreateShortcutTest, ALinkAlreadyThereCountsAsAnEntryEvenIfItLeadsNowhere) {
    QDir().mkpath(desktop);
    ASSERT_TRUE(QFile::link(root.filePath(u"gone.desktop"_s), entry));
    create();
    EXPECT_EQ(boxes.messages(), QStringList{u"Already Exist"_s});
    EXPECT_EQ(QFileInfo(entry).symLinkTarget(), root.filePath(u"gone.desktop"_s));
}

TEST_F(CreateShortcutTest, AFolderThatCannotBeMadeIsAnErrorNamingIt) {
    // Permissions do not stop root, so a file stands where a folder must go.
    for (const QString& blocker : {desktop, root.filePath(u"deep"_s)}) {
        SCOPED_TRACE(blocker.toStdString());
        QDir(root.filePath(u"deep"_s)).removeRecursively();
        QDir().mkpath(QFileInfo(blocker).path());
        QFile(blocker).open(QIODevice::WriteOnly);
        try {
            create();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            // The folder, then why it could not be made.
            const QString reason = e.description().section(desktop + u"\": "_s, 1);
            EXPECT_FALSE(reason.trimmed().isEmpty()) << e.what();
        }
        EXPECT_FALSE(QFileInfo::exists(entry));
    }
}

}  // namespace
}  // namespace lattora::test
