// lattora-export: reading the arguments, laying the sheet out, and the whole
// command on files, standard output and a printer.
#include "app/exportcommand.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/memorystore.h"
#include "tests/support/pixels.h"

using namespace lattora;
using namespace Qt::StringLiterals;

// A command line written as one text, the arguments separated by "|".
static QStringList args(const char* line) {
    return *line ? QString::fromUtf8(line).split(u'|') : QStringList();
}

// A family alone takes the item its list selects after filling; the scales
// refused are in the command's refusal table.
TEST(ExportArguments, ScaleTextsAreTheListTexts) {
    for (const char* row :
         {"Logarithmic:3 cycles => 4 2 30", "Imperial:1/16 inch => 1 1 30", "Metric => 0 0 30",
          "Probability:0.1% to 99.9% => 7 1 30", "Square Root:0 to 50 => 6 2 30",
          "N divided:25 => 2 -1 25", "N divided => 2 -1 30", "Time => 3 1 30"}) {
        const QStringList parts = QString::fromUtf8(row).split(u" => "_s);
        const AxisScale s = parseScaleText(parts[0]);
        EXPECT_EQ(u"%1 %2 %3"_s.arg(s.family).arg(s.item).arg(s.divisions), parts[1]) << row;
    }
}

// Every option read and the defaults; the format comes from the extension
// (see the files written below) unless given; printing and the calibration
// page always apply the corrections.
TEST(ExportArguments, ReadsEveryOption) {
    const ExportRequest r = parseExportArguments(
        args("--abscissa|Time:24 hours|--ordinate=N divided:12|--margins|1.5,-2|--size|10,20.25|"
             "--paper|letter|--orientation|Landscape|--dpi|2400|--corrections|--format|bmp|s.png"));
    EXPECT_EQ(
        std::tuple(r.abscissa.family, r.abscissa.item, r.ordinate.family, r.ordinate.divisions),
        std::tuple(Family::Time, 2, Family::NDivided, 12.0));
    EXPECT_EQ(std::tuple(*r.margins, *r.size, r.paper->id(), *r.orientation, r.dpi, r.corrections),
              std::tuple(QPointF(1.5, -2), QSizeF(10, 20.25), QPageSize::Letter,
                         Orientation::Landscape, 2400, true));
    EXPECT_EQ(std::pair(r.output, r.format), std::pair(u"s.png"_s, ExportFormat::Bmp));
    const ExportRequest plain = parseExportArguments(args("--dpi|10|out.pdf"));
    EXPECT_EQ(std::tuple(plain.ordinate.family, plain.ordinate.item, plain.dpi, plain.corrections),
              std::tuple(Family::Metric, 0, 10, false));
    EXPECT_FALSE(plain.paper || plain.margins || plain.size || plain.orientation);
    EXPECT_TRUE(parseExportArguments(args("--calibration|c.png")).corrections &&
                parseExportArguments(args("--print")).corrections);
}

class ExportRun : public ::testing::Test {
protected:
    // Arguments beginning with "@" are files in the test's folder. The command
    // owns the printer it opens: a copy of `printer` that hands what it was
    // told and what it printed back when it is let go.
    int run(const char* line) {
        outBytes.clear(), errText.clear();
        QBuffer out(&outBytes);
        out.open(outRefuses ? QIODevice::ReadOnly : QIODevice::WriteOnly);
        QTextStream err(&errText);
        const QStringList list =
            args(line).replaceInStrings(QRegularExpression(u"^@"_s), dir.path() + u'/');
        return runExportCommand(list, store, out, err, [this](const QString& name) {
            if ((opened << name).last() == u"Missing")
                throw Error(u"There is no printer named \"Missing\""_s);
            return std::make_unique<Borrowed>(printer);
        });
    }
    struct Borrowed : FixedPrinter {
        explicit Borrowed(FixedPrinter& original) : FixedPrinter(original), original_(original) {}
        ~Borrowed() override { original_ = *this; }
        FixedPrinter& original_;
    };

    QTemporaryDir dir;
    test::MemoryStore store{{Key::Scale, kMetricWord}};
    // Letter with quarter-inch hardware margins.
    FixedPrinter printer{{QSizeF(215.9, 279.4), QRectF(6.35, 6.35, 203.2, 266.7), {}}};
    QStringList opened;
    QByteArray outBytes;
    QString errText;
    bool outRefuses = false;  // standard output on a full disk or a closed pipe
};

// A failure is one line on the error stream, nothing on standard output,
// and exit status 2; the line names the problem and shows control
// characters instead of passing them to the terminal.
TEST_F(ExportRun, RefusalsAndFailuresAreOneLineNamingTheProblem) {
    // Rows "arguments => part of the message", separated by "; ".
    const char* lines[] = {
        "--bogus|- => bogus;  => OUTPUT; a.pdf|b.pdf => OUTPUT; --|--help => --help",
        "@out.jpg => out.jpg; --format|jpeg|- => jpeg; --format|txt|- => txt",
        "--dpi|9|- => --dpi; --dpi|2401|- => --dpi; --dpi|96.5|- => --dpi",
        "--margins|1|- => --margins; --size|a,b|- => --size; --paper|Napkin|- => Napkin",
        "--orientation|sideways|- => sideways; --abscissa=|- => family \"\"",
        "--abscissa|metric|- => \"metric\"; --ordinate|Metric:1mm|- => \"1mm\"",
        "--ordinate|Logarithmic:7 cycles|- => \"7 cycles\"; --ordinate|N divided:many|- => "
        "\"many\"",
        "--ordinate|N divided:|- => \"N divided\"; --ordinate|Square root:0 to 10|- => \"Square "
        "root\"",
        "--paper|A4|--paper|A3|- => paper; --abscissa => abscissa; --print|- => OUTPUT",
        "--printer|Office|- => --print; --print|--dpi|300 => --dpi",
        "--print|--printer|A|--printer|B => printer; --calibration|--abscissa|Metric|- => "
        "--abscissa",
        "--ordinate=Time|--calibration|- => --ordinate; --calibration|--size|5,5|- => --size",
        "--calibration|--print|--margins|1,1 => --margins",
        "-\rdpi|- => \"\\u000ddpi\"; --paper|A4\nA5|- => \"A4\\u000aA5\"",
        "--orientation|up\x1b[2K|- => \"up\\u001b[2K\"; --abscissa|Metric:1\u2028mm|- => "
        "\"1\\u2028mm\"",
        "--abscissa|N divided:1000000|- => Too many grid lines; @no/sheet.pdf => cannot write",
        "--print|--printer|Missing => There is no printer named \"Missing\""};
    for (const char* line : lines) {
        for (const QString& row : QString::fromUtf8(line).split(u"; "_s)) {
            const QStringList parts = row.split(u" => "_s);
            EXPECT_EQ(run(qPrintable(parts[0])), 2) << row.toStdString();
            EXPECT_TRUE(errText.startsWith(u"lattora-export: ") && errText.count(u'\n') == 1 &&
                        errText.contains(parts[1]) && outBytes.isEmpty())
                << errText.toStdString();
        }
    }
    outRefuses = true;
    for (const char* line : {"--paper|A4|-", "--version"})
        EXPECT_TRUE(run(line) == 2 && errText.contains(u"cannot write to standard output"));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    // Only the failures past reading the arguments open a printer.
    EXPECT_EQ(opened, (QStringList{QString(), QString(), u"Missing"_s}));
    EXPECT_TRUE(printer.printedPages().empty());
}

// The page: the requested paper without margins, else the default printer's
// page turned as asked, else A4; the standard margins of the stored unit.
TEST_F(ExportRun, PlansTheSheetOnThePage) {
    const std::tuple<const char*, bool, bool, const char*> rows[] = {
        {"-", true, false, "11906 21 1 1 19 27.7"},
        {"-", false, true, "12240 8 0.5 0.5 7 9.5"},
        {"--orientation|landscape|-", false, true, "15840 10.5 0.5 0.5 9.5 7"},
        {"--paper|A3|--orientation|landscape|--margins|2,3|-", true, true, "23811 42 2 3 40 27.7"}};
    for (const auto& [line, metric, installed, expected] : rows) {
        const test::MemoryStore units{{Key::Scale, metric ? kMetricWord : u"Imperial"_s}};
        const FixedPrinter page(printer.pageSetup(), installed);
        const ExportPlan p =
            planExport(parseExportArguments(args(line)), units,
                       [&](const QString&) { return std::make_unique<FixedPrinter>(page); });
        QStringList values;
        for (const double v :
             {double(p.printerPage.pageWidthTwips), double(p.printerPage.printableWidth),
              p.sheet.marginLeft, p.sheet.marginTop, p.sheet.areaWidth, p.sheet.areaHeight})
            values << QString::number(v);
        EXPECT_EQ(values.join(u' '), QLatin1String(expected)) << line;
    }
}

// The current stored line set, limits and, when asked, the corrections
// (thousandths of a unit); nothing written, and a stored number it cannot
// read fails rather than being guessed.
TEST_F(ExportRun, TakesTheStoredLineSetLimitsAndCorrectionsWithoutWriting) {
    store = test::MemoryStore{
        {Key::CurrentStyle, u"Red"_s},
        {Key::Subdiv10, u"2.5"_s},
        {Key::HGraduation, u"-10"_s},
        {Key::VGraduation, u"3"_s},
        {Key::StyleTemplates, u"Mine~1|2|3|4|dot\r\nRed~192|12624127|1|2|dot\r\n"_s}};
    const auto plan = [&](const char* line) {
        return planExport(parseExportArguments(args(line)), store, PrinterOpener());
    };
    const ExportPlan plain = plan("-"), corrected = plan("--corrections|-");
    EXPECT_EQ(std::tuple(plain.colors.heavyColor, plain.colors.subdivColor, plain.limits.ten,
                         plain.hCorrection, plain.vCorrection, corrected.hCorrection,
                         corrected.vCorrection),
              std::tuple(192u, 2u, 2.5f, 0.0, 0.0, -0.01, 0.003));
    EXPECT_TRUE(store.writes().isEmpty());
    store.saveSetting(Key::StyleWidthHeavy, u"thick"_s);
    EXPECT_TRUE(run("-") == 2 && errText.contains(u"thick"));
}

TEST_F(ExportRun, WritesEachFormatWholeOrNotAtAll) {
    EXPECT_TRUE(run("--help") == 0 && outBytes.startsWith("Usage: lattora-export"));
    ASSERT_EQ(run("--paper|A4|-"), 0) << errText.toStdString();
    EXPECT_TRUE(outBytes.startsWith("unit 7\nline 1 1 1 28.7")) << outBytes.left(40).data();
    const std::pair<const char*, QByteArray> kinds[] = {{"a.pdf", "%PDF-"},
                                                        {"b.SVG", "<?xml"},
                                                        {"a.png", "\x89PNG"},
                                                        {"a.bmp", "BM"},
                                                        {"a.txt", "unit 7"}};
    QFile file;
    for (const auto& [name, magic] : kinds) {
        ASSERT_EQ(run(qPrintable(u"--dpi|100|@"_s + QLatin1String(name))), 0);
        file.setFileName(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll().startsWith(magic)) << name;
        file.close();
    }
    // On the default printer's page: the grid starts 1 cm into the printable
    // area, 6.35 + 10 mm from the paper's corner: pixel 64 at 100 dpi.
    const QImage image(dir.filePath(u"a.png"_s));
    EXPECT_EQ(std::pair(image.width(), image.dotsPerMeterX()), std::pair(850, 3937));
    EXPECT_EQ(test::inkBounds(image, image.rect(), Qt::white).topLeft(), QPoint(64, 64));
    // A failure keeps the earlier file and leaves nothing beside it: a
    // sheet that cannot be drawn, a band that cannot be had (a page wider
    // than any picture) in one line.
    ASSERT_EQ(run("--abscissa|N divided:1e9|@a.pdf"), 2);
    printer = FixedPrinter({QSizeF(1e6, 100), QRectF(0, 0, 1e6, 100), {}});
    ASSERT_EQ(run("--dpi|2400|@a.png"), 2);
    EXPECT_TRUE(errText.startsWith(u"lattora-export: not enough memory for this sheet"_s) &&
                errText.count(u'\n') == 1 && QImage(dir.filePath(u"a.png"_s)).width() == 850);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' '),
              u"a.bmp a.pdf a.png a.txt b.SVG"_s);
    file.setFileName(dir.filePath(u"a.pdf"_s));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll().startsWith("%PDF-"));
}

TEST_F(ExportRun, PrintsOnThePrintersPageWithTheStoredCorrections) {
    store.saveSetting(Key::HGraduation, u"10"_s);
    ASSERT_EQ(run("--print|--paper|A4|--orientation|landscape|--abscissa|Metric:10 mm"), 0);
    EXPECT_EQ(std::pair(printer.paperSize().id(), printer.orientation()),
              std::pair(QPageSize::A4, std::int16_t{2}));
    ASSERT_EQ(printer.printedPages().size(), 1u);
    const FixedPrinter::Page& page = printer.printedPages().front();
    EXPECT_EQ(std::pair(page.scaleMode, page.fontSize), std::pair(int(Unit::Centimetre), 10.0));
    const auto [left, right] = std::minmax_element(page.lines.begin(), page.lines.end(),
                                                   [](auto& a, auto& b) { return a.x1 < b.x1; });
    // Standard margins on A4 across less the 2 x 6.35 mm the printer cannot
    // print on, moved by the stored 10: 0.01 cm, twice at the far side.
    EXPECT_NEAR(left->x1, 1 + 0.01, 1e-5);
    EXPECT_NEAR(right->x1, 1 + (29.7 - 1.27 - 2) + 0.02, 1e-5);
    // The calibration page shows the corrections it applies.
    ASSERT_EQ(run("--calibration|--print"), 0) << errText.toStdString();
    const auto& labels = printer.printedPages().back().labels;
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const auto& l) {
        return l.text == u"horizontal correction 10, vertical correction 0";
    }));
    printer = FixedPrinter(printer.pageSetup(), false);
    EXPECT_EQ(run("--print"), 2);
    EXPECT_EQ(errText, u"lattora-export: no printer is installed\n");
    EXPECT_TRUE(store.writes().size() == 1);
}
