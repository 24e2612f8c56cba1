// lattora-export: renders one sheet without a window, from the user's
// settings, to PDF, SVG, PNG, BMP or a text trace of every drawing call.
#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "app/exportarguments.h"
#include "platform/output/pagesetup.h"
#include "platform/print/printer.h"
#include "render/graph.h"
#include "sheet/linevalues.h"
#include "sheet/settingsstore.h"
#include "sheet/sheetsettings.h"

class QIODevice;
class QTextStream;

namespace lattora {

// Everything the drawing needs, gathered before anything is drawn.
struct ExportPlan {
    PageSetup page;
    PrinterPage printerPage;
    UnitSystem unitSystem = UnitSystem::Imperial;
    SheetSettings sheet;
    double hCorrection = 0;
    double vCorrection = 0;
    LineColors colors;
    SubdivisionLimits limits;
    QStringList warnings;  // stored values that were passed over
};

// The page a file is laid out on: the requested paper, else the page of the
// default printer `openPrinter` gives (turned as requested), else A4.
PageSetup exportPage(const ExportRequest& request, const PrinterOpener& openPrinter);

// Lays the sheet out as the program does: on exportPage, with the standard
// margins unless given, the stored unit system, line set and limits.
// Never writes to `store`. Raises Error.
ExportPlan planExport(const ExportRequest& request, const SettingsStore& store,
                      const PrinterOpener& openPrinter);
// The same on a page already chosen.
ExportPlan planExport(const ExportRequest& request, const SettingsStore& store,
                      const PageSetup& page);

// Draws a page on a target in the sheet unit, from the printable area's
// top-left corner.
using ExportDrawing = std::function<void(DrawTarget&)>;

// What the request draws: the planned grid sheet or, for --calibration, the
// calibration page, either with the plan's corrections. The drawing refers to
// `plan` and `store`, which must outlive it.
ExportDrawing exportDrawing(const ExportRequest& request, const ExportPlan& plan,
                            const SettingsStore& store);

// Sends `draw` to `printer` through the program's printing path: the
// printer's unit is the sheet unit, labels in its Courier font if it has one,
// then the end of the document. Raises Error; a failure sends nothing.
void printExport(const ExportPlan& plan, Printer& printer, const ExportDrawing& draw);
// The planned grid sheet, with the corrections of the plan.
void printExport(const ExportPlan& plan, const SettingsStore& store, Printer& printer);

// The finished file's bytes of `draw` on the plan's page. Raises Error.
QByteArray renderExport(const ExportRequest& request, const ExportPlan& plan,
                        const ExportDrawing& draw);
// The same file written to `device` as it is made (a bitmap band by band).
// Raises Error, FileError when the device refuses bytes.
void renderExport(const ExportRequest& request, const ExportPlan& plan, const ExportDrawing& draw,
                  QIODevice& device);
// The same of what the request draws.
QByteArray renderExport(const ExportRequest& request, const ExportPlan& plan,
                        const SettingsStore& store);

// The whole command: returns the exit status (0 done, 2 failed) after one
// line on `err` for a failure. The output file appears whole or not at all;
// "-" sends it to `standardOutput`. The printers come from `openPrinter`: the
// default one's page for a file without --paper, and the one --print names.
int runExportCommand(const QStringList& arguments, const SettingsStore& store,
                     QIODevice& standardOutput, QTextStream& err,
                     const PrinterOpener& openPrinter = {});

}  // namespace lattora
