// The drawing targets and documents a sheet is drawn on: where lines and
// labels land, what the files carry, and how failures are reported.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <limits>

#include "platform/output/bitmapfile.h"
#include "platform/output/rastertarget.h"
#include "platform/output/sheetbands.h"
#include "platform/output/sheetfile.h"
#include "platform/output/vectordocument.h"
#include "sheet/error.h"
#include "sheet/units.h"
#include "tests/support/pixels.h"
#include "tests/support/refusingdevice.h"

using namespace lattora;
using namespace lattora::test;
using namespace Qt::StringLiterals;
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
// Memory the documents are written to.
struct Sink : QBuffer {
    Sink() { open(QIODevice::WriteOnly); }
};
// The description of the Error `call` raises.
static QString errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.description();
    }
    return u"no error"_s;
}

// A vertical line at `x` from `y1` to `y2` covers exactly `column`, rows
// `first` to `last`: the nearest pixel after the origin, each axis at its own
// resolution, never blended off the grid. Colour values keep red in the low
// byte; system colours (window, button text) are looked up.
TEST(PainterTarget, LinesLandOnTheNearestPixelAfterTheOrigin) {
    // unit, dpi x and y, origin x and y, x, y1, y2, colour => column, first, last, rgb.
    const double rows[][13] = {
        {Unit::Centimetre, 254, 254, 30, 20, 2.5, 1, 3, 0x0000FF, 280, 120, 320, 0xFF0000},
        {Unit::Centimetre, 150, 150, 0, 0, 1.2, 0.5, 1, 0x123456, 71, 30, 59, 0x563412},
        {Unit::Millimetre, 96, 96, 0.4, 0, 25.4, 10, 20, 0x80000005, 96, 38, 76, 0xFFFFFF},
        {Unit::Inch, 100, 200, 10, 5, 1, 0.5, 1, 0x80000012, 110, 105, 205, 0},
        {Unit::Twip, 72, 72, 0, 0, 1440, 720, 2160, 0xFF00, 72, 36, 108, 0xFF00},
        {Unit::Pixel, 300, 300, 5, 5, 17.37, 3, 40, 0xFF0000, 22, 8, 45, 0xFF}};
    for (const auto& r : rows) {
        Canvas canvas(400, 400, r[1], Qt::gray);
        PainterTarget target(canvas.painter, int(r[0]), r[1], r[2], QPointF(r[3], r[4]));
        target.Line(r[5], r[6], r[5], r[7], ColorValue(r[8]));
        const QPoint first{int(r[9]), int(r[10])};
        EXPECT_EQ(inkBounds(canvas.image, canvas.image.rect(), Qt::gray),
                  QRect(first, QPoint(first.x(), int(r[11]))))
            << r[5];
        EXPECT_EQ(rgbAt(canvas.image, first.x(), first.y()), QRgb(r[12])) << r[5];
    }
}

// However the caller has scaled the painter, before or after the target is
// made, a raster line stays one image pixel wide and is drawn its full
// (scaled) length.
TEST(PainterTarget, RasterLinesStayOneDevicePixelWide) {
    for (const bool before : {true, false}) {
        Canvas canvas(100, 100, 96);
        if (before)
            canvas.painter.setWindow(0, 0, 50, 50);
        PainterTarget target(canvas.painter, Unit::Pixel, 96, 96);
        if (!before)
            canvas.painter.scale(2, 2);
        target.Line(10, 5, 10, 20, 0x0000FF);
        target.Line(25, 30, 40, 30, 0x0000FF);
        EXPECT_EQ(markedColumns(canvas.image, 25, Qt::white), std::vector<int>{20}) << before;
        EXPECT_EQ(markedRows(canvas.image, 65, Qt::white), std::vector<int>{60}) << before;
        EXPECT_GE(markedRows(canvas.image, 20, Qt::white).size(), 30u);
    }
}

// A label hangs from the current position in black: the digit stands on a
// baseline inside its line box, after the blank Print puts before it; the
// position moves past the label, and PrintText adds no blanks. Millimetres
// measure ten times the centimetres.
TEST(PainterTarget, LabelsHangFromTheCurrentPosition) {
    Canvas canvas(600, 200, 254);  // 100 pixels a centimetre
    PainterTarget target(canvas.painter, Unit::Centimetre, 254, 254, QPointF(40, 30));
    PainterTarget mm(canvas.painter, Unit::Millimetre, 254, 254);
    target.FontSize(6), mm.FontSize(6);
    const double blank = target.TextWidth(u" "_s), height = target.TextHeight(u"5"_s);
    EXPECT_NEAR(target.TextWidth(u" 5 "_s), target.TextWidth(u"5"_s) + 2 * blank, 1e-4);
    EXPECT_NEAR(mm.TextWidth(u"10"_s), target.TextWidth(u"10"_s) * 10, 1e-4);
    target.CurrentX(1.0), target.CurrentY(0.5), target.Print(5);
    EXPECT_NEAR(target.currentX(), 1.0 + target.TextWidth(u" 5 "_s), 1e-6);
    const QRect ink = inkBounds(canvas.image, canvas.image.rect(), Qt::white);
    EXPECT_NEAR(ink.left(), 140 + blank * 100, 2);
    EXPECT_TRUE(ink.top() >= 80 && ink.top() <= 80 + 0.35 * height * 100) << ink.top();
    EXPECT_TRUE(ink.bottom() >= 80 + 0.5 * height * 100 && ink.bottom() <= 80 + height * 100);
    int darkest = 3 * 255;  // black: some pixel across the digit is dark in every channel
    for (int x = ink.left(); x <= ink.right(); ++x) {
        const QRgb p = rgbAt(canvas.image, x, ink.center().y());
        darkest = std::min(darkest, qRed(p) + qGreen(p) + qBlue(p));
    }
    EXPECT_LT(darkest, 150);
    target.PrintText(u"50 mm"_s);
    EXPECT_NEAR(target.currentX(), 1.0 + target.TextWidth(u" 5 50 mm"_s), 1e-4);
}

// The page at the resolution to the nearest pixel, its origin in twips; saved
// as either bitmap it keeps its pixels and its resolution.
TEST(RasterTarget, IsThePageAtItsResolution) {
    EXPECT_EQ(RasterTarget::pixelSizeForPage({11906, 16838}, 150), QSize(1240, 1754));
    EXPECT_EQ(RasterTarget::pixelSizeForPage({720, 1440}, 3), QSize(2, 3));
    const auto raster = RasterTarget::forPage({1440, 1440}, 150, Unit::Inch, QPointF(720, 360));
    EXPECT_EQ(std::pair(raster->image().dotsPerMeterX(), raster->image().dotsPerMeterY()),
              std::pair(5906, 5906));
    raster->target().Line(0, 0, 0, 0.5, 0x0000FF);
    EXPECT_EQ(markedRows(raster->image(), 75, Qt::white).front(), 38);
    for (const BitmapFormat format : {BitmapFormat::Png, BitmapFormat::Bmp}) {
        Sink buffer;
        saveBitmap(raster->image(), buffer, format);
        const QImage back = QImage::fromData(buffer.data());
        EXPECT_TRUE(back.convertToFormat(QImage::Format_RGB32) == raster->image() &&
                    back.dotsPerMeterY() == 5906)
            << int(format);
    }
    raster->clear();
    EXPECT_TRUE(inkBounds(raster->image(), raster->image().rect(), Qt::white).isEmpty());
    EXPECT_NO_THROW(RasterTarget(QSize(16384, 16384), 1, Unit::Pixel));  // 1 GiB at most
}

// A page drawn in bands of 7 rows, written and read back by Qt and by a
// second decoder (netpbm; pngcheck checks the PNG's structure), is the page
// drawn whole with unsmoothed labels, pixel for pixel: lines and labels
// cross band boundaries, the last band is short, BMP goes from the bottom
// up. The depth follows the colours drawn: white, the lines' and the labels'.
TEST(SheetBands, AreTheWholePageInTheFewestBits) {
    const QTemporaryDir dir;
    const auto run = [](const char* program, const QStringList& args) {
        QProcess tool;
        tool.start(QLatin1String(program), args);
        return tool.waitForFinished() && tool.exitCode() == 0 ? tool.readAllStandardOutput()
                                                              : QByteArray("failed");
    };
    // format, line colours, labels => bits a pixel.
    const std::tuple<BitmapFormat, int, bool, int> rows[] = {
        {BitmapFormat::Png, 1, true, 1},    {BitmapFormat::Bmp, 1, true, 1},
        {BitmapFormat::Png, 3, false, 2},   {BitmapFormat::Bmp, 3, false, 4},
        {BitmapFormat::Png, 5, true, 4},    {BitmapFormat::Bmp, 14, true, 4},
        {BitmapFormat::Png, 30, true, 8},   {BitmapFormat::Bmp, 255, false, 8},
        {BitmapFormat::Png, 300, true, 24}, {BitmapFormat::Bmp, 300, false, 24}};
    for (const auto& [format, colours, labels, bits] : rows) {
        const auto draw = [&](DrawTarget& t) {  // in pixels; colour 0 is black
            for (int i = 0; i < colours; ++i)
                t.Line(i % 97, 3, i % 97, 90, ColorValue(i * 0xD0D));
            for (const int y : {6, 7, 13, 14, 41, 89, 90})
                t.Line(2, y, 117, y, ColorValue(y % colours * 0xD0D));
            t.Line(0, 96, 119, 0, 0);
            for (const int y : {4, 35, 82})
                if (labels)
                    t.CurrentX(60), t.CurrentY(y), t.Print(y / 7.0);
        };
        Canvas whole(120, 97, 96);
        PainterTarget target(whole.painter, Unit::Pixel, 96, 96, QPointF(0.4, 0.3));
        target.setSmoothLabels(false);
        draw(target);
        SheetBands bands(QSizeF(1800, 1455), 96, Unit::Pixel, QPointF(6, 4.5), draw);
        const QString name = dir.filePath(format == BitmapFormat::Png ? u"p.png"_s : u"b.bmp"_s);
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        writeBitmap(bands, file, format, 7);
        file.close();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const int depth =
            format == BitmapFormat::Png ? bytes[24] * (bytes[25] == 2 ? 3 : 1) : bytes[28];
        const QImage back(name);
        const QImage other =
            QImage::fromData(run(format == BitmapFormat::Png ? "pngtopam" : "bmptopnm", {name}));
        EXPECT_TRUE(depth == bits && back.dotsPerMeterX() == 3780) << colours << " " << depth;
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), whole.image) << colours;
        EXPECT_EQ(other.convertToFormat(QImage::Format_RGB32), whole.image) << colours;
        EXPECT_TRUE(format == BitmapFormat::Bmp || run("pngcheck", {u"-q"_s, name}) != "failed");
    }
}

// A band that cannot be had half way down the page (the drawing fails on the
// third band) leaves the earlier file as it was and nothing beside it.
TEST(SheetFile, AFailureMidBandLeavesTheEarlierFile) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"sheet"_s);
    writeFileWhole(path, [](QIODevice& file) { file.write("earlier"); });
    for (const BitmapFormat format : {BitmapFormat::Png, BitmapFormat::Bmp}) {
        int bandsDrawn = 0;
        const auto draw = [&](DrawTarget& t) {
            if (++bandsDrawn == 3)
                throw std::bad_alloc();
            t.Line(0, 0, 10, 30, 0xFF);
        };
        EXPECT_THROW(writeFileWhole(path,
                                    [&](QIODevice& file) {
                                        SheetBands bands({600, 600}, 96, Unit::Pixel, {}, draw);
                                        writeBitmap(bands, file, format, 8);
                                    }),
                     std::bad_alloc);
        QFile file(path);
        EXPECT_TRUE(bandsDrawn == 3 && file.open(QIODevice::ReadOnly) &&
                    file.readAll() == "earlier");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"sheet"_s});
    }
}

// What no target or document can be made with or do raises, naming the
// problem and, for a failed write, the device's reason.
TEST(Output, RefusesWhatItCannotDrawWith) {
    Canvas canvas(10, 10, 96);
    QPainter idle;
    QBuffer closed;
    Sink buffer;
    const QSizeF a4(210, 297);
    RefusingDevice full;
    full.open(QIODevice::WriteOnly);
    const QImage image(4, 4, QImage::Format_RGB32);
    const auto blank = [](DrawTarget&) {};
    const auto bitmap = [&](QSizeF twips, double dpi, BitmapFormat format) {
        SheetBands bands(twips, dpi, Unit::Pixel, {}, blank);
        writeBitmap(bands, buffer, format);
    };
    const std::tuple<const char*, std::function<void()>, QString> rows[] = {
        {"idle", [&] { PainterTarget(idle, Unit::Centimetre, 96, 96); }, u"not open"_s},
        {"unit", [&] { PainterTarget(canvas.painter, 4, 96, 96); }, u"scale mode 4"_s},
        {"dpi x", [&] { PainterTarget(canvas.painter, Unit::Inch, 0, 96); }, u"resolution"_s},
        {"dpi y", [&] { PainterTarget(canvas.painter, Unit::Inch, 96, kNan); }, u"resolution"_s},
        {"origin", [&] { PainterTarget(canvas.painter, 1, 96, 96, QPointF(kNan, 0)); },
         u"origin"_s},
        {"font", [&] { PainterTarget(canvas.painter, 3, 96, 96).FontSize(kNan); }, u"font size"_s},
        {"raster", [] { RasterTarget(QSize(16384, 16385), 96, Unit::Pixel); }, u"too large"_s},
        {"empty", [] { RasterTarget(QSize(0, 10), 96, Unit::Pixel); }, u"0 x 10"_s},
        {"raster dpi", [] { RasterTarget(QSize(10, 10), kNan, Unit::Pixel); }, u"resolution"_s},
        {"page", [] { RasterTarget::pixelSizeForPage(QSizeF(-1, 100), 96); }, u"-1 x 100"_s},
        {"wide",
         [&] {
             bitmap({1e12, 1440}, 96, BitmapFormat::Png);
         },
         u"the 17638888889 x 25 mm sheet at 96 dpi: it is wider"_s},
        {"bmp",
         [&] {
             bitmap({4e5, 3e5}, 1200, BitmapFormat::Bmp);
         },
         u"the 7056 x 5292 mm sheet at 1200 dpi (333333 x 250000 pixels): the BMP would be "
         u"9935 MB, more than"_s},
        {"bitmap", [&] { saveBitmap(QImage(), buffer, BitmapFormat::Png); }, u"no picture"_s},
        {"png", [&] { saveBitmap(image, full, BitmapFormat::Png); }, RefusingDevice::kReason},
        {"closed", [&] { PdfDocument(closed, a4, QPointF(), 7); }, u"not open"_s},
        {"tall", [&] { SvgDocument(buffer, QSizeF(210, 1e9), QPointF(), 7); }, u"paper size"_s},
        {"offset", [&] { PdfDocument(buffer, a4, QPointF(kNan, 0), 7); }, u"offset"_s},
        {"svg unit", [&] { SvgDocument(buffer, a4, QPointF(), 4); }, u"scale mode 4"_s},
        {"full", [&] { PdfDocument(full, a4, QPointF(), 7).finish(); },
         u"The PDF document could not be written: "_s + RefusingDevice::kReason}};
    for (const auto& [what, call, message] : rows)
        EXPECT_TRUE(errorOf(call).contains(message)) << what << ": " << errorOf(call).toStdString();
}

// The one PDF page is the paper to the nearest point, never snapped to a
// standard size near it; nothing is written before finish, once.
TEST(VectorDocument, PdfPageIsThePaper) {
    for (const QSizeF paper : {QSizeF(297, 210), QSizeF(100.3, 150.7)}) {
        Sink buffer;
        PdfDocument document(buffer, paper, QPointF(6.35, 12.7), Unit::Centimetre);
        EXPECT_EQ(document.target().origin(), QPointF(300, 600));  // at 1200 dpi
        document.target().Line(1, 1, 2, 2, 0);
        EXPECT_TRUE(buffer.data().isEmpty());
        document.finish();
        const auto box = QRegularExpression(uR"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"_s)
                             .match(QString::fromLatin1(buffer.data()));
        EXPECT_NEAR(box.captured(1).toDouble(), paper.width() / 25.4 * 72, 0.5);
        EXPECT_NEAR(box.captured(2).toDouble(), paper.height() / 25.4 * 72, 0.5);
        EXPECT_EQ(buffer.data().count("/MediaBox"), 1);
        EXPECT_TRUE(errorOf([&] { document.finish(); }).contains(u"already finished"));
    }
}

// The SVG opens at the paper's true size, a hundred units a millimetre;
// lines and labels land after the printable offset.
TEST(VectorDocument, SvgIsThePaperWithLinesAfterTheOffset) {
    Sink buffer;
    SvgDocument document(buffer, QSizeF(215.9, 279.4), QPointF(5, 7), Unit::Centimetre);
    document.target().Line(1, 1, 1, 2.5, 0x0000FF);
    document.target().FontSize(6), document.target().CurrentX(2), document.target().Print(5);
    document.finish();
    const QString svg = QString::fromUtf8(buffer.data());
    for (const QString& part :
         {u"width=\"215.9mm\" height=\"279.4mm\""_s, u"viewBox=\"0 0 21590 27940\""_s,
          u"1500,1700 1500,3200"_s, u"stroke=\"#ff0000\""_s, u"x=\"2500\""_s, u"> 5 </text>"_s})
        EXPECT_TRUE(svg.contains(part)) << part.toStdString();
}
