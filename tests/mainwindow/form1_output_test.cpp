// Save and Copy, answered by a fake file dialog and a fake clipboard.
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <csignal>

#include "platform/output/bitmapfile.h"
#include "tests/mainwindow/form1_fixture.h"
#include "tests/support/fakeclipboard.h"
#include "tests/support/fakesavedialog.h"
#include "tests/support/pixels.h"

namespace lattora::test {
namespace {

const QString kBmpDialogFilter = u"BMP File (*.bmp)"_s;
const QString kSaved = u"Saved."_s;
const QString kCopied = u"A copy of the graph paper has been placed in the clipboard"_s;
const QString kBusy =
    u"The graph paper could not be placed in the clipboard: it is in use by another program. "
    "Please try again."_s;
const QColor kWhite(Qt::white);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a file holds, told by its first bytes.
QString kindOf(const QByteArray& bytes) {
    if (bytes.startsWith("BM")) {
        return u"bmp"_s;
    }
    if (bytes.startsWith("%PDF-")) {
        return u"pdf"_s;
    }
    if (bytes.startsWith("\x89PNG\r\n")) {
        return u"png"_s;
    }
    if (bytes.contains("<svg")) {
        return u"svg"_s;
    }
    return u"unknown"_s;
}

// How many pixels of two pictures of one size differ.
qint64 differingPixels(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            count += rgbAt(x, column, row) != rgbAt(y, column, row);
        }
    }
    return count;
}

// Files beyond `bytes` cannot be written while this lives, as on a full
// disk; the signal such a write raises is ignored so the write just fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

class Form1OutputTest : public Form1Test {
public:
    void SetUp() override { useTestLineSet(); }

    Form1& openForOutput() {
        Form1& form = open();
        form.setSaveDialog(dialog);
        form.setClipboard(clipboard);
        return form;
    }

    Form1& openWithArea() {
        Form1& form = openForOutput();
        applyTestArea();
        return form;
    }

    // Saves as `name` in the output folder with `filter` chosen; returns the path.
    QString save(const QString& name, const QString& filter = kBmpDialogFilter) {
        const QString path = out.filePath(name);
        dialog.choose(path, filter);
        click(u"PushButton9"_s);
        return path;
    }

    QStringList outputFiles() const {
        return QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    const QImage& print() const { return form->preview().printPicture().image(); }

    FakeSaveDialog dialog;
    FakeClipboard clipboard;
    QTemporaryDir out;
};

TEST_F(Form1OutputTest, SaveAsksUnderItsTitleWithTheBitmapFirstAndCancelDoesNothing) {
    Form1& form = openForOutput();
    form.preview().clearPrintPicture();
    dialog.cancel();
    click(u"PushButton9"_s);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(dialog.title, u"Save Graph Paper");
    EXPECT_EQ(dialog.filters, (QStringList{kBmpDialogFilter, u"PDF File (*.pdf)"_s,
                                           u"SVG File (*.svg)"_s, u"PNG File (*.png)"_s}));
    EXPECT_EQ(dialog.defaultFilter, kBmpDialogFilter);
    EXPECT_TRUE(outputFiles().isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
    // Not even redrawn.
    EXPECT_TRUE(inkBounds(print(), print().rect(), kWhite).isEmpty());
}

struct FormatCase {
    const char* name;
    const char* fileName;
    QString filter;
    const char* kind;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class Form1SaveFormatTest : public Form1OutputTest,
                            public ::testing::WithParamInterface<FormatCase> {};

TEST_P(Form1SaveFormatTest, WritesUnderExactlyTheNameGiven) {
    openForOutput();
    const QString path = save(QString::fromUtf8(GetParam().fileName), GetParam().filter);
    EXPECT_EQ(outputFiles(), QStringList{QString::fromUtf8(GetParam().fileName)});
    EXPECT_EQ(kindOf(readAll(path)), QLatin1String(GetParam().kind));
    EXPECT_EQ(boxes.messages(), QStringList{kSaved});
    EXPECT_TRUE(boxes.errors().isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Names, Form1SaveFormatTest,
    ::testing::Values(FormatCase{"NoExtensionBitmapFilter", "sheet", kBmpDialogFilter, "bmp"},
                      FormatCase{"NoExtensionPdfFilter", "sheet", u"PDF File (*.pdf)"_s, "pdf"},
                      FormatCase{"NoExtensionSvgFilter", "sheet", u"SVG File (*.svg)"_s, "svg"},
                      FormatCase{"NoExtensionPngFilter", "sheet", u"PNG File (*.png)"_s, "png"},
                      FormatCase{"UnknownExtensionFollowsTheFilter", "sheet.v2",
                                 u"PNG File (*.png)"_s, "png"},
                      FormatCase{"NoFilterMeansBitmap", "sheet", QString(), "bmp"},
                      FormatCase{"ExtensionBeatsTheFilter", "sheet.pdf", kBmpDialogFilter, "pdf"},
                      FormatCase{"ExtensionInCapitals", "SHEET.SVG", kBmpDialogFilter, "svg"},
                      FormatCase{"PngExtension", "sheet.Png", u"PDF File (*.pdf)"_s, "png"},
                      FormatCase{"BmpExtension", "sheet.bmp", u"SVG File (*.svg)"_s, "bmp"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form1OutputTest, BitmapIsTheFullSizePageAtTheScreensDensity) {
    openWithArea();
    const QString path = save(u"page.bmp"_s);
    ASSERT_EQ(boxes.messages(), QStringList{kSaved});
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    // The whole A4 paper, not just its printable area.
    const double dpi = form->preview().printPicture().dpi();
    EXPECT_EQ(saved.size(), QSize(static_cast<int>(std::lround(210 / 25.4 * dpi)),
                                  static_cast<int>(std::lround(297 / 25.4 * dpi))));
    ASSERT_EQ(saved.size(), print().size());
    EXPECT_EQ(differingPixels(saved, print()), 0);
    EXPECT_FALSE(inkBounds(saved, saved.rect(), kWhite).isEmpty());
    EXPECT_EQ(saved.dotsPerMeterX(), std::lround(dpi / 0.0254));
    EXPECT_EQ(saved.dotsPerMeterY(), std::lround(dpi / 0.0254));
}

TEST_F(Form1OutputTest, PngIsTheWholePageAt300DpiWithTheSheetInThePrintableArea) {
    openWithArea();
    const QString path = save(u"page.png"_s);
    ASSERT_EQ(boxes.messages(), QStringList{kSaved});
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(2480, 3508));  // 210 mm x 297 mm at 300 dpi
    EXPECT_EQ(saved.dotsPerMeterX(), 11811);
    EXPECT_EQ(saved.dotsPerMeterY(), 11811);
    // The printable area starts 5 mm in: the borders lie that much further
    // from the paper's edge than the margins say.
    const auto pixels = [](double cm) {
        return static_cast<int>(std::lround((0.5 + cm) / 2.54 * 300));
    };
    const QRect bounds = inkBounds(saved, saved.rect(), kWhite);
    EXPECT_NEAR(bounds.left(), pixels(2.54), 1);
    EXPECT_NEAR(bounds.top(), pixels(5.08), 1);
    EXPECT_NEAR(bounds.right(), pixels(2.54 + 12.7), 1);
    EXPECT_NEAR(bounds.bottom(), pixels(5.08 + 15.24), 1);
    EXPECT_EQ(rgbAt(saved, bounds.left(), bounds.center().y()), rgbOf(255, 0, 0));
}

class Form1PdfTest : public Form1OutputTest, public ::testing::WithParamInterface<bool> {};

TEST_P(Form1PdfTest, ThePageIsThePaperInItsOrientation) {
    const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
    if (pdfinfo.isEmpty()) {
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    }
    const bool landscape = GetParam();
    openForOutput();
    if (landscape) {
        control<QRadioButton>(u"rbLandscape"_s)->click();
    }
    const QString path = save(u"page.pdf"_s);
    ASSERT_EQ(boxes.messages(), QStringList{kSaved});

    QProcess info;
    info.start(pdfinfo, {path});
    ASSERT_TRUE(info.waitForFinished(30000));
    ASSERT_EQ(info.exitCode(), 0) << info.readAllStandardError().toStdString();
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(
        text.contains(QRegularExpression(u"^Pages:\\s+1$"_s, QRegularExpression::MultilineOption)))
        << text.toStdString();
    const auto size = QRegularExpression(u"Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s).match(text);
    ASSERT_TRUE(size.hasMatch()) << text.toStdString();
    const double shortSide = 210 / 25.4 * 72;
    const double longSide = 297 / 25.4 * 72;
    // Page sizes are kept in whole points.
    EXPECT_NEAR(size.captured(1).toDouble(), landscape ? longSide : shortSide, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble(), landscape ? shortSide : longSide, 0.5);
}

INSTANTIATE_TEST_SUITE_P(Orientations, Form1PdfTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Landscape" : "Portrait");
});

TEST_F(Form1OutputTest, SvgOpensAtThePapersSizeInMillimetres) {
    openWithArea();
    const QString path = save(u"page.svg"_s);
    ASSERT_EQ(boxes.messages(), QStringList{kSaved});
    const QSvgRenderer renderer(path);
    EXPECT_TRUE(renderer.isValid());
    QXmlStreamReader xml(readAll(path));
    ASSERT_TRUE(xml.readNextStartElement());
    ASSERT_EQ(xml.name(), u"svg");
    EXPECT_EQ(xml.attributes().value(u"width"_s), u"210mm");
    EXPECT_EQ(xml.attributes().value(u"height"_s), u"297mm");
    // A hundred units to the millimetre.
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 21000, 29700));
}

struct UnwritableCase {
    const char* name;
    const char* fileName;  // in the output folder
};

void PrintTo(const UnwritableCase& c, std::ostream* os) {
    *os << c.name;
}

class Form1UnwritableTest : public Form1OutputTest,
                            public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(Form1UnwritableTest, ShowsOneErrorNamingTheFileAndNoSuccess) {
    openForOutput();
    ASSERT_TRUE(QDir(out.path()).mkdir(u"folder"_s));
    const QString path = save(QString::fromUtf8(GetParam().fileName));
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().first().contains(u"Cannot save \"%1\": "_s.arg(path)))
        << boxes.errors().first().toStdString();
    EXPECT_TRUE(boxes.messages().isEmpty());
    EXPECT_EQ(outputFiles(), QStringList{u"folder"_s});
}

INSTANTIATE_TEST_SUITE_P(Targets, Form1UnwritableTest,
                         ::testing::Values(UnwritableCase{"MissingFolder", "missing/page.bmp"},
                                           UnwritableCase{"NameOfAFolder", "folder"}),
                         [](const auto& info) { return std::string(info.param.name); });

class Form1FailedSaveTest : public Form1OutputTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(Form1FailedSaveTest, LeavesTheExistingFileAsItWas) {
    openWithArea();
    const QString path = out.filePath(QString::fromUtf8(GetParam()));
    const QByteArray before("an earlier file");
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        ASSERT_EQ(earlier.write(before), before.size());
    }
    {
        // Every format of this sheet takes more than this.
        const FileSizeLimit full(256);
        save(QString::fromUtf8(GetParam()));
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(outputFiles(), QStringList{QString::fromUtf8(GetParam())});
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().first().contains(u"Cannot save \"%1\": "_s.arg(path)))
        << boxes.errors().first().toStdString();
    EXPECT_TRUE(boxes.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Form1FailedSaveTest, ::testing::Values("page.bmp", "page.pdf", "page.svg", "page.png"),
    [](const auto& info) {
        return QString::fromUtf8(info.param).section(u'.', 1).toUpper().toStdString();
    });

TEST_F(Form1OutputTest, SavesAChangedSheetInItsChangedState) {
    Form1& form = openWithArea();
    // Another abscissa scale, chosen while the list's handler is held back:
    // the picture still shows the old one.
    QComboBox* items = list(u"cbAbsDiv"_s);
    ASSERT_GT(items->count(), 1);
    const int changed = (items->currentIndex() + 1) % items->count();
    {
        const QSignalBlocker quiet(items);
        items->setCurrentIndex(changed);
    }
    const QImage stale = print().copy();
    const QString path = save(u"page.bmp"_s);
    ASSERT_EQ(boxes.messages(), QStringList{kSaved});
    EXPECT_EQ(form.sheet().abscissa.item, changed);
    const QImage saved(path);
    ASSERT_EQ(saved.size(), stale.size());
    EXPECT_GT(differingPixels(saved, stale), 0);
    EXPECT_EQ(differingPixels(saved, print()), 0);
}

struct CopyCase {
    const char* name;
    int busyClears;  // -1: busy for ever
    int busySets;
    int clears;  // attempts expected
    int sets;
    bool placed;
};

void PrintTo(const CopyCase& c, std::ostream* os) {
    *os << c.name;
}

class Form1CopyTest : public Form1OutputTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(Form1CopyTest, TriesUntilTheClipboardIsFreeOrTheAttemptsRunOut) {
    const CopyCase& c = GetParam();
    clipboard = FakeClipboard(c.busyClears, c.busySets);
    Form1& form = openWithArea();
    // Copy draws the sheet first.
    form.preview().clearPrintPicture();
    click(u"PushButton6"_s);
    EXPECT_EQ(clipboard.clears, c.clears);
    EXPECT_EQ(clipboard.sets, c.sets);
    if (c.placed) {
        EXPECT_EQ(boxes.messages(), QStringList{kCopied});
        EXPECT_TRUE(boxes.errors().isEmpty()) << boxes.errors().join(u'\n').toStdString();
        ASSERT_EQ(clipboard.picture.size(), print().size());
        EXPECT_EQ(differingPixels(clipboard.picture, print()), 0);
        EXPECT_FALSE(inkBounds(clipboard.picture, clipboard.picture.rect(), kWhite).isEmpty());
    } else {
        EXPECT_TRUE(boxes.messages().isEmpty());
        EXPECT_EQ(boxes.errors(), QStringList{kBusy});
    }
}

const CopyCase kCopyCases[] = {
    {"Free", 0, 0, 1, 1, true},
    {"FreeOnTheThirdAttempt", 2, 2, 3, 3, true},
    {"FreeOnTheLastAttempt", 999, 999, 1000, 1000, true},
    {"FreeOneAttemptTooLate", 1000, 1000, 1000, 1000, false},
    // Setting replaces whatever the clipboard held.
    {"NeverClearedButSet", -1, 0, 1000, 1, true},
    {"NeverFree", -1, -1, 1000, 1000, false},
};

INSTANTIATE_TEST_SUITE_P(Clipboards, Form1CopyTest, ::testing::ValuesIn(kCopyCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lattora::test
