// The main window's costs: one DrawPaper (four renderer calls on the two
// preview pictures) and a start-up from process start to the first painted
// window.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QProcess>
#include <QTemporaryDir>

#include "mainwindow/form1.h"
#include "mainwindow/previewpane.h"
#include "platform/print/printer.h"
#include "platform/ui/colorchooser.h"
#include "platform/ui/messageboxes.h"
#include "render/scalecatalogue.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

// Counts the error reports, so a redraw that fails is never timed as a fast one.
class SilentBoxes : public MessageBoxes {
public:
    void showMessage(QWidget*, const QString&) override {}
    void showError(QWidget*, const QString&) override { ++errors; }
    int errors = 0;
};

// The main window on a whole A4 page under the metric system.
struct BenchWindow {
    BenchWindow() { window.Form_Load(); }
    test::MemoryStore store{{Key::Scale, kMetricWord}};
    FixedPrinter printer{
        PageSetup{QSizeF(210, 297), QRectF(0, 0, 210, 297), Orientation::Portrait}};
    SilentBoxes boxes;
    NoColorChooser colours;
    Form1 window{store, printer, boxes, colours};
};

void BM_WindowDrawPaper(benchmark::State& state) {
    BenchWindow bench;
    Form1& window = bench.window;
    SilentBoxes& boxes = bench.boxes;
    auto* family = window.findChild<QComboBox*>(QStringLiteral("cbOrdScale"));
    auto* item = window.findChild<QComboBox*>(QStringLiteral("cbOrdDiv"));
    family->setCurrentIndex(Family::Probability);
    item->setCurrentIndex(1);
    if (item->currentText() != QStringLiteral("0.1% to 99.9%") || boxes.errors != 0) {
        state.SkipWithError("the sheet could not be set up");
        return;
    }
    for (auto _ : state) {
        window.DrawPaper();
    }
    if (boxes.errors != 0) {
        state.SkipWithError("DrawPaper reported failures");
    }
}
BENCHMARK(BM_WindowDrawPaper)->Unit(benchmark::kMillisecond);

// One step of a drag of the graph area on the page picture: the outline
// moves, the sheet takes its four lengths, the four fields show them and are
// checked; the grid waits for the release.
void BM_DragStep(benchmark::State& state) {
    BenchWindow bench;
    Form1& window = bench.window;
    SilentBoxes& boxes = bench.boxes;
    int draws = 0;
    QObject::connect(&window, &Form1::paperDrawn, [&draws] { ++draws; });
    const QRectF start = window.preview().outline();
    window.pPaper_MouseDown(Qt::LeftButton, Qt::NoModifier, 1000, 1000);
    float step = 1;
    for (auto _ : state) {
        // Back and forth, one twip at a time, well inside the page.
        step = -step;
        window.pPaper_MouseMove(Qt::LeftButton, Qt::NoModifier, 1000 + step, 1000);
    }
    window.pPaper_MouseUp(Qt::LeftButton, Qt::NoModifier, 1000, 1000);
    if (boxes.errors != 0 || draws != 1 || window.preview().outline().width() != start.width()) {
        state.SkipWithError("the drag did not run as a drag");
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// A whole process: start, load, lay out, paint once, quit.
void BM_StartupToFirstPaint(benchmark::State& state) {
    // A fresh settings folder: the user's own settings stay untouched.
    const QTemporaryDir configHome;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(LATTORA_BINARY), {QStringLiteral("--quit-after-first-paint")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("lattora did not start and quit");
            return;
        }
    }
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace
}  // namespace lattora
