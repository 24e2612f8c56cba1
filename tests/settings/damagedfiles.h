// Damaged settings files as a user may come to have them, each written as the
// real Lattora.conf under a temporary configuration folder, with what the
// program must make of it.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lattora::test {

struct DamagedFile {
    enum class Kind { File, Folder, DanglingLink };

    const char* name = "";
    Kind kind = Kind::File;
    QByteArray bytes = {};
    // Settings that come through as stored.
    QList<std::pair<QString, QString>> kept = {};
    // Settings that read as on a fresh store.
    QStringList fallBack = {};
    // What the user must be told, each in an entry of its own.
    QStringList told = {};
    // Entries in all; -1: as many as the listing of a file's lines allows.
    int toldCount = 0;
    // Whether the first save keeps a copy of the file as it was.
    bool copyOnSave = false;
    bool metric = false;
    // Settings outside the program's section, which a save must keep.
    QList<std::pair<QString, QString>> outsideSection = {};
};

inline void PrintTo(const DamagedFile& file, std::ostream* os) {
    *os << file.name;
}

// The name of a test over `info`'s file.
std::string testName(const ::testing::TestParamInfo<DamagedFile>& info);

// Every damaged file of the tests; built once.
const std::vector<DamagedFile>& damagedFiles();

// The megabyte-sized ones, for the start-up time.
const DamagedFile& hugeOneLineTemplate();
const DamagedFile& hugeManyLinesTemplate();
// The line-set list of those two, as the program must read it.
QString hugeOneLineTemplateText();
QString hugeManyLinesTemplateText();
int hugeManyLinesTemplateSets();

// A temporary configuration folder that is $XDG_CONFIG_HOME while it lives.
class ConfigHome {
public:
    ConfigHome();
    ~ConfigHome();
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

    QString path() const { return dir_.path(); }
    QString folder() const { return dir_.filePath(QStringLiteral("Tarnhill")); }
    QString file() const { return dir_.filePath(QStringLiteral("Tarnhill/Lattora.conf")); }
    // Where the dangling link points.
    QString linkTarget() const { return dir_.filePath(QStringLiteral("Tarnhill/moved.conf")); }

    // Puts the damaged file in place as Lattora.conf.
    void write(const DamagedFile& file) const;

    // The folder's entries with their sizes, times and, for files, bytes.
    struct Snapshot {
        QStringList entries;
        QList<QByteArray> contents;
        QList<QDateTime> modified;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot snapshot() const;

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_ = false;
};

inline std::ostream& operator<<(std::ostream& os, const ConfigHome::Snapshot& s) {
    return os << s.entries.join(QStringLiteral(", ")).toStdString();
}

// Checks that `entries` say what `file` must tell: each expected text in
// exactly one entry (at least one when the count is open), the exact number
// of entries, and no entry twice.
::testing::AssertionResult tellsWhatWasIgnored(const DamagedFile& file, const QStringList& entries);

}  // namespace lattora::test
