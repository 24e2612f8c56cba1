#include "app/exportcommand.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>

#include "platform/print/printer.h"
#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/memorystore.h"
#include "tests/support/pixels.h"

namespace lattora {
namespace {

// The default printer: Letter with quarter-inch hardware margins.
PrinterOpener letterPrinter(bool installed = true) {
    return [installed](const QString&) -> std::unique_ptr<Printer> {
        return std::make_unique<FixedPrinter>(
            PageSetup{QSizeF(215.9, 279.4), QRectF(6.35, 6.35, 203.2, 266.7),
                      Orientation::Portrait},
            installed);
    };
}

QStringList args(const std::vector<const char*>& list) {
    QStringList result;
    for (const char* a : list) {
        result << QString::fromUtf8(a);
    }
    return result;
}

struct ScaleCase {
    const char* text;
    int family;
    int item;
    double divisions;
};

class ScaleTextTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleTextTest, ReadsTheListTexts) {
    const ScaleCase& c = GetParam();
    const AxisScale scale = parseScaleText(QString::fromUtf8(c.text));
    EXPECT_EQ(scale.family, c.family) << c.text;
    EXPECT_EQ(scale.item, c.item) << c.text;
    EXPECT_EQ(scale.divisions, c.divisions) << c.text;
}

// A family alone takes the item its list selects after filling.
INSTANTIATE_TEST_SUITE_P(
    Texts, ScaleTextTest,
    ::testing::Values(ScaleCase{"Logarithmic:3 cycles", 4, 2, 30},
                      ScaleCase{"Imperial:1/16 inch", 1, 1, 30},
                      ScaleCase{"Probability:1% to 99%", 7, 0, 30},
                      ScaleCase{"Probability:0.1% to 99.9%", 7, 1, 30},
                      ScaleCase{"Square Root:0 to 50", 6, 2, 30},
                      ScaleCase{"N divided:25", 2, -1, 25}, ScaleCase{"N divided:2.5", 2, -1, 2.5},
                      ScaleCase{"N divided", 2, -1, 30}, ScaleCase{"Metric", 0, 0, 30},
                      ScaleCase{"Imperial", 1, 0, 30}, ScaleCase{"Time", 3, 1, 30},
                      ScaleCase{"Logarithmic", 4, 1, 30}, ScaleCase{"Quadratic", 5, 1, 30},
                      ScaleCase{"Square Root", 6, 1, 30}, ScaleCase{"Probability", 7, 1, 30}));

TEST(ScaleText, RefusesWhatTheListsDoNotShow) {
    for (const char* text : {"", "metric", "Metric:3 mm", "Metric:1mm", "Logarithmic:7 cycles",
                             "N divided:", "N divided:many", "Time:", "Square root:0 to 10"}) {
        EXPECT_THROW(parseScaleText(QString::fromUtf8(text)), Error) << text;
    }
}

struct FormatCase {
    std::vector<const char*> arguments;
    ExportFormat format;
};

TEST(ExportArguments, FormatComesFromTheExtensionUnlessGiven) {
    const FormatCase cases[] = {
        {{"out.pdf"}, ExportFormat::Pdf},
        {{"out.SVG"}, ExportFormat::Svg},
        {{"out.png"}, ExportFormat::Png},
        {{"out.bmp"}, ExportFormat::Bmp},
        {{"out.txt"}, ExportFormat::Trace},
        {{"-"}, ExportFormat::Trace},
        {{"--format", "png", "out.pdf"}, ExportFormat::Png},
        {{"--format=trace", "out"}, ExportFormat::Trace},
        {{"--format", "pdf", "-"}, ExportFormat::Pdf},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(parseExportArguments(args(c.arguments)).format, c.format)
            << args(c.arguments).join(u' ').toStdString();
    }
}

TEST(ExportArguments, ReadsEveryOption) {
    const ExportRequest r = parseExportArguments(
        args({"--abscissa", "Time:24 hours", "--ordinate=N divided:12", "--margins", "1.5,-2",
              "--size", "10,20.25", "--paper", "letter", "--orientation", "Landscape", "--dpi",
              "600", "--corrections", "sheet.png"}));
    EXPECT_EQ(r.output, QStringLiteral("sheet.png"));
    EXPECT_EQ(r.abscissa.family, Family::Time);
    EXPECT_EQ(r.abscissa.item, 2);
    EXPECT_EQ(r.ordinate.family, Family::NDivided);
    EXPECT_EQ(r.ordinate.divisions, 12);
    EXPECT_EQ(r.margins, QPointF(1.5, -2));
    EXPECT_EQ(r.size, QSizeF(10, 20.25));
    ASSERT_TRUE(r.paper);
    EXPECT_EQ(r.paper->id(), QPageSize::Letter);
    EXPECT_EQ(r.orientation, Orientation::Landscape);
    EXPECT_EQ(r.dpi, 600);
    EXPECT_TRUE(r.corrections);
}

TEST(ExportArguments, DefaultsAreOneMillimetreOnBothAxes) {
    const ExportRequest r = parseExportArguments(args({"out.pdf"}));
    for (const AxisScale& axis : {r.abscissa, r.ordinate}) {
        EXPECT_EQ(axis.family, Family::Metric);
        EXPECT_EQ(axis.item, 0);
        EXPECT_EQ(axis.divisions, 30);
    }
    EXPECT_EQ(r.dpi, 300);
    EXPECT_FALSE(r.corrections);
    EXPECT_FALSE(r.paper || r.margins || r.size || r.orientation);
}

TEST(ExportArguments, RefusesWithAMessageNamingTheProblem) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"--bogus", "out.pdf"}, "bogus"},
        {{}, "OUTPUT"},
        {{"a.pdf", "b.pdf"}, "OUTPUT"},
        {{"out.jpg"}, "out.jpg"},
        {{"--format", "jpeg", "out.pdf"}, "jpeg"},
        {{"--dpi", "0", "out.png"}, "--dpi"},
        {{"--dpi", "96.5", "out.png"}, "--dpi"},
        {{"--dpi", "100000", "out.png"}, "--dpi"},
        {{"--margins", "1", "out.pdf"}, "--margins"},
        {{"--size", "1;2", "out.pdf"}, "--size"},
        {{"--size", "a,b", "out.pdf"}, "--size"},
        {{"--paper", "Napkin", "out.pdf"}, "Napkin"},
        {{"--orientation", "sideways", "out.pdf"}, "sideways"},
        {{"--abscissa", "Metric:3 mm", "out.pdf"}, "3 mm"},
        {{"--paper", "A4", "--paper", "A3", "out.pdf"}, "paper"},
        {{"--abscissa"}, "abscissa"},
        {{"--print", "out.pdf"}, "OUTPUT"},
        {{"--printer", "Office", "out.pdf"}, "--print"},
        {{"--print", "--dpi", "300"}, "--dpi"},
        {{"--print", "--format", "pdf"}, "--format"},
        {{"--print", "--printer", "A", "--printer", "B"}, "printer"},
    };
    for (const auto& [arguments, expected] : cases) {
        try {
            parseExportArguments(args(arguments));
            ADD_FAILURE() << "accepted: " << args(arguments).join(u' ').toStdString();
        } catch (const Error& e) {
            EXPECT_TRUE(e.description().contains(QString::fromUtf8(expected)))
                << e.description().toStdString();
            EXPECT_FALSE(e.description().contains(u'\n')) << e.description().toStdString();
        }
    }
}

TEST(ExportArguments, CalibrationKeepsThePageOptionsAndAlwaysCorrects) {
    const ExportRequest file =
        parseExportArguments(args({"--calibration", "--paper", "A4", "--orientation", "landscape",
                                   "--dpi", "150", "cal.png"}));
    EXPECT_TRUE(file.calibration);
    EXPECT_TRUE(file.corrections);
    EXPECT_EQ(file.format, ExportFormat::Png);
    ASSERT_TRUE(file.paper);
    EXPECT_EQ(file.paper->id(), QPageSize::A4);
    EXPECT_EQ(file.orientation, Orientation::Landscape);
    EXPECT_EQ(file.dpi, 150);

    const ExportRequest printed =
        parseExportArguments(args({"--calibration", "--print", "--printer", "Lab"}));
    EXPECT_TRUE(printed.calibration);
    EXPECT_TRUE(printed.print);
    EXPECT_TRUE(printed.corrections);

    EXPECT_FALSE(parseExportArguments(args({"out.pdf"})).calibration);
}

TEST(ExportArguments, CalibrationRefusesTheGraphAreaOptions) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"--calibration", "--abscissa", "Metric:1 mm", "out.pdf"}, "--abscissa"},
        {{"--ordinate=Time", "--calibration", "out.pdf"}, "--ordinate"},
        {{"--calibration", "--margins", "1,1", "-"}, "--margins"},
        {{"--calibration", "--size", "5,5", "out.png"}, "--size"},
        {{"--calibration", "--print", "--abscissa", "Metric"}, "--abscissa"},
    };
    for (const auto& [arguments, option] : cases) {
        try {
            parseExportArguments(args(arguments));
            ADD_FAILURE() << "accepted: " << args(arguments).join(u' ').toStdString();
        } catch (const Error& e) {
            EXPECT_TRUE(e.description().contains(QString::fromUtf8(option)))
                << e.description().toStdString();
            EXPECT_TRUE(e.description().contains(QStringLiteral("--calibration")))
                << e.description().toStdString();
            EXPECT_FALSE(e.description().contains(u'\n')) << e.description().toStdString();
        }
    }
}

TEST(ExportPlan, WithoutAPrinterTheSheetIsAnA4PortraitWithStandardMargins) {
    const PrinterOpener printers = letterPrinter(false);
    test::MemoryStore store{{Key::Scale, kMetricWord}};
    const ExportPlan plan = planExport(parseExportArguments(args({"x.pdf"})), store, printers);
    EXPECT_EQ(plan.printerPage.orientation, 1);
    EXPECT_NEAR(plan.printerPage.printableWidth, 21.0, 1e-5);
    EXPECT_NEAR(plan.printerPage.printableHeight, 29.7, 1e-5);
    EXPECT_EQ(plan.printerPage.pageWidthTwips, 11906);  // 210 mm
    EXPECT_EQ(plan.sheet.marginLeft, 1.0);
    EXPECT_EQ(plan.sheet.marginTop, 1.0);
    EXPECT_NEAR(plan.sheet.areaWidth, 19.0, 1e-5);
    EXPECT_NEAR(plan.sheet.areaHeight, 27.7, 1e-5);
}

TEST(ExportPlan, TheDefaultPrinterGivesPageAndPrintableArea) {
    const PrinterOpener printers = letterPrinter();
    const test::MemoryStore store;  // imperial
    const ExportPlan plan = planExport(parseExportArguments(args({"x.pdf"})), store, printers);
    EXPECT_EQ(plan.printerPage.pageWidthTwips, 12240);  // 8.5 in
    EXPECT_EQ(plan.printerPage.pageHeightTwips, 15840);
    EXPECT_NEAR(plan.printerPage.printableWidth, 8.0, 1e-5);
    EXPECT_EQ(plan.sheet.marginLeft, 0.5);
    EXPECT_NEAR(plan.sheet.areaWidth, 7.0, 1e-5);
    EXPECT_NEAR(plan.sheet.areaHeight, 9.5, 1e-5);
    EXPECT_EQ(plan.page.printableMm.topLeft(), QPointF(6.35, 6.35));

    const ExportPlan turned = planExport(
        parseExportArguments(args({"--orientation", "landscape", "x.pdf"})), store, printers);
    EXPECT_EQ(turned.printerPage.orientation, 2);
    EXPECT_NEAR(turned.sheet.areaWidth, 9.5, 1e-5);
}

TEST(ExportPlan, APaperNameOverridesThePrinterAndHasNoMargins) {
    const PrinterOpener printers = letterPrinter();
    const test::MemoryStore store{{Key::Scale, kMetricWord}};
    const ExportPlan plan = planExport(
        parseExportArguments(
            args({"--paper", "A3", "--orientation", "landscape", "--margins", "2,3", "x.pdf"})),
        store, printers);
    EXPECT_NEAR(plan.printerPage.printableWidth, 42.0, 1e-5);
    EXPECT_NEAR(plan.printerPage.printableHeight, 29.7, 1e-5);
    EXPECT_EQ(plan.page.printableMm.topLeft(), QPointF(0, 0));
    EXPECT_EQ(plan.sheet.marginLeft, 2.0);
    EXPECT_EQ(plan.sheet.marginTop, 3.0);
    EXPECT_NEAR(plan.sheet.areaWidth, 40.0, 1e-5);  // size still standard
}

TEST(ExportPlan, TakesStoredLineSetThresholdsAndCorrectionsWithoutWriting) {
    const PrinterOpener printers = letterPrinter();
    test::MemoryStore store{
        {Key::StyleTemplates, QStringLiteral("Mine~1|2|3|4|dot\r\nRed Lines~192|12624127|"
                                             "12624127|12624127|dot\r\n")},
        {Key::CurrentStyle, QStringLiteral("Red Lines")},
        {Key::Subdiv10, QStringLiteral("2.5")},
        {Key::HGraduation, QStringLiteral("-10")},
        {Key::VGraduation, QStringLiteral("3")},
    };
    const ExportPlan plain = planExport(parseExportArguments(args({"x.pdf"})), store, printers);
    EXPECT_EQ(plain.colors.heavyColor, 192u);
    EXPECT_EQ(plain.colors.lightColor, 12624127u);
    EXPECT_EQ(plain.limits.ten, 2.5f);
    EXPECT_EQ(plain.limits.two, 0.08f);
    EXPECT_EQ(plain.hCorrection, 0.0);

    const ExportPlan corrected =
        planExport(parseExportArguments(args({"--corrections", "x.pdf"})), store, printers);
    EXPECT_EQ(corrected.hCorrection, -0.01);
    EXPECT_EQ(corrected.vCorrection, 0.003);
    EXPECT_TRUE(store.writes().isEmpty()) << store.writes().join(u',').toStdString();
}

TEST(ExportPlan, FreshStoreDrawsBlackLines) {
    const PrinterOpener printers = letterPrinter();
    const test::MemoryStore store;
    const ExportPlan plan = planExport(parseExportArguments(args({"x.pdf"})), store, printers);
    const LineColors& c = plan.colors;
    EXPECT_EQ(c.heavyColor | c.mediumColor | c.lightColor | c.subdivColor, 0u);
    EXPECT_EQ(plan.limits.ten, 0.39f);
}

class ExportRun : public ::testing::Test {
protected:
    int run(const std::vector<const char*>& arguments) {
        out.close();
        outBytes.clear();
        out.open(QIODevice::WriteOnly);
        errText.clear();
        QTextStream err(&errText);
        return runExportCommand(args(arguments), store, out, err, printers);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    test::MemoryStore store{{Key::Scale, kMetricWord}};
    PrinterOpener printers = letterPrinter();
    QByteArray outBytes;
    QBuffer out{&outBytes};
    QString errText;
};

TEST_F(ExportRun, TraceOnStandardOutputStartsWithTheUnitAndTheFirstLine) {
    ASSERT_EQ(run({"--paper", "A4", "-"}), 0) << errText.toStdString();
    const QStringList lines = QString::fromUtf8(outBytes).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("unit 7"));
    // The first abscissa line of "1 mm" lies on the left edge, 1 cm in, from
    // the top edge to the bottom edge (27.7 cm further down).
    const QStringList first = lines[1].split(u' ');
    ASSERT_EQ(first.size(), 6);
    EXPECT_EQ(first[0], QStringLiteral("line"));
    EXPECT_FLOAT_EQ(parseNumber(first[1]), 1.0f);
    EXPECT_FLOAT_EQ(parseNumber(first[2]), 1.0f);
    EXPECT_FLOAT_EQ(parseNumber(first[4]), 28.7f);
    EXPECT_EQ(first[5], QStringLiteral("0"));
    EXPECT_TRUE(errText.isEmpty());
}

TEST_F(ExportRun, TraceLabelsAreTheNumbersWithoutBlanks) {
    ASSERT_EQ(run({"--paper", "A4", "--ordinate", "Logarithmic:1 cycle", "-"}), 0);
    QStringList labels;
    for (const QString& line : QString::fromUtf8(outBytes).split(u'\n')) {
        if (line.startsWith(QStringLiteral("label "))) {
            labels << line.section(u' ', 3);
        }
    }
    EXPECT_EQ(labels, QStringLiteral("1 2 3 4 5 6 7 8 9 10").split(u' '));
}

TEST_F(ExportRun, EveryFormatWritesItsKindOfFile) {
    const std::pair<const char*, QByteArray> cases[] = {
        {"a.pdf", QByteArray("%PDF-")},    {"a.svg", QByteArray("<?xml")},
        {"a.png", QByteArray("\x89PNG")},  {"a.bmp", QByteArray("BM")},
        {"a.txt", QByteArray("unit 7\n")},
    };
    for (const auto& [name, magic] : cases) {
        ASSERT_EQ(run({"--paper", "A5", "--dpi", "50", qPrintable(path(name))}), 0)
            << name << ": " << errText.toStdString();
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(file.readAll().startsWith(magic)) << name;
    }
    EXPECT_EQ(files().size(), 5) << files().join(u',').toStdString();
}

TEST_F(ExportRun, BitmapsCarryTheirResolution) {
    ASSERT_EQ(run({"--paper", "A5", "--dpi", "150", qPrintable(path("a.png"))}), 0);
    const QImage image(path("a.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 874);  // 148 mm at 150 dpi
    EXPECT_EQ(image.dotsPerMeterX(), 5906);
}

TEST_F(ExportRun, FailuresLeaveNoFileAndKeepAnExistingOne) {
    {
        QFile existing(path("sheet.pdf"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("earlier sheet");
    }
    // A million divisions is more lines than any axis may take.
    EXPECT_EQ(run({"--abscissa", "N divided:1000000", qPrintable(path("sheet.pdf"))}), 2);
    EXPECT_TRUE(errText.contains(QStringLiteral("Too many grid lines"))) << errText.toStdString();
    EXPECT_EQ(errText.count(u'\n'), 1);
    EXPECT_EQ(files(), QStringList{QStringLiteral("sheet.pdf")});
    QFile existing(path("sheet.pdf"));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("earlier sheet"));

    EXPECT_EQ(run({"--abscissa", "Metric:4 mm", qPrintable(path("other.pdf"))}), 2);
    EXPECT_EQ(files(), QStringList{QStringLiteral("sheet.pdf")});
}

// Stored values passed over are mentioned after a finished export only, so a
// failure stays one line.
TEST_F(ExportRun, WarningsFollowSuccessAndNeverJoinAFailure) {
    store.saveSetting(Key::StyleTemplates, QStringLiteral("A~x|1|2|3|dot\r\n"));
    EXPECT_EQ(run({"--abscissa", "N divided:1e9", "-"}), 2);
    EXPECT_EQ(errText.count(u'\n'), 1) << errText.toStdString();
    EXPECT_TRUE(errText.contains(QStringLiteral("Too many grid lines")));

    EXPECT_EQ(run({"-"}), 0);
    EXPECT_TRUE(errText.startsWith(QStringLiteral("lattora-export: warning: ")))
        << errText.toStdString();
    EXPECT_TRUE(errText.contains(QStringLiteral("\"x\"")));
    EXPECT_TRUE(outBytes.startsWith("unit 7\n"));
}

TEST_F(ExportRun, HelpIsAnOptionNotAWord) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(outBytes.startsWith("Usage: lattora-export"));
    // After "--" it is a file name like any other, with no format to tell.
    EXPECT_EQ(run({"--", "--help"}), 2);
    EXPECT_TRUE(errText.contains(QStringLiteral("--help"))) << errText.toStdString();
}

TEST_F(ExportRun, UnwritablePlaceIsReported) {
    EXPECT_EQ(run({qPrintable(path("no-such-folder/sheet.pdf"))}), 2);
    EXPECT_TRUE(errText.startsWith(QStringLiteral("lattora-export: cannot write")))
        << errText.toStdString();
    EXPECT_EQ(errText.count(u'\n'), 1);
}

TEST_F(ExportRun, BadStoredNumberIsAFailureNotAGuess) {
    store.saveSetting(Key::StyleWidthHeavy, QStringLiteral("thick"));
    EXPECT_EQ(run({"-"}), 2);
    EXPECT_TRUE(errText.contains(QStringLiteral("thick"))) << errText.toStdString();
    EXPECT_TRUE(outBytes.isEmpty());
}

// The trace of the calibration page: its captions as "text" lines, its
// numbers as the usual "label" lines, the stored corrections in the title and
// on the rules.
TEST_F(ExportRun, CalibrationTraceShowsTheTextsAndTheStoredCorrections) {
    store.saveSetting(Key::HGraduation, QStringLiteral("-7"));
    store.saveSetting(Key::VGraduation, QStringLiteral("4"));
    ASSERT_EQ(run({"--calibration", "--paper", "A4", "-"}), 0) << errText.toStdString();
    const QStringList lines = QString::fromUtf8(outBytes).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], QStringLiteral("unit 7"));
    QStringList texts;
    QStringList numbers;
    double longest = 0;
    QStringList longestLine;
    for (const QString& line : lines) {
        const QStringList fields = line.split(u' ');
        if (fields[0] == u"text") {
            texts << line.section(u' ', 3);
        } else if (fields[0] == u"label") {
            ASSERT_EQ(fields.size(), 4) << line.toStdString();
            numbers << fields[3];
        } else if (fields[0] == u"line" && fields[2] == fields[4]) {
            const double length = parseNumber(fields[3]) - parseNumber(fields[1]);
            if (length > longest && length < 10.1) {
                longest = length;
                longestLine = fields;
            }
        }
    }
    for (const char* expected :
         {"100 mm", "4 in", "50 mm square", "horizontal correction -7, vertical correction 4"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected)))
            << expected << " not in " << texts.join(u'|').toStdString();
    }
    for (const char* expected : {"0", "10", "100", "1", "4"}) {
        EXPECT_TRUE(numbers.contains(QString::fromUtf8(expected))) << expected;
    }
    // The 100 mm rule across, 1.5 cm in: -0.007 cm at its zero, twice that
    // at its end.
    ASSERT_EQ(longestLine.size(), 6);
    EXPECT_NEAR(parseNumber(longestLine[1]), 1.5 - 0.007, 1e-9);
    EXPECT_NEAR(parseNumber(longestLine[3]), 11.5 - 0.014, 1e-9);
}

TEST_F(ExportRun, CalibrationPdfIsOnePageWithItsCaptions) {
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty()) {
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    }
    ASSERT_EQ(run({"--calibration", "--paper", "A5", qPrintable(path("cal.pdf"))}), 0)
        << errText.toStdString();
    QProcess process;
    process.start(pdfinfo, {path("cal.pdf")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
    // 148 x 210 mm in points.
    EXPECT_TRUE(info.contains(QStringLiteral("420 x 595"))) << info.toStdString();

    process.start(pdftotext, {path("cal.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* expected : {"100 mm", "4 in", "50 mm square", "Lattora calibration page"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
}

// Drawn with the real font, in either unit system, the page stays inside the
// printable area of A5 paper with 5 mm margins (138 x 200 mm from the corner
// it is drawn from) and its longest line is the 4-inch rule.
TEST_F(ExportRun, CalibrationPictureFitsAnA5PrintableArea) {
    for (const QString& scale : {kMetricWord, kImperialWord}) {
        SCOPED_TRACE(scale.toStdString());
        store.saveSetting(Key::Scale, scale);
        ASSERT_EQ(
            run({"--calibration", "--paper", "A5", "--dpi", "100", qPrintable(path("c.png"))}), 0)
            << errText.toStdString();
        const QImage image(path("c.png"));
        ASSERT_FALSE(image.isNull());
        const QRect ink = test::inkBounds(image, image.rect(), Qt::white);
        ASSERT_FALSE(ink.isEmpty());
        const double pixelsPerMm = 100 / 25.4;
        EXPECT_LE(ink.right(), 138 * pixelsPerMm);
        EXPECT_LE(ink.bottom(), 200 * pixelsPerMm);
        // 4 inches at 100 dpi, give or take a pixel at each end.
        int longestRun = 0;
        for (int y = 0; y < image.height(); ++y) {
            int runLength = 0;
            for (int x = 0; x < image.width(); ++x) {
                runLength = qGray(image.pixel(x, y)) < 128 ? runLength + 1 : 0;
                longestRun = std::max(longestRun, runLength);
            }
        }
        EXPECT_NEAR(longestRun, 400, 2);
    }
}

TEST(ExportProgram, RunsHeadlessFromTheUsersStore) {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    QDir(home.path()).mkpath(QStringLiteral("Tarnhill"));
    QFile conf(home.filePath(QStringLiteral("Tarnhill/Lattora.conf")));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("[Lattora]\nScale=Metric\n");
    conf.close();

    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LATTORA_EXPORT_BINARY),
                  {QStringLiteral("--paper"), QStringLiteral("A4"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("unit 7\n"));

    process.start(QStringLiteral(LATTORA_EXPORT_BINARY),
                  {QStringLiteral("--ordinate"), QStringLiteral("Cubic"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    const QByteArray err = process.readAllStandardError();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains("Cubic")) << err.toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

}  // namespace
}  // namespace lattora

namespace lattora {
namespace {

using namespace Qt::StringLiterals;

PageSetup a5WithMargins() {
    return {QSizeF(148, 210), QRectF(4, 6, 140, 198), Orientation::Portrait};
}

// The command owns the printer it opens; this one hands what it was told and
// what it printed back to the test's printer when the command lets it go.
class BorrowedPrinter : public FixedPrinter {
public:
    explicit BorrowedPrinter(FixedPrinter& original)
        : FixedPrinter(original), original_(original) {}
    ~BorrowedPrinter() override { original_ = *this; }

private:
    FixedPrinter& original_;
};

class ExportPrint : public ::testing::Test {
protected:
    int run(const std::vector<const char*>& arguments) {
        errText.clear();
        QTextStream err(&errText);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const PrinterOpener open = [this](const QString& name) -> std::unique_ptr<Printer> {
            opened << name;
            if (name == u"Missing") {
                throw Error(u"There is no printer named \"Missing\""_s);
            }
            return std::make_unique<BorrowedPrinter>(printer);
        };
        return runExportCommand(args(arguments), store, out, err, open);
    }

    test::MemoryStore store{{Key::Scale, kMetricWord}, {Key::HGraduation, u"10"_s}};
    FixedPrinter printer{a5WithMargins()};
    QStringList opened;
    QString errText;
};

TEST(ExportArguments, PrintNamesItsPrinterAndAlwaysCorrects) {
    const ExportRequest request = parseExportArguments(args({"--print", "--printer", "Lab"}));
    EXPECT_TRUE(request.print);
    EXPECT_EQ(request.printerName, u"Lab");
    EXPECT_TRUE(request.corrections);
}

TEST_F(ExportPrint, PrintsOnThePrintersPageWithTheStoredCorrections) {
    ASSERT_EQ(run({"--print", "--abscissa", "Metric:10 mm"}), 0) << errText.toStdString();
    ASSERT_EQ(printer.printedPages().size(), 1u);
    const FixedPrinter::Page& page = printer.printedPages().front();
    EXPECT_EQ(page.scaleMode, Unit::Centimetre);
    EXPECT_EQ(page.fontSize, 10);
    double left = 1e300;
    double right = -1e300;
    for (const auto& line : page.lines) {
        left = std::min(left, line.x1);
        right = std::max(right, line.x1);
    }
    // Standard margins on the printer's own printable area (14 cm wide),
    // moved by the stored correction of 10: 0.01 cm, twice at the far side.
    EXPECT_NEAR(left, 1 + 0.01, 1e-5);
    EXPECT_NEAR(right, 1 + (14 - 2) + 0.02, 1e-5);
    EXPECT_TRUE(store.writes().isEmpty());
}

TEST_F(ExportPrint, PaperAndOrientationAreSetOnThePrinter) {
    ASSERT_EQ(run({"--print", "--paper", "A4", "--orientation", "landscape"}), 0)
        << errText.toStdString();
    EXPECT_EQ(printer.paperSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.orientation(), 2);
    ASSERT_EQ(printer.printedPages().size(), 1u);
    double right = -1e300;
    for (const auto& line : printer.printedPages().front().lines) {
        right = std::max(right, line.x1);
    }
    // A4 across (297 mm), less the 6 mm the test printer leaves at the top
    // and bottom of a portrait page, which turning brings to the sides.
    EXPECT_NEAR(right, 1 + (28.5 - 2) + 0.02, 1e-5);
}

TEST_F(ExportPrint, CalibrationPrintsOnePageWithTheStoredCorrections) {
    ASSERT_EQ(run({"--calibration", "--print"}), 0) << errText.toStdString();
    ASSERT_EQ(printer.printedPages().size(), 1u);
    const FixedPrinter::Page& page = printer.printedPages().front();
    EXPECT_EQ(page.scaleMode, Unit::Centimetre);
    QStringList texts;
    for (const auto& label : page.labels) {
        if (label.isText) {
            texts << label.text;
        }
    }
    for (const char* expected :
         {"100 mm", "4 in", "50 mm square", "horizontal correction 10, vertical correction 0"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected)))
            << expected << " not in " << texts.join(u'|').toStdString();
    }
    // The 100 mm rule across, its zero 1.5 cm into the printable area: the
    // stored 10 moves the zero by 0.01 cm and the end by 0.02 cm.
    int rules = 0;
    for (const auto& line : page.lines) {
        if (line.y1 == line.y2 && std::fabs(line.x2 - line.x1 - 10) < 0.05) {
            ++rules;
            EXPECT_NEAR(line.x1, 1.5 + 0.01, 1e-9);
            EXPECT_NEAR(line.x2, 11.5 + 0.02, 1e-9);
        }
    }
    EXPECT_EQ(rules, 1);
    EXPECT_TRUE(store.writes().isEmpty());
}

TEST_F(ExportPrint, CalibrationRefusesAGraphAreaBeforeOpeningThePrinter) {
    EXPECT_EQ(run({"--calibration", "--print", "--margins", "1,1"}), 2);
    EXPECT_EQ(errText.count(u'\n'), 1) << errText.toStdString();
    EXPECT_TRUE(errText.contains(QStringLiteral("--margins"))) << errText.toStdString();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(printer.printedPages().empty());
}

TEST_F(ExportPrint, FailsInOneLineWhenThereIsNothingToPrintOn) {
    printer = FixedPrinter(a5WithMargins(), false);
    EXPECT_EQ(run({"--print"}), 2);
    EXPECT_EQ(errText, u"lattora-export: no printer is installed\n");
    EXPECT_EQ(run({"--print", "--printer", "Missing"}), 2);
    EXPECT_EQ(errText, u"lattora-export: There is no printer named \"Missing\"\n");
    EXPECT_EQ(opened, (QStringList{QString(), u"Missing"_s}));
}

TEST_F(ExportPrint, AFailureWhileDrawingSendsNothing) {
    printer.failAfterLines(20);
    EXPECT_EQ(run({"--print"}), 2);
    EXPECT_EQ(errText, u"lattora-export: Printer out of paper\n");
    EXPECT_TRUE(printer.printedPages().empty());
    EXPECT_EQ(printer.abandonedJobs(), 1);
}

}  // namespace
}  // namespace lattora
