#include "app/exportcommand.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QTextStream>
#include <new>

#include "app/programinfo.h"
#include "config/configsettings.h"
#include "linesets/templates.h"
#include "platform/output/bitmapfile.h"
#include "platform/output/paintertarget.h"
#include "platform/output/sheetfile.h"
#include "platform/print/printer.h"
#include "render/calibration.h"
#include "render/recordingtarget.h"
#include "render/sheetdrawing.h"
#include "sheet/error.h"

namespace lattora {

PageSetup exportPage(const ExportRequest& request, const PrinterOpener& openPrinter) {
    if (!request.paper && openPrinter) {
        const std::unique_ptr<Printer> printer = openPrinter(QString());
        if (printer && printer->available()) {
            if (request.orientation) {
                printer->setOrientation(*request.orientation == Orientation::Landscape ? 2 : 1);
            }
            return printer->pageSetup();
        }
    }
    return paperPage(request.paper.value_or(QPageSize(QPageSize::A4)),
                     request.orientation.value_or(Orientation::Portrait));
}

ExportPlan planExport(const ExportRequest& request, const SettingsStore& store,
                      const PrinterOpener& openPrinter) {
    return planExport(request, store, exportPage(request, openPrinter));
}

ExportPlan planExport(const ExportRequest& request, const SettingsStore& userStore,
                      const PageSetup& page) {
    // A batch run must leave the user's settings as they were, whatever the
    // loaders below may do.
    ReadOnlySettings store(userStore);
    ExportPlan plan;
    // What the store could not read is told once, with the warnings of the
    // loaders, after a finished export.
    plan.warnings << store.passedOver();
    plan.unitSystem = unitSystem(store);
    plan.page = page;
    plan.printerPage = toPrinterPage(plan.page, plan.unitSystem);

    const double margin = standardMargin(plan.unitSystem);
    SheetSettings& sheet = plan.sheet;
    sheet.marginLeft = request.margins ? request.margins->x() : margin;
    sheet.marginTop = request.margins ? request.margins->y() : margin;
    sheet.areaWidth =
        request.size ? request.size->width() : plan.printerPage.printableWidth - 2 * margin;
    sheet.areaHeight =
        request.size ? request.size->height() : plan.printerPage.printableHeight - 2 * margin;
    sheet.abscissa = request.abscissa;
    sheet.ordinate = request.ordinate;

    // The current line set as the line-set editor would hold it after loading.
    LineSetEditor lineSets;
    plan.warnings << LoadSettings(lineSets, store);
    plan.colors = currentLineColors(lineSets);

    ConfigSettings config;
    plan.warnings << LoadSettings(config, store);
    plan.limits = subdivisionLimits(config);
    if (request.corrections) {
        const GraduationCorrections corrections = graduationCorrections(config);
        plan.hCorrection = corrections.horizontal;
        plan.vCorrection = corrections.vertical;
    }
    return plan;
}

namespace {

// The trace measures labels with the font the documents print them in, so its
// label positions are those of the PDF.
RecordingTarget::TextExtent labelExtent(const QString& text, double points) {
    QFont font(PainterTarget::kFontFamily);
    font.setStyleHint(QFont::SansSerif);
    // Measured large and scaled down, so hinting at small sizes does not creep in.
    constexpr double kMeasureScale = 100;
    font.setPointSizeF(points * kMeasureScale);
    const QFontMetricsF metrics(font);
    const double pixelsPerPoint = metrics.fontDpi() / 72.0 * kMeasureScale;
    return {metrics.horizontalAdvance(text) / pixelsPerPoint, metrics.height() / pixelsPerPoint};
}

// Both passes of the planned sheet on `target`.
void drawPlan(const ExportPlan& plan, const SettingsStore& userStore, DrawTarget& target) {
    const ReadOnlySettings store(userStore);
    const FixedInputs inputs(plan.colors, plan.limits);
    const Graph graph(store, inputs);
    drawSheet(graph, target, plan.sheet, plan.hCorrection, plan.vCorrection);
}

}  // namespace

ExportDrawing exportDrawing(const ExportRequest& request, const ExportPlan& plan,
                            const SettingsStore& store) {
    if (request.calibration) {
        return [&plan](DrawTarget& target) {
            DrawCalibrationPage(target, plan.hCorrection, plan.vCorrection);
        };
    }
    return [&plan, &store](DrawTarget& target) { drawPlan(plan, store, target); };
}

void printExport(const ExportPlan& plan, Printer& printer, const ExportDrawing& draw) {
    printer.setScaleMode(sheetUnit(plan.unitSystem));
    printSheet(printer, draw);
}

void printExport(const ExportPlan& plan, const SettingsStore& store, Printer& printer) {
    printExport(plan, printer, [&](DrawTarget& page) { drawPlan(plan, store, page); });
}

QByteArray renderExport(const ExportRequest& request, const ExportPlan& plan,
                        const SettingsStore& store) {
    return renderExport(request, plan, exportDrawing(request, plan, store));
}

QByteArray renderExport(const ExportRequest& request, const ExportPlan& plan,
                        const ExportDrawing& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    renderExport(request, plan, draw, buffer);
    return bytes;
}

void renderExport(const ExportRequest& request, const ExportPlan& plan, const ExportDrawing& draw,
                  QIODevice& device) {
    const int unit = sheetUnit(plan.unitSystem);
    if (request.format == ExportFormat::Trace) {
        RecordingTarget target(unit, request.dpi, labelExtent);
        draw(target);
        const QByteArray trace = target.trace().toUtf8();
        writeAll(device, trace.constData(), trace.size());
        return;
    }
    const SheetFileFormat format = request.format == ExportFormat::Pdf   ? SheetFileFormat::Pdf
                                   : request.format == ExportFormat::Svg ? SheetFileFormat::Svg
                                   : request.format == ExportFormat::Png ? SheetFileFormat::Png
                                                                         : SheetFileFormat::Bmp;
    renderSheetFile(format, plan.page, unit, request.dpi, draw, device);
}

namespace {

// The printer the request names, set to its paper and orientation, and the
// plan on its page.
std::pair<std::unique_ptr<Printer>, ExportPlan> planPrint(const ExportRequest& request,
                                                          const SettingsStore& store,
                                                          const PrinterOpener& openPrinter) {
    std::unique_ptr<Printer> printer = openPrinter ? openPrinter(request.printerName) : nullptr;
    if (!printer || !printer->canPrint()) {
        if (!request.printerName.isEmpty()) {
            throw Error(QStringLiteral("there is no printer named %1")
                            .arg(quotedExcerpt(request.printerName)));
        }
        throw Error(printer && !printer->installedPrinters().isEmpty()
                        ? QStringLiteral("no default printer is set; name one with --printer")
                        : QStringLiteral("no printer is installed"));
    }
    if (request.paper) {
        printer->setPaperSize(*request.paper);
    }
    if (request.orientation) {
        printer->setOrientation(*request.orientation == Orientation::Landscape ? 2 : 1);
    }
    ExportPlan plan = planExport(request, store, printer->pageSetup());
    return {std::move(printer), std::move(plan)};
}

}  // namespace

int runExportCommand(const QStringList& arguments, const SettingsStore& store,
                     QIODevice& standardOutput, QTextStream& err,
                     const PrinterOpener& openPrinter) {
    // Every line passes through here: the user's texts and the system's
    // reasons may hold anything, and none may act on the terminal.
    const auto say = [&err](const QString& line) {
        err << "lattora-export: " << escapedControls(line) << Qt::endl;
    };
    // Only a finished export mentions the stored values it passed over, so a
    // failure stays one line.
    const auto finished = [&say](const ExportPlan& plan) {
        for (const QString& warning : plan.warnings) {
            say(QStringLiteral("warning: ") + warning);
        }
        return 0;
    };
    ExportRequest request;
    try {
        request = parseExportArguments(arguments);
        const auto writeOut = [&standardOutput](const QByteArray& bytes) {
            if (standardOutput.write(bytes) != bytes.size()) {
                throw Error(QStringLiteral("cannot write to standard output: %1")
                                .arg(standardOutput.errorString()));
            }
        };
        if (request.help || request.version) {
            writeOut(request.help ? exportUsage().toUtf8()
                                  : QByteArray::fromStdString(versionText(exportProgram())));
            return 0;
        }
        if (request.print) {
            auto [printer, plan] = planPrint(request, store, openPrinter);
            printExport(plan, *printer, exportDrawing(request, plan, store));
            return finished(plan);
        }
        const ExportPlan plan = planExport(request, store, openPrinter);
        if (request.output == QLatin1String("-")) {
            writeOut(renderExport(request, plan, store));
        } else {
            // A bitmap goes into the file band by band as it is drawn; only
            // what the file refuses is said as a failure to write it.
            const ExportDrawing draw = exportDrawing(request, plan, store);
            try {
                writeFileWhole(request.output,
                               [&](QIODevice& file) { renderExport(request, plan, draw, file); });
            } catch (const FileError& e) {
                throw Error(QStringLiteral("cannot write %1: %2")
                                .arg(quotedExcerpt(request.output), e.description()));
            }
        }
        return finished(plan);
    } catch (const Error& e) {
        say(e.description());
    } catch (const std::bad_alloc&) {
        // The pictures are what grows with a request: their resolution is the
        // thing to lower.
        const bool picture = !request.print && (request.format == ExportFormat::Png ||
                                                request.format == ExportFormat::Bmp);
        say(picture ? QStringLiteral("not enough memory for this sheet at %1 dpi").arg(request.dpi)
                    : QStringLiteral("not enough memory for this sheet"));
    } catch (const std::exception& e) {
        say(QString::fromLocal8Bit(e.what()).simplified());
    }
    return 2;
}

}  // namespace lattora
