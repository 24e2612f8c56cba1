// The one printer interface: the current printer as the program sees it (its
// page in twips, its orientation, its printable area in the unit the sheet is
// measured in), the desktop's other printers, and printing one page on it.
// The Qt implementation is SystemPrinter; tests put a fake in its place.
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/output/pagesetup.h"
#include "sheet/sheetsettings.h"
#include "sheet/units.h"

namespace lattora {

class DrawTarget;

enum class ColorMode : std::int16_t { Monochrome = 1, Color = 2 };
enum class DuplexMode : std::int16_t { Simplex = 1, LongEdge = 2, ShortEdge = 3 };

// The settings a printer dialog starts from and hands back.
struct PrinterChoice {
    QString printerName;
    int copies = 1;
    std::int16_t orientation = 1;
    ColorMode colorMode = ColorMode::Color;
    DuplexMode duplex = DuplexMode::Simplex;
    QPageSize paperSize;
    int printQuality = 0;  // dots per inch
    // Not empty: the pages go to this PDF file instead of a printer.
    QString outputFile;
};

// One page on its way to the printer. Ending the document sends the page;
// a job dropped before that is abandoned and nothing reaches the paper.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // In the printer's scale mode, its origin at the printable area's top-left.
    virtual DrawTarget& target() = 0;
    // The font labels are printed in, one of the printer's font names.
    virtual void setFontName(const QString& name) = 0;
    // Raises Error when the printer does not take the page.
    virtual void endDocument() = 0;
};

class Printer {
public:
    virtual ~Printer() = default;

    // Whether a real printer stands behind this object.
    virtual bool available() const = 0;
    virtual QString deviceName() const = 0;

    // The unit printableWidth and printableHeight are read in: 7 (cm) or 5 (in).
    virtual int scaleMode() const = 0;
    virtual void setScaleMode(int unitCode) = 0;

    // 1 portrait, 2 landscape; turning the page swaps its width and height.
    virtual std::int16_t orientation() const = 0;
    virtual void setOrientation(std::int16_t orientation) = 0;

    // The paper and printable area in the current orientation.
    virtual PageSetup pageSetup() const = 0;

    // The five page values, the printable extent in the current scale mode.
    PrinterPage page() const;

    // What the printer dialog is started from.
    virtual QString driverName() const = 0;
    virtual QString port() const = 0;
    virtual int paperBin() const = 0;

    // The settings the printer dialog hands over; a value the printer cannot
    // take is refused with Error.
    virtual int copies() const = 0;
    virtual void setCopies(int copies) = 0;
    virtual ColorMode colorMode() const = 0;
    virtual void setColorMode(ColorMode mode) = 0;
    virtual DuplexMode duplex() const = 0;
    virtual void setDuplex(DuplexMode mode) = 0;
    virtual QPageSize paperSize() const = 0;
    virtual void setPaperSize(const QPageSize& size) = 0;
    virtual int printQuality() const = 0;
    virtual void setPrintQuality(int dotsPerInch) = 0;
    // Not empty: print into this PDF file rather than on the printer.
    virtual QString outputFile() const = 0;
    virtual void setOutputFile(const QString& path) = 0;
    // Whether printing can start: a printer is installed or a file is chosen.
    bool canPrint() const { return available() || !outputFile().isEmpty(); }

    // Whether the printer changes with the desktop's default printer.
    virtual bool tracksDefault() const = 0;
    virtual void setTracksDefault(bool track) = 0;

    // The desktop's printers by name; selecting one makes it this printer.
    virtual QStringList installedPrinters() const = 0;
    virtual void selectPrinter(const QString& name) = 0;

    // The names of the fonts the printer can print in.
    virtual QStringList fontNames() const = 0;
    // Starts a page. Raises Error when the printer cannot start printing.
    virtual std::unique_ptr<PrintJob> startJob() = 0;
};

// The checks every printer makes on the values the printer dialog hands over;
// each raises Error for a value no printer takes.
void requireScaleMode(int unitCode);
void requireCopies(int copies);
void requireQuality(int dotsPerInch);
void requirePaper(const QPageSize& size);

// Opens the printer of that name (the default one for an empty name);
// raises Error when there is none by that name.
using PrinterOpener = std::function<std::unique_ptr<Printer>(const QString& name)>;

// Prints one page on `printer`: the first of its fonts whose name begins
// with "Courier" (if any) at 10 points, then `draw` on the page, then the end
// of the document. A failure abandons the page and is passed on.
void printSheet(Printer& printer, const std::function<void(DrawTarget&)>& draw);

}  // namespace lattora
