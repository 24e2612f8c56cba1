// The first save into a damaged settings file: QSettings writes the whole file
// anew and drops what it could not read, so the file as it was is kept beside
// it first, once, and the user is told where.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "platform/settings/qsettingsstore.h"
#include "sheet/error.h"
#include "tests/settings/damagedfiles.h"

namespace lattora::test {
namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList copiesIn(const ConfigHome& home) {
    return QDir(home.folder())
        .entryList({QStringLiteral("Lattora.conf.damaged*")},
                   QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
}

class DamagedFileSave : public ::testing::TestWithParam<DamagedFile> {
protected:
    ConfigHome home;
};

TEST_P(DamagedFileSave, FirstSaveKeepsTheFileAsItWasWhenRewritingWouldLoseAnything) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    QSettingsStore store;
    if (damaged.kind == DamagedFile::Kind::Folder) {
        // Nothing can be written there, and nothing is lost by trying.
        EXPECT_THROW(store.saveSetting(Key::CurrentStyle, QStringLiteral("Saved")), Error);
        EXPECT_TRUE(QFileInfo(home.file()).isDir());
        EXPECT_TRUE(copiesIn(home).isEmpty());
        return;
    }
    // Two writes, as a dialog's OK makes several: still one copy.
    store.saveSetting(Key::CurrentStyle, QStringLiteral("Saved"));
    store.saveSetting(Key::StyleWidthLight, QStringLiteral("4"));

    const QString copy = home.file() + QStringLiteral(".damaged");
    if (damaged.copyOnSave) {
        EXPECT_EQ(copiesIn(home), QStringList{QStringLiteral("Lattora.conf.damaged")});
        EXPECT_EQ(store.keptCopy(), copy);
        EXPECT_EQ(bytesOf(copy), damaged.bytes);
        const QString notice = store.takeSaveNotice();
        EXPECT_TRUE(notice.contains(copy)) << notice.toStdString();
        EXPECT_TRUE(store.takeSaveNotice().isEmpty());  // told once
    } else {
        EXPECT_TRUE(copiesIn(home).isEmpty()) << copiesIn(home).join(u',').toStdString();
        EXPECT_TRUE(store.keptCopy().isEmpty());
        EXPECT_TRUE(store.takeSaveNotice().isEmpty());
    }
    if (damaged.kind == DamagedFile::Kind::DanglingLink) {
        // Written through the link, which stays a link.
        EXPECT_TRUE(QFileInfo(home.file()).isSymLink());
        EXPECT_TRUE(QFileInfo::exists(home.linkTarget()));
    }

    // The saves went through, and a store opened anew reads them and what
    // it read before.
    QSettingsStore reopened;
    EXPECT_EQ(reopened.getSetting(Key::CurrentStyle, QString()), QStringLiteral("Saved"));
    EXPECT_EQ(reopened.getSetting(Key::StyleWidthLight, QString()), QStringLiteral("4"));
    for (const auto& [key, value] : damaged.kept) {
        if (key != Key::CurrentStyle && key != Key::StyleWidthLight) {
            EXPECT_EQ(reopened.getSetting(key, QString()), value) << key.toStdString();
        }
    }
    {
        const QSettings raw(home.file(), QSettings::IniFormat);
        for (const auto& [key, value] : damaged.outsideSection) {
            EXPECT_EQ(raw.value(key).toString(), value) << key.toStdString();
        }
    }
    // The file as written holds nothing a later rewrite could lose: the
    // next session's save keeps no further copy.
    reopened.saveSetting(Key::StyleWidthLight, QStringLiteral("6"));
    EXPECT_EQ(copiesIn(home).size(), damaged.copyOnSave ? 1 : 0);
    EXPECT_TRUE(reopened.takeSaveNotice().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFileSave, ::testing::ValuesIn(damagedFiles()), testName);

TEST(DamagedFileCopy, AnEarlierCopyIsNeverReplaced) {
    ConfigHome home;
    home.write(damagedFiles().front());
    QFile earlier(home.file() + QStringLiteral(".damaged"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier copy");
    earlier.close();

    QSettingsStore store;
    store.saveSetting(Key::Scale, kMetricWord);
    EXPECT_EQ(bytesOf(home.file() + QStringLiteral(".damaged")), QByteArray("an earlier copy"));
    EXPECT_EQ(store.keptCopy(), home.file() + QStringLiteral(".damaged.2"));
    EXPECT_EQ(bytesOf(store.keptCopy()), damagedFiles().front().bytes);
}

TEST(DamagedFileCopy, WithoutACopyNothingIsWritten) {
    ConfigHome home;
    const DamagedFile& damaged = damagedFiles().front();
    home.write(damaged);
    // Every name a copy could take is taken by a folder.
    QDir folder(home.folder());
    ASSERT_TRUE(folder.mkdir(QStringLiteral("Lattora.conf.damaged")));
    for (int n = 2; n <= 100; ++n) {
        ASSERT_TRUE(folder.mkdir(QStringLiteral("Lattora.conf.damaged.%1").arg(n)));
    }
    const ConfigHome::Snapshot before = home.snapshot();
    QSettingsStore store;
    try {
        store.saveSetting(Key::Scale, kMetricWord);
        ADD_FAILURE() << "saved without a copy";
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains(home.file())) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(QStringLiteral("nothing was saved")));
    }
    EXPECT_EQ(home.snapshot(), before);
}

// A clean file is written without any copy, however often.
TEST(DamagedFileCopy, ACleanFileIsSavedWithoutACopy) {
    ConfigHome home;
    QDir(home.path()).mkpath(QStringLiteral("Tarnhill"));
    {
        QSettingsStore store;
        store.saveSetting(Key::Scale, kMetricWord);
    }
    QSettingsStore store;
    EXPECT_TRUE(store.passedOver().isEmpty());
    store.saveSetting(Key::HGraduation, QStringLiteral("3"));
    EXPECT_TRUE(copiesIn(home).isEmpty());
    EXPECT_TRUE(store.takeSaveNotice().isEmpty());
}

}  // namespace
}  // namespace lattora::test
