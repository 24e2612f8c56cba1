// The print job from the command to the spooler: the sheet drawn through the
// program's printing path (Metric 1 mm x Logarithmic 2 cycles on A4, metric
// system, standard margins, stored corrections). By default the job goes into
// a PDF file, which is what the print engine hands to the spooler; with
// LATTORA_BENCH_PRINTER set it goes to that print queue for real.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "app/exportcommand.h"
#include "platform/print/printer.h"
#include "platform/print/systemprinter.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

void BM_PrintJob(benchmark::State& state) {
    const test::MemoryStore store{{Key::Scale, kMetricWord}};
    const QString queue = qEnvironmentVariable("LATTORA_BENCH_PRINTER");
    QTemporaryDir dir;
    SystemPrinter printer(queue);
    if (queue.isEmpty()) {
        printer.setOutputFile(dir.filePath(QStringLiteral("job.pdf")));
        printer.setPaperSize(QPageSize(QPageSize::A4));
    }
    const ExportRequest request = parseExportArguments(
        {QStringLiteral("--print"), QStringLiteral("--abscissa"), QStringLiteral("Metric:1 mm"),
         QStringLiteral("--ordinate"), QStringLiteral("Logarithmic:2 cycles")});
    const ExportPlan plan = planExport(request, store, printer.pageSetup());
    for (auto _ : state) {
        printExport(plan, store, printer);
    }
    state.SetLabel(queue.isEmpty() ? std::string("into a PDF file") : "to " + queue.toStdString());
}
BENCHMARK(BM_PrintJob)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lattora
