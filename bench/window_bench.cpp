// The main window's costs: one DrawPaper (four renderer calls on the two
// preview pictures) and a start-up from process start to the first painted
// window.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QProcess>
#include <QTemporaryDir>

#include "bench/metricstore.h"
#include "mainwindow/form1.h"
#include "platform/colorchooser.h"
#include "platform/messageboxes.h"
#include "platform/printer.h"
#include "render/scalecatalogue.h"

namespace lattora {
namespace {

// Counts the error reports, so a redraw that fails is never timed as a fast one.
class SilentBoxes : public MessageBoxes {
public:
    void showMessage(QWidget*, const QString&) override {}
    void showError(QWidget*, const QString&) override { ++errors; }
    int errors = 0;
};

void BM_WindowDrawPaper(benchmark::State& state) {
    bench::MetricStore store;
    FixedPrinter printer(
        PageSetup{QSizeF(210, 297), QRectF(0, 0, 210, 297), Orientation::Portrait});
    SilentBoxes boxes;
    NoColorChooser colours;
    Form1 window(store, printer, boxes, colours);
    window.Form_Load();
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
