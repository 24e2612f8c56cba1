// The export as a user runs it: the real lattora-export started afresh for
// every run, timed from the start to its exit, its peak memory (the
// kernel's ru_maxrss of the finished process) and the file's size as
// counters. Beside it, in the same run, bench/sheet_matplotlib.py draws the
// same sheet with the plotting library. The sheet: Metric 1 mm across by
// Logarithmic 3 cycles down the page, standard margins (1 cm) under the metric system.
//
// LATTORA_BENCH_EXPORT names another lattora-export to time instead, such as
// an earlier build, for a before-and-after table.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace lattora {
namespace {

struct Finished {
    double seconds = 0;
    double peakMegabytes = 0;
    int status = -1;  // the exit status, -1 when it did not exit
};

// Runs `arguments` with the environment plus `extra` through the small
// measure_run, which times it and reads its peak memory from wait4.
Finished runProcess(const QStringList& arguments, const QStringList& extra) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : extra) {
        environment.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(LATTORA_MEASURE_RUN), arguments);
    Finished run;
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        return run;
    }
    const QStringList figures =
        QString::fromLatin1(process.readAllStandardOutput()).trimmed().split(u' ');
    if (figures.size() == 3) {
        run = {figures[0].toDouble(), figures[1].toDouble() / 1024, figures[2].toInt()};
    }
    return run;
}

// A settings folder of the metric system, the plotting library's own
// folder (its font cache, built on the first run) and the output, removed
// afterwards; the user's own settings are never read.
struct Scratch {
    Scratch() {
        ok = folder.isValid() && settings(u"config"_s, "") &&
             settings(u"blue"_s,
                      "CurrentStyle=Blue\nStyleTemplates=\"Blue~16737843|16737843|"
                      "16763904|16777164|solid\"\n");
    }
    // A settings folder under `name`: the metric system and `more`.
    bool settings(const QString& name, const char* more) const {
        QDir(folder.path()).mkpath(name + u"/Tarnhill"_s);
        QFile file(folder.filePath(name + u"/Tarnhill/Lattora.conf"_s));
        return file.open(QIODevice::WriteOnly) &&
               file.write(QByteArray("[Lattora]\nScale=Metric\n") + more) > 0;
    }
    QStringList environment() const {
        return {u"XDG_CONFIG_HOME="_s + folder.filePath(u"config"_s),
                u"MPLCONFIGDIR="_s + folder.filePath(u"matplotlib"_s),
                u"QT_QPA_PLATFORM=offscreen"_s};
    }
    QString output(const char* format) const {
        return folder.filePath(u"sheet."_s + QLatin1String(format));
    }
    QTemporaryDir folder;
    bool ok = false;
};

// One for the whole run, so the repetitions share the font cache.
const Scratch& scratch() {
    static const Scratch folder;
    return folder;
}

// Debian's Python, whatever else the path finds first: python3-matplotlib
// is installed for it.
const QString kPython = u"/usr/bin/python3"_s;

// One run per iteration: the repetitions give the median of nine.
void timeRuns(benchmark::State& state, const QStringList& arguments, const QString& output,
              const QStringList& environment = {}) {
    if (!scratch().ok) {
        state.SkipWithError("no scratch folder");
        return;
    }
    Finished run;
    for (auto _ : state) {
        run = runProcess(arguments, scratch().environment() + environment);
        if (run.status != 0) {
            break;
        }
        state.SetIterationTime(run.seconds);
    }
    if (run.status == 3 && arguments.front() == kPython) {
        state.SkipWithError("python3-matplotlib is not installed (./dev.sh bench installs it)");
        return;
    }
    if (run.status != 0) {
        state.SkipWithError("the program failed");
        return;
    }
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["file_KB"] = QFileInfo(output).size() / 1024.0;
}

void exportRuns(benchmark::State& state, const char* paper, int dpi, const char* format,
                const QStringList& environment) {
    const QString other = qEnvironmentVariable("LATTORA_BENCH_EXPORT");
    const QString output = scratch().output(format);
    timeRuns(state,
             {other.isEmpty() ? QStringLiteral(LATTORA_EXPORT_BINARY) : other, u"--paper"_s,
              QLatin1String(paper), u"--abscissa"_s, u"Metric:1 mm"_s, u"--ordinate"_s,
              u"Logarithmic:3 cycles"_s, u"--dpi"_s, QString::number(dpi), output},
             output, environment);
}

// "Black Lines": white and black, 1 bit a pixel.
void BM_ExportProcess(benchmark::State& state, const char* paper, int dpi, const char* format) {
    exportRuns(state, paper, dpi, format, {});
}

// Four line colours and the labels' black: 4 bits a pixel.
void BM_ColourExportProcess(benchmark::State& state, const char* paper, int dpi,
                            const char* format) {
    exportRuns(state, paper, dpi, format,
               {u"XDG_CONFIG_HOME="_s + scratch().folder.filePath(u"blue"_s)});
}

void BM_MatplotlibScript(benchmark::State& state, const char* paper, int dpi, const char* format) {
    const QString output = scratch().output(format);
    timeRuns(state,
             {kPython, QStringLiteral(LATTORA_MATPLOTLIB_SCRIPT), QLatin1String(paper),
              QString::number(dpi), output},
             output);
}

#define LATTORA_PROCESS(name, paper, dpi, format)                                \
    BENCHMARK_CAPTURE(BM_##name, paper##_##dpi##_##format, #paper, dpi, #format) \
        ->Unit(benchmark::kMillisecond)                                          \
        ->UseManualTime()                                                        \
        ->Iterations(1)

LATTORA_PROCESS(ExportProcess, A4, 300, pdf);
LATTORA_PROCESS(MatplotlibScript, A4, 300, pdf);
LATTORA_PROCESS(ExportProcess, A4, 300, png);
LATTORA_PROCESS(MatplotlibScript, A4, 300, png);
LATTORA_PROCESS(ExportProcess, A4, 600, png);
LATTORA_PROCESS(MatplotlibScript, A4, 600, png);
LATTORA_PROCESS(ExportProcess, A4, 300, bmp);
LATTORA_PROCESS(ExportProcess, A5, 300, png);
LATTORA_PROCESS(ExportProcess, A3, 300, png);
LATTORA_PROCESS(ExportProcess, A2, 300, png);
LATTORA_PROCESS(ExportProcess, A1, 300, png);
LATTORA_PROCESS(ExportProcess, A0, 300, png);
LATTORA_PROCESS(ExportProcess, A5, 600, png);
LATTORA_PROCESS(ExportProcess, A3, 600, png);
LATTORA_PROCESS(ExportProcess, A2, 600, png);
LATTORA_PROCESS(ExportProcess, A1, 600, png);
LATTORA_PROCESS(ExportProcess, A0, 600, png);
LATTORA_PROCESS(ColourExportProcess, A4, 300, png);
LATTORA_PROCESS(ColourExportProcess, A4, 600, png);
LATTORA_PROCESS(ColourExportProcess, A0, 600, png);

}  // namespace
}  // namespace lattora
