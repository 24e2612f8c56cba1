// lattora-export: renders one sheet without a window, from the user's
// settings, to PDF, SVG, PNG, BMP or a text trace of every drawing call.
#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "linesets/linecolors.h"
#include "platform/pagesetup.h"
#include "render/graph.h"
#include "sheet/settingsstore.h"
#include "sheet/sheetsettings.h"

class QIODevice;
class QTextStream;

namespace lattora {

enum class ExportFormat { Pdf, Svg, Png, Bmp, Trace };

struct ExportRequest {
    QString output;  // a path, or "-" for standard output
    ExportFormat format = ExportFormat::Pdf;
    AxisScale abscissa;
    AxisScale ordinate;
    std::optional<QPointF> margins;  // left, top in the sheet unit
    std::optional<QSizeF> size;      // width, height in the sheet unit
    std::optional<QPageSize> paper;
    std::optional<Orientation> orientation;
    int dpi = 300;
    bool corrections = false;
    bool help = false;  // only the usage is wanted
    // Sent to a printer instead of a file: the named one, or the default
    // one when the name is empty. Printing always applies the corrections.
    bool print = false;
    QString printerName;
    // The calibration page instead of a grid sheet, always with the stored
    // corrections; the graph area options do not apply to it.
    bool calibration = false;
};

class Printer;
// Opens the printer of that name (the default one for an empty name);
// raises Error when there is none.
using PrinterOpener = std::function<std::unique_ptr<Printer>(const QString& name)>;

inline constexpr int kMinDpi = 10;
inline constexpr int kMaxDpi = 2400;

// A family text, optionally ":" and an item text as the scale lists show
// them ("Logarithmic:3 cycles"); for "N divided" the part after ":" is N.
// A family alone takes the item its list selects when chosen. Raises Error.
AxisScale parseScaleText(const QString& text);

// Reads the arguments that follow the program name. Raises Error with a
// one-line message for anything it cannot use.
ExportRequest parseExportArguments(const QStringList& arguments);

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

// Lays the sheet out as the program does: the page of the default printer
// (or the requested paper, or A4 when there is no printer), the standard
// margins unless given, the stored unit system, line set and limits.
// Never writes to `store`. Raises Error.
ExportPlan planExport(const ExportRequest& request, const SettingsStore& store,
                      const PrinterService& printers);
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
// The same of what the request draws.
QByteArray renderExport(const ExportRequest& request, const ExportPlan& plan,
                        const SettingsStore& store);

// The whole command: returns the exit status (0 done, 2 failed) after one
// line on `err` for a failure. The output file appears whole or not at all;
// "-" sends it to `standardOutput`. --print goes to the printer `openPrinter`
// gives.
int runExportCommand(const QStringList& arguments, const SettingsStore& store,
                     const PrinterService& printers, QIODevice& standardOutput, QTextStream& err,
                     const PrinterOpener& openPrinter = {});

QString exportUsage();

}  // namespace lattora
