#include "tests/settings/damagedfiles.h"

#include <sys/stat.h>

#include <QSet>
#include <cctype>
#include <random>
#include <stdexcept>

#include "sheet/settingsstore.h"

namespace lattora::test {

namespace {

using Kind = DamagedFile::Kind;

QStringList allKeys() {
    QStringList keys;
    for (const SettingKey& key : settingKeys()) {
        keys << key.name;
    }
    return keys;
}

// Bytes with no structure at all, the same on every run.
QByteArray garbage() {
    std::mt19937 generator(20210831);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes.append(static_cast<char>(byte(generator)));
    }
    return bytes;
}

constexpr qsizetype kHalfMegabyte = 512 * 1024;

// One set: a name and a colour part of half a megabyte each.
QByteArray hugeOneLineValue() {
    return QByteArray(kHalfMegabyte, 'N') + '~' + QByteArray(kHalfMegabyte, '9') +
           "|0|0|0|dot\\r\\n";
}

// A megabyte of sets, one to a line; the last one is the current set.
QByteArray hugeManyLinesValue(int* count = nullptr) {
    QByteArray value;
    int sets = 0;
    while (value.size() < 2 * kHalfMegabyte) {
        value += QByteArray("Set ") + QByteArray::number(sets) + '~' + QByteArray::number(sets) +
                 "|255|65280|0|dash\\r\\n";
        ++sets;
    }
    if (count != nullptr) {
        *count = sets;
    }
    return value;
}

QByteArray withSection(const QByteArray& lines) {
    return QByteArray("[Lattora]\n") + lines;
}

std::vector<DamagedFile> makeFiles() {
    const QStringList everyKey = allKeys();
    int manySets = 0;
    const QByteArray manyLines = hugeManyLinesValue(&manySets);
    std::vector<DamagedFile> files;

    files.push_back({.name = "garbage",
                     .bytes = garbage(),
                     .fallBack = everyKey,
                     .told = {QStringLiteral("holds bytes that are not UTF-8 text")},
                     .toldCount = -1,
                     .copyOnSave = true});

    files.push_back(
        {.name = "lines without equals sign",
         .bytes = withSection("Scale=Metric\nthis line has no equals sign\nH_Graduation=3\n"
                              "StyleWidthHeavy\n"),
         .kept = {{Key::Scale, QStringLiteral("Metric")}, {Key::HGraduation, QStringLiteral("3")}},
         .fallBack = {Key::StyleWidthHeavy, Key::VGraduation},
         .told = {QStringLiteral("line 3 is not a setting (it has no \"=\") and is ignored: "
                                 "\"this line has no equals sign\""),
                  QStringLiteral("line 5 is not a setting")},
         .toldCount = 2,
         .copyOnSave = true,
         .metric = true});

    // QSettings keeps keys before any section under [General] when it writes
    // the file, so a save loses nothing of them.
    files.push_back(
        {.name = "no section",
         .bytes = "Scale=Metric\nH_Graduation=4\nCurrentStyle=Red Lines\n",
         .fallBack = {Key::Scale, Key::HGraduation, Key::CurrentStyle},
         .told = {QStringLiteral("\"Scale\" on line 1 is outside the [Lattora] section and is "
                                 "ignored"),
                  QStringLiteral("\"H_Graduation\" on line 2 is outside"),
                  QStringLiteral("\"CurrentStyle\" on line 3 is outside")},
         .toldCount = 3,
         .outsideSection = {{Key::Scale, QStringLiteral("Metric")},
                            {Key::HGraduation, QStringLiteral("4")},
                            {Key::CurrentStyle, QStringLiteral("Red Lines")}}});

    files.push_back(
        {.name = "wrong types",
         .bytes = withSection("Scale=Metric\nH_Graduation=abc\nV_Graduation=7\nSubdiv10=x\n"
                              "Subdiv5=0.3\nSubdiv2=0,5\nStyleWidthHeavy=-5e999\n"
                              "StyleWidthMedium=9\nStyleWidthLight=thin\n"),
         .kept = {{Key::Scale, QStringLiteral("Metric")},
                  {Key::VGraduation, QStringLiteral("7")},
                  {Key::Subdiv5, QStringLiteral("0.3")},
                  {Key::StyleWidthMedium, QStringLiteral("9")}},
         .fallBack = {Key::HGraduation, Key::Subdiv10, Key::Subdiv2, Key::StyleWidthHeavy,
                      Key::StyleWidthLight},
         .told = {QStringLiteral("\"H_Graduation\": \"abc\" is not a number; the default 0 is "
                                 "used"),
                  QStringLiteral("\"Subdiv10\": \"x\" is not a number; the default 0.99 is used"),
                  QStringLiteral("\"Subdiv2\": \"0,5\" is not a number; the default 0.2 is used"),
                  QStringLiteral("\"StyleWidthHeavy\": \"-5e999\" is beyond the range of numbers; "
                                 "the default 13 is used"),
                  QStringLiteral("\"StyleWidthLight\": \"thin\" is not a number; the default 5 "
                                 "is used")},
         .toldCount = 5,
         .metric = true});

    files.push_back(
        {.name = "enormous numbers",
         .bytes = withSection("H_Graduation=1e308\nV_Graduation=-1e308\nSubdiv10=1e39\n"
                              "Subdiv5=1e308\nSubdiv2=3e38\nStyleWidthHeavy=1e38\n"
                              "StyleWidthLight=1e39\n"),
         .kept = {{Key::HGraduation, QStringLiteral("1e308")},
                  {Key::VGraduation, QStringLiteral("-1e308")},
                  {Key::Subdiv2, QStringLiteral("3e38")},
                  {Key::StyleWidthHeavy, QStringLiteral("1e38")}},
         .fallBack = {Key::Subdiv10, Key::Subdiv5, Key::StyleWidthLight},
         .told = {QStringLiteral("\"Subdiv10\": \"1e39\" is beyond single precision; the default "
                                 "0.39 is used"),
                  QStringLiteral("\"Subdiv5\": \"1e308\" is beyond single precision; the default "
                                 "0.2 is used"),
                  QStringLiteral("\"StyleWidthLight\": \"1e39\" is beyond single precision; the "
                                 "default 2 is used")},
         .toldCount = 3});

    files.push_back({.name = "megabyte template on one line",
                     .bytes = withSection("StyleTemplates=" + hugeOneLineValue() + "\n"),
                     .kept = {{Key::StyleTemplates, hugeOneLineTemplateText()}},
                     .fallBack = {Key::CurrentStyle, Key::StyleWidthHeavy},
                     // The set's heavy colour: told by the line-set load, cut short.
                     .told = {QStringLiteral("Overflow: \"9999999999")},
                     .toldCount = 1});

    files.push_back({.name = "megabyte template on many lines",
                     .bytes = withSection("StyleTemplates=" + manyLines + "\nCurrentStyle=Set " +
                                          QByteArray::number(manySets - 1) + "\n"),
                     .kept = {{Key::StyleTemplates, hugeManyLinesTemplateText()},
                              {Key::CurrentStyle, QStringLiteral("Set %1").arg(manySets - 1)}},
                     .fallBack = {Key::Scale}});

    files.push_back({.name = "invalid UTF-8 in values and keys",
                     .bytes = withSection("Scale=Metric\nCurrentStyle=Bl\xffue\nSc\xfe"
                                          "ale=Imperial\nH_Graduation=\xff"
                                          "3\n"),
                     .kept = {{Key::Scale, QStringLiteral("Metric")},
                              {Key::CurrentStyle, QStringLiteral("Bl\uFFFDue")}},
                     .fallBack = {Key::HGraduation},
                     .told = {QStringLiteral("line 3 holds bytes that are not UTF-8 text"),
                              QStringLiteral("line 4 holds bytes that are not UTF-8 text"),
                              QStringLiteral("line 5 holds bytes that are not UTF-8 text"),
                              QStringLiteral("\"H_Graduation\": \"\uFFFD3\" is not a number")},
                     .toldCount = 4,
                     .copyOnSave = true,
                     .metric = true});

    files.push_back({.name = "empty", .bytes = "", .fallBack = everyKey});

    files.push_back({.name = "folder",
                     .kind = Kind::Folder,
                     .fallBack = everyKey,
                     .told = {QStringLiteral("is a folder, not a settings file; every setting "
                                             "has its default")},
                     .toldCount = 1});

    files.push_back({.name = "dangling link",
                     .kind = Kind::DanglingLink,
                     .fallBack = everyKey,
                     .told = {QStringLiteral("moved.conf\", which does not exist; every setting "
                                             "has its default")},
                     .toldCount = 1});

    files.push_back(
        {.name = "duplicate keys",
         .bytes = withSection("H_Graduation=2\nScale=Metric\nH_Graduation=5\n"),
         .kept = {{Key::HGraduation, QStringLiteral("5")}, {Key::Scale, QStringLiteral("Metric")}},
         .told = {QStringLiteral("\"H_Graduation\" is set on lines 2 and 4; the last one is "
                                 "used")},
         .toldCount = 1,
         .copyOnSave = true,
         .metric = true});

    // QSettings reads a zero byte as part of the value and writes it back
    // escaped: a name keeps it, a number cannot hold it.
    files.push_back(
        {.name = "embedded zero byte",
         .bytes = withSection(QByteArray("Scale=Metric\nCurrentStyle=ab") + '\0' +
                              "cd\nV_Graduation=4\nSubdiv10=0.5" + '\0' + "\n"),
         .kept = {{Key::Scale, QStringLiteral("Metric")},
                  {Key::CurrentStyle, QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")},
                  {Key::VGraduation, QStringLiteral("4")}},
         .fallBack = {Key::Subdiv10},
         .told = {QStringLiteral("\"Subdiv10\": \"0.5\uFFFD\" is not a number; the default "
                                 "0.99 is used")},
         .toldCount = 1,
         .metric = true});

    files.push_back(
        {.name = "unclosed quotation",
         .bytes = withSection("CurrentStyle=\"Red\nScale=Metric\nH_Graduation=3\n"),
         .kept = {{Key::CurrentStyle, QStringLiteral("Red\nScale=Metric\nH_Graduation=3\n")}},
         .fallBack = {Key::Scale, Key::HGraduation},
         .told = {QStringLiteral("line 2 opens a quotation that does not close on it, so lines 2 "
                                 "to 4 are read as one value")},
         .toldCount = 1,
         .copyOnSave = true});

    files.push_back(
        {.name = "values that are not text",
         .bytes = withSection("Scale=@Rect(1 2 3 4)\nH_Graduation=@Invalid()\nV_Graduation=2\n"),
         .kept = {{Key::VGraduation, QStringLiteral("2")}},
         .fallBack = {Key::Scale, Key::HGraduation},
         .told = {QStringLiteral("\"Scale\" does not hold text; imperial units are used"),
                  QStringLiteral("\"H_Graduation\" does not hold text; the default 0 is used")},
         .toldCount = 2});
    return files;
}

}  // namespace

const std::vector<DamagedFile>& damagedFiles() {
    static const std::vector<DamagedFile> files = makeFiles();
    return files;
}

namespace {

const DamagedFile& named(const char* name) {
    for (const DamagedFile& file : damagedFiles()) {
        if (qstrcmp(file.name, name) == 0) {
            return file;
        }
    }
    throw std::logic_error(name);
}

}  // namespace

const DamagedFile& hugeOneLineTemplate() {
    return named("megabyte template on one line");
}

const DamagedFile& hugeManyLinesTemplate() {
    return named("megabyte template on many lines");
}

QString hugeOneLineTemplateText() {
    return QString::fromLatin1(hugeOneLineValue())
        .replace(QStringLiteral("\\r\\n"), QStringLiteral("\r\n"));
}

QString hugeManyLinesTemplateText() {
    return QString::fromLatin1(hugeManyLinesValue())
        .replace(QStringLiteral("\\r\\n"), QStringLiteral("\r\n"));
}

int hugeManyLinesTemplateSets() {
    int count = 0;
    hugeManyLinesValue(&count);
    return count;
}

std::string testName(const ::testing::TestParamInfo<DamagedFile>& info) {
    std::string name = info.param.name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

ConfigHome::ConfigHome() {
    hadPrevious_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    previous_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
}

ConfigHome::~ConfigHome() {
    if (hadPrevious_) {
        qputenv("XDG_CONFIG_HOME", previous_);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

void ConfigHome::write(const DamagedFile& damaged) const {
    ASSERT_TRUE(QDir(path()).mkpath(QStringLiteral("Tarnhill")));
    switch (damaged.kind) {
        case Kind::Folder: ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Lattora.conf"))); break;
        case Kind::DanglingLink: ASSERT_TRUE(QFile::link(linkTarget(), file())); break;
        case Kind::File: {
            QFile out(file());
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            ASSERT_EQ(out.write(damaged.bytes), damaged.bytes.size());
            break;
        }
    }
}

ConfigHome::Snapshot ConfigHome::snapshot() const {
    Snapshot s;
    for (const QString& place : {path(), folder()}) {
        const QFileInfoList infos = QDir(place).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& info : infos) {
            struct stat status {};
            const bool known =
                ::lstat(QFile::encodeName(info.filePath()).constData(), &status) == 0;
            // The inode tells a file written anew under the same name apart.
            s.entries << QStringLiteral("%1 inode %2 link %3")
                             .arg(info.filePath())
                             .arg(known ? static_cast<qulonglong>(status.st_ino) : 0)
                             .arg(info.symLinkTarget());
            QFile content(info.filePath());
            s.contents << (info.isFile() && content.open(QIODevice::ReadOnly) ? content.readAll()
                                                                              : QByteArray());
            s.modified << info.lastModified();
        }
    }
    return s;
}

::testing::AssertionResult tellsWhatWasIgnored(const DamagedFile& file,
                                               const QStringList& entries) {
    const auto failure = [&] {
        return ::testing::AssertionFailure()
               << "\n  told: " << entries.join(QStringLiteral("\n        ")).toStdString();
    };
    for (const QString& expected : file.told) {
        qsizetype times = 0;
        for (const QString& entry : entries) {
            times += entry.contains(expected) ? 1 : 0;
        }
        if (times == 0 || (file.toldCount >= 0 && times != 1)) {
            return failure() << "\n  expected once: " << expected.toStdString() << " (" << times
                             << " times)";
        }
    }
    // At most ten lines are listed one by one, then one entry for the rest.
    const bool countRight = file.toldCount >= 0 ? entries.size() == file.toldCount
                                                : !entries.isEmpty() && entries.size() <= 11;
    if (!countRight) {
        return failure() << "\n  expected " << file.toldCount << " entries, got " << entries.size();
    }
    if (QSet<QString>(entries.begin(), entries.end()).size() != entries.size()) {
        return failure() << "\n  an entry is told twice";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace lattora::test
