#include "platform/output/vectordocument.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <limits>
#include <vector>

#include "render/graph.h"
#include "sheet/error.h"
#include "sheet/units.h"
#include "tests/support/memorystore.h"
#include "tests/support/refusingdevice.h"

namespace lattora {
namespace {

// A whole A4 sheet: 1 mm metric across, three logarithmic cycles down.
template <typename Document>
void drawSheet(Document& document) {
    const test::MemoryStore store{{QStringLiteral("Scale"), QStringLiteral("Metric")}};
    const FixedInputs inputs(LineColors{16737843, 16737843, 16763904, 16777164, {}},
                             SubdivisionLimits{0.99f, 0.51f, 0.2f});
    const Graph graph(store, inputs);
    graph.DrawAxisGrid(document.target(), true, 0, 0, 2, 2, 16, 24, 30, 0, 0);
    graph.DrawAxisGrid(document.target(), false, 4, 2, 2, 2, 16, 24, 30, 0, 0);
}

struct PaperCase {
    const char* name;
    QSizeF millimetres;
};

void PrintTo(const PaperCase& c, std::ostream* os) {
    *os << c.name;
}

class PdfPaperTest : public ::testing::TestWithParam<PaperCase> {};

TEST_P(PdfPaperTest, TheOnePageIsThePaperToTheNearestPoint) {
    const QSizeF paper = GetParam().millimetres;
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    PdfDocument document(buffer, paper, QPointF(4, 4), Unit::Centimetre);
    document.target().Line(1, 1, 2, 2, 0);
    document.finish();

    static const QRegularExpression mediaBox(
        QStringLiteral(R"(/MediaBox \[([\d.]+) ([\d.]+) ([\d.]+) ([\d.]+)\])"));
    const auto match = mediaBox.match(QString::fromLatin1(buffer.data()));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1).toDouble(), 0);
    EXPECT_EQ(match.captured(2).toDouble(), 0);
    // The writer keeps page sizes in whole points (1/72 inch).
    EXPECT_NEAR(match.captured(3).toDouble(), paper.width() / 25.4 * 72, 0.5);
    EXPECT_NEAR(match.captured(4).toDouble(), paper.height() / 25.4 * 72, 0.5);
    EXPECT_EQ(buffer.data().count("/MediaBox"), 1);
}

INSTANTIATE_TEST_SUITE_P(Papers, PdfPaperTest,
                         ::testing::Values(PaperCase{"A4", {210, 297}},
                                           PaperCase{"A4Landscape", {297, 210}},
                                           PaperCase{"Letter", {215.9, 279.4}},
                                           // Near A6 but not A6: must not be snapped to it.
                                           PaperCase{"Custom", {100.3, 150.7}}),
                         [](const auto& info) { return std::string(info.param.name); });

// PDF document information strings are UTF-16BE with a byte-order mark.
QByteArray pdfTextString(const QString& text) {
    QByteArray bytes("\xFE\xFF");
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode()));
    }
    return bytes;
}

TEST(PdfDocumentTest, AFullSheetIsACompactTitledPdfWrittenOnlyAtFinish) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    PdfDocument document(buffer, QSizeF(210, 297), QPointF(6.35, 12.7), Unit::Centimetre);
    EXPECT_TRUE(document.target().isVector());
    // A quarter and a half inch at 1200 dots per inch.
    EXPECT_EQ(document.target().origin(), QPointF(300, 600));
    drawSheet(document);
    EXPECT_TRUE(buffer.data().isEmpty());
    document.finish();

    const QByteArray& pdf = buffer.data();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_LT(pdf.size(), 200 * 1024);
    EXPECT_TRUE(pdf.contains("/Title (" + pdfTextString(kDocumentTitle) + ")"));
    EXPECT_TRUE(pdf.contains("/Creator (" + pdfTextString(QStringLiteral("Lattora")) + ")"));
    // Finished: it draws and finishes no more.
    EXPECT_THROW(document.target().Line(1, 1, 2, 2, 0), Error);
    EXPECT_THROW(document.finish(), Error);
}

TEST(VectorDocumentTest, FailuresRaise) {
    QBuffer closed;
    EXPECT_THROW(PdfDocument(closed, QSizeF(210, 297), QPointF(), Unit::Centimetre), Error);
    EXPECT_THROW(SvgDocument(closed, QSizeF(210, 297), QPointF(), Unit::Centimetre), Error);
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(PdfDocument(buffer, QSizeF(0, 297), QPointF(), Unit::Centimetre), Error);
    EXPECT_THROW(PdfDocument(buffer, QSizeF(210, 297), QPointF(nan, 0), Unit::Centimetre), Error);
    EXPECT_THROW(SvgDocument(buffer, QSizeF(210, 1e9), QPointF(), Unit::Centimetre), Error);
    EXPECT_THROW(SvgDocument(buffer, QSizeF(nan, 297), QPointF(), Unit::Centimetre), Error);

    test::RefusingDevice full;
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    // The message names the kind of document and gives the device's reason.
    const auto expectNoSpace = [](auto& document, const QString& kind) {
        try {
            document.finish();
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_TRUE(error.description().startsWith(
                QStringLiteral("The %1 document could not be written").arg(kind)))
                << error.what();
            EXPECT_TRUE(error.description().contains(test::RefusingDevice::kReason))
                << error.what();
        }
    };
    PdfDocument pdf(full, QSizeF(210, 297), QPointF(), Unit::Centimetre);
    expectNoSpace(pdf, QStringLiteral("PDF"));
    SvgDocument svg(full, QSizeF(210, 297), QPointF(), Unit::Centimetre);
    expectNoSpace(svg, QStringLiteral("SVG"));
}

TEST(VectorDocumentTest, AUnitCodeTheTargetRefusesRaisesAndWritesNothing) {
    // The document has begun drawing by the time the target refuses the code.
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    EXPECT_THROW(PdfDocument(buffer, QSizeF(210, 297), QPointF(), 4), Error);
    EXPECT_THROW(SvgDocument(buffer, QSizeF(210, 297), QPointF(), 4), Error);
    EXPECT_TRUE(buffer.data().isEmpty());
}

TEST(VectorDocumentTest, FinishingTwiceSaysWhichDocumentWasFinished) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    const auto expectAlreadyFinished = [](auto& document, const QString& kind) {
        document.finish();
        try {
            document.finish();
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.description(),
                      QStringLiteral("The %1 document is already finished").arg(kind));
        }
    };
    PdfDocument pdf(buffer, QSizeF(100, 100), QPointF(), Unit::Millimetre);
    expectAlreadyFinished(pdf, QStringLiteral("PDF"));
    SvgDocument svg(buffer, QSizeF(100, 100), QPointF(), Unit::Millimetre);
    expectAlreadyFinished(svg, QStringLiteral("SVG"));
}

// The SVG's size, title, lines (with the stroke of their group) and texts.
struct SvgContent {
    QString width, height, viewBox, title;
    struct Polyline {
        QString points, stroke, strokeWidth, lineCap;
    };
    std::vector<Polyline> polylines;
    std::vector<QXmlStreamAttributes> textAttributes;
    QStringList texts;
};

SvgContent readSvg(const QByteArray& bytes) {
    SvgContent svg;
    QXmlStreamReader xml(bytes);
    QXmlStreamAttributes group;
    const auto attribute = [](const QXmlStreamAttributes& a, const char* name) {
        return a.value(QLatin1String(name)).toString();
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            svg.width = attribute(a, "width");
            svg.height = attribute(a, "height");
            svg.viewBox = attribute(a, "viewBox");
        } else if (xml.name() == QLatin1String("title")) {
            svg.title = xml.readElementText();
        } else if (xml.name() == QLatin1String("g")) {
            group = a;  // the generator opens one group per change of state
        } else if (xml.name() == QLatin1String("polyline")) {
            svg.polylines.push_back({attribute(a, "points").simplified(),
                                     attribute(group, "stroke"), attribute(group, "stroke-width"),
                                     attribute(group, "stroke-linecap")});
        } else if (xml.name() == QLatin1String("text")) {
            svg.textAttributes.push_back(a);
            svg.texts << xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return svg;
}

struct SvgPaperCase {
    const char* name;
    QSizeF millimetres;
    const char* width;
    const char* height;
    const char* viewBox;
};

void PrintTo(const SvgPaperCase& c, std::ostream* os) {
    *os << c.name;
}

class SvgPaperTest : public ::testing::TestWithParam<SvgPaperCase> {};

TEST_P(SvgPaperTest, OpensAtThePapersTrueSize) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    SvgDocument document(buffer, GetParam().millimetres, QPointF(), Unit::Centimetre);
    document.finish();
    const SvgContent svg = readSvg(buffer.data());
    EXPECT_EQ(svg.width, QLatin1String(GetParam().width));
    EXPECT_EQ(svg.height, QLatin1String(GetParam().height));
    // A hundred user units a millimetre, from the page's top-left corner.
    EXPECT_EQ(svg.viewBox, QLatin1String(GetParam().viewBox));
    EXPECT_EQ(svg.title, QStringLiteral("Lattora graph paper"));
}

INSTANTIATE_TEST_SUITE_P(
    Papers, SvgPaperTest,
    ::testing::Values(SvgPaperCase{"A4", {210, 297}, "210mm", "297mm", "0 0 21000 29700"},
                      SvgPaperCase{
                          "Letter", {215.9, 279.4}, "215.9mm", "279.4mm", "0 0 21590 27940"},
                      // A4 as a printer gives it, 11906 x 16838 twips, is
                      // 210.006 x 297.004 mm: kept to the hundredth.
                      SvgPaperCase{"A4FromTwips",
                                   {11906 / 1440.0 * 25.4, 16838 / 1440.0 * 25.4},
                                   "210.01mm",
                                   "297mm",
                                   "0 0 21001 29700"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SvgDocumentTest, LinesAndLabelsLandAfterThePrintableOffset) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    SvgDocument document(buffer, QSizeF(210, 297), QPointF(5, 7), Unit::Centimetre);
    PainterTarget& target = document.target();
    target.Line(1, 1, 1, 2.5, 0x0000FF);
    target.setVectorPenWidth(0.01);
    target.Line(0.5, 3, 4, 3, 0xFF0000);
    target.FontSize(6);
    const double height = target.TextHeight(QStringLiteral("5"));
    target.CurrentX(2);
    target.CurrentY(3);
    target.Print(5);
    document.finish();

    const SvgContent svg = readSvg(buffer.data());
    ASSERT_EQ(svg.polylines.size(), 2u);
    // 1 cm from an origin 5 mm across and 7 mm down: units 1500, 1700.
    EXPECT_EQ(svg.polylines[0].points, QStringLiteral("1500,1700 1500,3200"));
    EXPECT_EQ(svg.polylines[0].stroke, QStringLiteral("#ff0000"));
    // One dot of a 300 dpi printer by default, flat ends.
    EXPECT_NEAR(svg.polylines[0].strokeWidth.toDouble(), 2540.0 / 300, 1e-4);
    EXPECT_EQ(svg.polylines[0].lineCap, QStringLiteral("butt"));
    EXPECT_EQ(svg.polylines[1].points, QStringLiteral("1000,3700 4500,3700"));
    EXPECT_EQ(svg.polylines[1].stroke, QStringLiteral("#0000ff"));
    EXPECT_NEAR(svg.polylines[1].strokeWidth.toDouble(), 25.4, 1e-4);

    ASSERT_EQ(svg.texts, QStringList{QStringLiteral(" 5 ")});
    const QXmlStreamAttributes& text = svg.textAttributes[0];
    EXPECT_NEAR(text.value(QLatin1String("x")).toDouble(), 2500, 0.01);
    // The baseline lies in the lower part of the line box that hangs from
    // 3 cm + 7 mm, in 6 pt at 2540 units an inch.
    const double baseline = text.value(QLatin1String("y")).toDouble();
    EXPECT_GT(baseline, 3700 + 0.5 * height * 1000);
    EXPECT_LT(baseline, 3700 + height * 1000);
    EXPECT_NEAR(text.value(QLatin1String("font-size")).toDouble(), 6.0 / 72 * 2540, 0.01);
}

TEST(SvgDocumentTest, AFullSheetIsWellFormedAndWrittenOnlyAtFinish) {
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    SvgDocument document(buffer, QSizeF(210, 297), QPointF(5, 5), Unit::Centimetre);
    drawSheet(document);
    EXPECT_TRUE(buffer.data().isEmpty());
    document.finish();
    const SvgContent svg = readSvg(buffer.data());
    // 161 millimetre lines and two borders across, more down; ten labels a
    // cycle.
    EXPECT_GT(svg.polylines.size(), 163u + 30u);
    EXPECT_EQ(svg.texts.size(), 30);
    EXPECT_LT(buffer.data().size(), 2 * 1024 * 1024);
}

}  // namespace
}  // namespace lattora
