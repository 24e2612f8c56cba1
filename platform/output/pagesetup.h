// The page a sheet is laid out on: the paper, where its printable area lies,
// and the orientation, taken from a printer or from a named paper size.
#pragma once

#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <optional>

#include "sheet/sheetsettings.h"
#include "sheet/units.h"

namespace lattora {

struct PageSetup {
    QSizeF paperMm;      // the whole sheet of paper, in the current orientation
    QRectF printableMm;  // the printable area on it
    Orientation orientation = Orientation::Portrait;
};

// A named paper with no hardware margins: the whole sheet is printable.
PageSetup paperPage(const QPageSize& size, Orientation orientation);

// A paper size by its usual name ("A4", "Letter", "legal", ...), compared
// without regard to case; nothing when the name is unknown.
std::optional<QPageSize> findPaper(const QString& name);

// The five page values in the sheet unit of `system`.
PrinterPage toPrinterPage(const PageSetup& page, UnitSystem system);

}  // namespace lattora
