// Speed of the two paths a user waits on: the preview's full redraw and the
// export of a sheet to PDF. Sheet: Metric 1 mm × Probability 0.1% to 99.9%
// on A4 under the metric system, standard margins.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/exportcommand.h"
#include "platform/output/rastertarget.h"
#include "render/graph.h"
#include "render/scalecatalogue.h"
#include "render/sheetdrawing.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

constexpr double kA4WidthTwips = 11906;   // 210 mm
constexpr double kA4HeightTwips = 16838;  // 297 mm
constexpr double kPagePictureHeightTwips = 4575;

// Metric 1 mm by Probability 0.1% to 99.9% over the given graph area.
SheetSettings benchSheet(double left, double top, double width, double height) {
    return {left, top, width, height, {Family::Metric, 0, 30}, {Family::Probability, 1, 30}, false};
}

// Both axes onto the full-size page picture (A4 at 96 dpi), then onto the
// whole-page picture 4575 twips high with the outline's lengths.
void BM_PreviewRedraw(benchmark::State& state) {
    const test::MemoryStore store{{Key::Scale, kMetricWord}};
    const FixedInputs inputs(LineColors{16737843, 16737843, 16763904, 16777164, {}},
                             SubdivisionLimits{0.99f, 0.51f, 0.2f});
    const Graph graph(store, inputs);
    const SheetSettings sheet = benchSheet(1.0, 1.0, 19.0, 27.7);

    const auto page = RasterTarget::forPage(QSizeF(kA4WidthTwips, kA4HeightTwips), 96, Unit::Twip);
    const double pictureWidth = kPagePictureHeightTwips * kA4WidthTwips / kA4HeightTwips;
    const auto picture =
        RasterTarget::forPage(QSizeF(pictureWidth, kPagePictureHeightTwips), 96, Unit::Twip);
    // The outline: the printable area (the whole A4) stretched over the picture.
    const double sx = pictureWidth / 21.0 / kTwipsPerCentimetre;
    const double sy = kPagePictureHeightTwips / 29.7 / kTwipsPerCentimetre;
    const SheetSettings outline = benchSheet(sheet.marginLeft * sx, sheet.marginTop * sy,
                                             sheet.areaWidth * sx, sheet.areaHeight * sy);

    for (auto _ : state) {
        page->clear();
        drawSheet(graph, page->target(), sheet);
        picture->clear();
        drawSheet(graph, picture->target(), outline);
        benchmark::DoNotOptimize(page->image().constBits());
        benchmark::DoNotOptimize(picture->image().constBits());
    }
}
BENCHMARK(BM_PreviewRedraw)->Unit(benchmark::kMillisecond);

// The export of the sheet on A4 into `output`'s format, the file's size in
// the counter `counter`.
void exportSheet(benchmark::State& state, const char* output, const char* counter) {
    const test::MemoryStore store{{Key::Scale, kMetricWord}};
    const ExportRequest request = parseExportArguments(
        {QStringLiteral("--abscissa"), QStringLiteral("Metric:1 mm"), QStringLiteral("--ordinate"),
         QStringLiteral("Probability:0.1% to 99.9%"), QStringLiteral("--paper"),
         QStringLiteral("A4"), QString::fromLatin1(output)});
    qsizetype bytes = 0;
    for (auto _ : state) {
        const ExportPlan plan = planExport(request, store, PrinterOpener());
        const QByteArray file = renderExport(request, plan, store);
        bytes = file.size();
        benchmark::DoNotOptimize(file.constData());
    }
    state.counters[counter] = static_cast<double>(bytes);
}

void BM_PdfExport(benchmark::State& state) {
    exportSheet(state, "sheet.pdf", "pdf_bytes");
}
BENCHMARK(BM_PdfExport)->Unit(benchmark::kMillisecond);

// At 300 dpi: 2480 x 3508 pixels.
void BM_PngExport(benchmark::State& state) {
    exportSheet(state, "sheet.png", "png_bytes");
}
BENCHMARK(BM_PngExport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lattora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
