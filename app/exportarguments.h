// The command line of lattora-export: what it asks for, read and checked
// before anything is drawn.
#pragma once

#include <QPageSize>
#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <optional>

#include "sheet/sheetsettings.h"

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
    bool help = false;     // only the usage is wanted
    bool version = false;  // only the version is wanted
    // Sent to a printer instead of a file: the named one, or the default
    // one when the name is empty. Printing always applies the corrections.
    bool print = false;
    QString printerName;
    // The calibration page instead of a grid sheet, always with the stored
    // corrections; the graph area options do not apply to it.
    bool calibration = false;
};

inline constexpr int kMinDpi = 10;
inline constexpr int kMaxDpi = 2400;
// Margins and size in the sheet unit: far beyond any paper, and still within
// what single-precision drawing places to a twip.
inline constexpr double kMaxLength = 10000;

// A family text, optionally ":" and an item text as the scale lists show
// them ("Logarithmic:3 cycles"); for "N divided" the part after ":" is N,
// as the window's N field takes it.
// A family alone takes the item its list selects when chosen. Raises Error.
AxisScale parseScaleText(const QString& text);

// Reads the arguments that follow the program name. Raises Error with a
// one-line message for anything it cannot use.
ExportRequest parseExportArguments(const QStringList& arguments);

// The text --help prints.
QString exportUsage();

}  // namespace lattora
