// Save through the main window's command, as a user waits on it: the redraw,
// the file in the chosen format and the message. Sheet: Metric 1 mm ×
// Probability 0.1% to 99.9% on A4 under the metric system.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QFileInfo>
#include <QTemporaryDir>

#include "mainwindow/form1.h"
#include "platform/print/printer.h"
#include "platform/ui/colorchooser.h"
#include "platform/ui/messageboxes.h"
#include "platform/ui/savedialog.h"
#include "render/scalecatalogue.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

// Counts what was shown, so a save that fails is never timed as a fast one.
class CountingBoxes : public MessageBoxes {
public:
    void showMessage(QWidget*, const QString&) override { ++messages; }
    void showError(QWidget*, const QString&) override { ++errors; }
    int messages = 0;
    int errors = 0;
};

// Always chooses the same file.
class FixedChoice : public SaveDialog {
public:
    explicit FixedChoice(QString path) : path_(std::move(path)) {}
    std::optional<SaveChoice> chooseFile(QWidget*, const QString&, const QStringList&,
                                         const QString& defaultFilter) override {
        return SaveChoice{path_, defaultFilter};
    }

private:
    QString path_;
};

void saveAs(benchmark::State& state, const char* fileName) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QLatin1String(fileName));
    test::MemoryStore store{{Key::Scale, kMetricWord}};
    FixedPrinter printer(
        PageSetup{QSizeF(210, 297), QRectF(0, 0, 210, 297), Orientation::Portrait});
    CountingBoxes boxes;
    NoColorChooser colours;
    FixedChoice dialog(path);
    Form1 window(store, printer, boxes, colours);
    window.setSaveDialog(dialog);
    window.Form_Load();
    window.findChild<QComboBox*>(QStringLiteral("cbOrdScale"))
        ->setCurrentIndex(Family::Probability);
    window.findChild<QComboBox*>(QStringLiteral("cbOrdDiv"))->setCurrentIndex(1);
    if (boxes.errors != 0) {
        state.SkipWithError("the sheet could not be set up");
        return;
    }
    for (auto _ : state) {
        window.PushButton9_Click();
    }
    if (boxes.errors != 0 || boxes.messages != state.iterations()) {
        state.SkipWithError("Save reported failures");
        return;
    }
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_SaveBmp(benchmark::State& state) {
    saveAs(state, "sheet.bmp");
}
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond);

void BM_SavePdf(benchmark::State& state) {
    saveAs(state, "sheet.pdf");
}
BENCHMARK(BM_SavePdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lattora
