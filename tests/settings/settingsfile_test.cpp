// The settings file damaged in each way a user may come to have it. Each file
// is tested once at the store: what it reads, what it tells, that reading
// writes nothing, and that the first save keeps a copy of the file as it was
// when rewriting it would lose anything. One representative file then goes
// through the exporter and the main window, to show the warnings reach the
// user once and both still finish.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/exportcommand.h"
#include "mainwindow/form1.h"
#include "platform/settings/qsettingsstore.h"
#include "sheet/error.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/recordingboxes.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

// The bytes ("<folder>", "<pipe>" and "<link>" stand for those), "key=value;..."
// read as stored ("key=-": read as absent), texts each in exactly one entry of
// what the store passed over, the number of entries, and whether the first
// save keeps a copy.
struct Damaged {
    const char* name;
    QByteArray bytes;
    QString read;
    QStringList told;
    int toldCount;
    bool copyOnSave;
};

const QByteArray kSets = QByteArray("Set~1|dot\\r\\n").repeated(80000);

// clang-format off
const Damaged kFiles[] = {
    {"lines without =", "[Lattora]\nScale=Metric\nno equals sign\nH_Graduation=3\nStyleWidthHeavy\n", u"Scale=Metric;H_Graduation=3;StyleWidthHeavy=-"_s, {u"line 3 is not a setting (it has no \"=\") and is ignored: \"no equals sign\""_s, u"line 5 is not a setting"_s}, 2, true},
    {"twelve lines without =", "[Lattora]\n" + QByteArray("x\n").repeated(12), u""_s, {u"line 2 is not"_s, u"line 11 is not"_s, u"2 more lines of the file could not be read either"_s}, 11, true},
    {"no section", "Scale=Metric\nH_Graduation=4\n", u"Scale=-;H_Graduation=-"_s, {u"\"Scale\" on line 1 is outside the [Lattora] section and is ignored"_s, u"\"H_Graduation\" on line 2 is outside"_s}, 2, false},
    {"unclosed section", "[Lattora\nScale=Metric\n", u""_s, {u"line 1 starts a section without closing it with \"]\""_s}, 1, true},
    {"wrong type", "[Lattora]\nScale=Metric\nH_Graduation=abc\nSubdiv5=0.3\n", u"Scale=Metric;Subdiv5=0.3;H_Graduation=-"_s, {u"\"H_Graduation\": \"abc\" is not a number; the default 0 is used"_s}, 1, false},
    {"megabyte of sets", "[Lattora]\nStyleTemplates=" + kSets + "\n", u"StyleTemplates="_s + QString::fromLatin1(kSets).replace(u"\\r\\n"_s, u"\r\n"_s), {}, 0, false},
    {"invalid UTF-8", "[Lattora]\nScale=Metric\nCurrentStyle=Bl\xffue\nH_Graduation=\xff" "3\n", u"Scale=Metric;CurrentStyle=Bl\uFFFDue;H_Graduation=-"_s, {u"line 3 holds bytes that are not UTF-8 text"_s, u"line 4 holds bytes that are not UTF-8"_s, u"\"H_Graduation\": \"\uFFFD3\" is not a number"_s}, 3, true},
    {"empty", "", u"Scale=-"_s, {}, 0, false},
    {"folder", "<folder>", u"Scale=-"_s, {u"is a folder, not a settings file; every setting has its default"_s}, 1, false},
    {"pipe", "<pipe>", u"Scale=-"_s, {u"cannot be read (it is not a regular file); every setting has its default"_s}, 1, false},
    {"dangling link", "<link>", u"Scale=-"_s, {u"moved.conf\", which does not exist; every setting has its default"_s}, 1, false},
    {"duplicate keys", "[Lattora]\nH_Graduation=2\nScale=Metric\nH_Graduation=5\n", u"H_Graduation=5;Scale=Metric"_s, {u"\"H_Graduation\" is set on lines 2 and 4; the last one is used"_s}, 1, true},
    {"unclosed quotation", "[Lattora]\nCurrentStyle=\"Red\nScale=Metric\nH_Graduation=3\n", u"CurrentStyle=Red\nScale=Metric\nH_Graduation=3\n;Scale=-;H_Graduation=-"_s, {u"line 2 opens a quotation that does not close on it, so lines 2 to 4 are read as one value"_s}, 1, true},
    {"values not text", "[Lattora]\nScale=@Rect(1 2 3 4)\nH_Graduation=@Invalid()\nV_Graduation=2\n", u"V_Graduation=2;Scale=-;H_Graduation=-"_s, {u"\"Scale\" does not hold text; imperial units are used"_s, u"\"H_Graduation\" does not hold text; the default 0 is used"_s}, 2, false},
    {"comment line", "[Lattora]\n; mine\nScale=Metric\n", u"Scale=Metric"_s, {}, 0, true},
    {"comment after a value", "[Lattora]\nScale=Metric ; mine\n", u"Scale=Metric"_s, {}, 0, true},
};
// clang-format on

// Puts a file of `bytes` in place as `path`.
void place(const QByteArray& bytes, const QString& path) {
    if (bytes == "<folder>") {
        ASSERT_TRUE(QDir().mkdir(path));
    } else if (bytes == "<pipe>") {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (bytes == "<link>") {
        ASSERT_TRUE(QFile::link(QFileInfo(path).dir().filePath(u"moved.conf"_s), path));
    } else {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
}

// The entries of `folder` with their sizes and times.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                            QDir::System | QDir::NoDotAndDotDot))
        entries << info.fileName() + QString::number(info.size()) +
                       info.lastModified().toString(Qt::ISODateWithMs);
    return entries;
}

// Each expected text in exactly one entry, no entry twice, and the number of
// entries right (at most ten lines listed, then one entry for the rest).
void expectTold(const QStringList& told, int count, const QStringList& entries) {
    SCOPED_TRACE(entries.join(u'\n').toStdString());
    for (const QString& expected : told)
        EXPECT_EQ(entries.filter(expected).size(), 1) << expected.toStdString();
    EXPECT_TRUE(entries.size() == count && QSet(entries.begin(), entries.end()).size() == count);
}

struct DamagedFile : ::testing::Test {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Lattora.conf"_s);
};

QStringList copiesIn(const QString& folder) {
    return QDir(folder).entryList({u"*.damaged*"_s}, QDir::AllEntries | QDir::System);
}

TEST_F(DamagedFile, StoreReadsWhatItCanTellsTheRestAndKeepsACopyBeforeSaving) {
    for (const Damaged& damaged : kFiles) {
        SCOPED_TRACE(damaged.name);
        // A folder of its own: QSettings keeps what it read of a file by name.
        const QTemporaryDir dir;
        const QString path = dir.filePath(u"Lattora.conf"_s);
        place(damaged.bytes, path);
        const QStringList before = snapshot(dir.path());
        QSettingsStore store(path);
        for (const QString& pair : damaged.read.split(u';', Qt::SkipEmptyParts))
            EXPECT_EQ(store.getSetting(pair.section(u'=', 0, 0), u"-"_s).toStdString(),
                      pair.section(u'=', 1).toStdString());
        expectTold(damaged.told, damaged.toldCount, store.passedOver());
        EXPECT_EQ(snapshot(dir.path()), before);

        // Nothing is written where nothing could be read.
        if (damaged.bytes == "<folder>" || damaged.bytes == "<pipe>") {
            EXPECT_THROW(store.saveSetting(Key::Scale, kMetricWord), Error);
            EXPECT_TRUE(copiesIn(dir.path()).isEmpty());
            continue;
        }
        // Two writes, as a dialog's OK makes several: still one copy, told once.
        store.saveSetting(Key::CurrentStyle, u"Saved"_s);
        store.saveSetting(Key::StyleWidthLight, u"4"_s);
        EXPECT_EQ(copiesIn(dir.path()),
                  damaged.copyOnSave ? QStringList{u"Lattora.conf.damaged"_s} : QStringList());
        EXPECT_EQ(store.takeSaveNotice().contains(path + u".damaged"_s), damaged.copyOnSave);
        EXPECT_TRUE(store.takeSaveNotice().isEmpty());
        QFile copy(store.keptCopy());
        EXPECT_TRUE(!damaged.copyOnSave ||
                    (copy.open(QIODevice::ReadOnly) && copy.readAll() == damaged.bytes));
        EXPECT_EQ(QFileInfo(path).isSymLink(), damaged.bytes == "<link>");

        // The file as written needs no further copy.
        QSettingsStore reopened(path);
        EXPECT_EQ(reopened.getSetting(Key::CurrentStyle, QString()).toStdString(), "Saved");
        reopened.saveSetting(Key::StyleWidthLight, u"6"_s);
        EXPECT_EQ(copiesIn(dir.path()).size(), damaged.copyOnSave ? 1 : 0);
        EXPECT_TRUE(reopened.takeSaveNotice().isEmpty());
    }
}

// With every name a copy could take already taken nothing is written; with
// one free the copy goes there, and no earlier copy is replaced.
TEST_F(DamagedFile, CopiesAreNeverReplacedAndWithoutOneNothingIsSaved) {
    place(kFiles[1].bytes, path);
    for (int n = 1; n <= 100; ++n)
        ASSERT_TRUE(QDir(dir.path())
                        .mkdir(u"Lattora.conf.damaged"_s + (n > 1 ? u".%1"_s.arg(n) : QString())));
    const QStringList before = snapshot(dir.path());
    EXPECT_THROW(QSettingsStore(path).saveSetting(Key::Scale, kMetricWord), Error);
    EXPECT_EQ(snapshot(dir.path()), before);
    ASSERT_TRUE(QDir(dir.path()).rmdir(u"Lattora.conf.damaged.2"_s));
    QSettingsStore store(path);
    store.saveSetting(Key::Scale, kMetricWord);
    EXPECT_EQ(store.keptCopy(), path + u".damaged.2"_s);
}

// One file with a damaged line, a value the store ignores and one the
// line-set load cannot decode; written so the rewrite needs a copy.
const QByteArray kRepresentative =
    "[Lattora]\nno equals here\nH_Graduation=15\nStyleTemplates=A~x|1|2|3|dot\\r\\n\n";
// clang-format off
const QStringList kRepresentativeTold{u"line 2 is not a setting"_s, u"\"H_Graduation\": \"15\" is not a whole number from -10 to 10; the default 0 is used"_s, u"Type mismatch: \"x\" is not a colour value"_s};
// clang-format on

// Reading writes nothing; the window's first save says where the copy went.
TEST_F(DamagedFile, ExportAndWindowFinishAndWarnOnce) {
    place(kRepresentative, path);
    const QStringList before = snapshot(dir.path());
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString errText;
    QTextStream err(&errText);
    EXPECT_EQ(runExportCommand({u"--paper"_s, u"A4"_s, u"-"_s}, QSettingsStore(path), out, err), 0);
    err.flush();
    EXPECT_GT(out.data().count("\nline "), 40);
    const QStringList lines = errText.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(u"lattora-export: warning: "_s), lines);
    expectTold(kRepresentativeTold, 3, lines);

    QSettingsStore store(path);
    FixedPrinter printer{{QSizeF(210, 297), QRectF(5, 5, 200, 287), Orientation::Portrait}};
    RecordingBoxes boxes;
    NoColorChooser chooser;
    Form1 form(store, printer, boxes, chooser, nullptr, dir.path());
    form.setQuitter([] {});
    form.Form_Load();
    ASSERT_EQ(boxes.messages().size(), 1);
    EXPECT_TRUE(boxes.messages()[0].contains(path));
    const QString list = u"\n"_s + boxes.messages()[0].section(u"\n\n"_s, 1, 1);
    expectTold(kRepresentativeTold, 3, list.split(u"\n\u2022 "_s, Qt::SkipEmptyParts));
    EXPECT_EQ(snapshot(dir.path()), before);

    form.setModalRunner([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(u"PushButton2"_s)->click();  // OK
        return dialog.result();
    });
    for (const int save : {1, 2}) {
        boxes.shown.clear();
        form.findChild<QPushButton*>(u"PushButton12"_s)->click();  // Configuration
        EXPECT_EQ(boxes.messages().filter(path + u".damaged"_s).size(), boxes.shown.size());
        EXPECT_EQ(boxes.shown.size(), save == 1 ? 1 : 0);
    }
    EXPECT_EQ(copiesIn(dir.path()), QStringList{u"Lattora.conf.damaged"_s});
}

}  // namespace
}  // namespace lattora::test
