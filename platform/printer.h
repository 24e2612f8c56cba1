// The current printer as the program sees it: its page in twips, its
// orientation, and its printable area in the unit the sheet is measured in.
// Without an installed printer it stands for a plain paper of the locale's
// usual size (A4, or Letter where that is the custom) with no margins.
#pragma once

#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/pagesetup.h"
#include "render/recordingtarget.h"
#include "sheet/sheetsettings.h"
#include "sheet/units.h"

class QPrinter;

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

// Prints one page on `printer`: the first of its fonts whose name begins
// with "Courier" (if any) at 10 points, then `draw` on the page, then the end
// of the document. A failure abandons the page and is passed on.
void printSheet(Printer& printer, const std::function<void(DrawTarget&)>& draw);

// The system's default printer through Qt's print support, or the locale's
// paper when none is installed.
class SystemPrinter : public Printer {
public:
    // The printer named `name`, or the default one when `name` is empty.
    // Raises Error for a name no installed printer has.
    explicit SystemPrinter(const QString& name = {});
    ~SystemPrinter() override;

    bool available() const override { return available_; }
    QString deviceName() const override;
    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int unitCode) override;
    std::int16_t orientation() const override;
    void setOrientation(std::int16_t orientation) override;
    PageSetup pageSetup() const override;

    QString driverName() const override;
    QString port() const override;
    int paperBin() const override;
    int copies() const override;
    void setCopies(int copies) override;
    ColorMode colorMode() const override;
    void setColorMode(ColorMode mode) override;
    DuplexMode duplex() const override;
    void setDuplex(DuplexMode mode) override;
    QPageSize paperSize() const override;
    void setPaperSize(const QPageSize& size) override;
    int printQuality() const override;
    void setPrintQuality(int dotsPerInch) override;
    QString outputFile() const override;
    void setOutputFile(const QString& path) override;
    bool tracksDefault() const override { return tracksDefault_; }
    void setTracksDefault(bool track) override { tracksDefault_ = track; }
    QStringList installedPrinters() const override;
    void selectPrinter(const QString& name) override;
    QStringList fontNames() const override;
    std::unique_ptr<PrintJob> startJob() override;

    // The Qt printer itself, for the printer dialog.
    QPrinter& qprinter() { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_;
    bool available_ = false;
    bool tracksDefault_ = true;
    int scaleMode_ = Unit::Inch;
};

// The paper a desk without a printer most likely holds: Letter where the
// locale measures in US units, A4 elsewhere.
QPageSize localeDefaultPaper();
QPageSize paperFor(QLocale::MeasurementSystem system);

// A printer for tests: a fixed page, turned on request, that keeps a record
// of what it is asked to do and of the pages it prints.
class FixedPrinter : public Printer {
public:
    explicit FixedPrinter(PageSetup portraitPage, bool available = true)
        : portrait_(portraitPage), available_(available) {}

    bool available() const override { return available_; }
    QString deviceName() const override { return deviceName_; }
    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int unitCode) override { scaleMode_ = unitCode; }
    std::int16_t orientation() const override { return orientation_; }
    void setOrientation(std::int16_t orientation) override;
    PageSetup pageSetup() const override;

    QString driverName() const override { return QStringLiteral("Test Driver"); }
    QString port() const override { return QStringLiteral("TEST:"); }
    int paperBin() const override { return 7; }
    int copies() const override { return copies_; }
    void setCopies(int copies) override;
    ColorMode colorMode() const override { return colorMode_; }
    void setColorMode(ColorMode mode) override;
    DuplexMode duplex() const override { return duplex_; }
    void setDuplex(DuplexMode mode) override;
    QPageSize paperSize() const override { return paperSize_; }
    void setPaperSize(const QPageSize& size) override;
    int printQuality() const override { return printQuality_; }
    void setPrintQuality(int dotsPerInch) override;
    QString outputFile() const override { return outputFile_; }
    void setOutputFile(const QString& path) override;
    bool tracksDefault() const override { return tracksDefault_; }
    void setTracksDefault(bool track) override { tracksDefault_ = track; }
    QStringList installedPrinters() const override { return installed_; }
    void selectPrinter(const QString& name) override;
    QStringList fontNames() const override { return fonts_; }
    std::unique_ptr<PrintJob> startJob() override;

    // Set-up for a test.
    void setDeviceName(const QString& name) { deviceName_ = name; }
    void setInstalledPrinters(const QStringList& names) { installed_ = names; }
    void setFontNames(const QStringList& names) { fonts_ = names; }
    // The job's drawing fails with Error after this many lines.
    void failAfterLines(int lines) { failAfterLines_ = lines; }

    // A page that was sent: the font it was printed in and what was drawn.
    struct Page {
        int scaleMode = 0;
        QString fontName;
        double fontSize = 0;  // before the first label
        std::vector<RecordingTarget::LineCall> lines;
        std::vector<RecordingTarget::LabelCall> labels;
    };
    const std::vector<Page>& printedPages() const { return pages_; }
    int abandonedJobs() const { return abandoned_; }
    // Every setter call in order, e.g. "copies 2", "select HP".
    const QStringList& calls() const { return calls_; }

private:
    class Job;
    PageSetup portrait_;
    bool available_;
    QString deviceName_ = QStringLiteral("Test Printer");
    int scaleMode_ = Unit::Inch;
    std::int16_t orientation_ = 1;
    int copies_ = 1;
    ColorMode colorMode_ = ColorMode::Color;
    DuplexMode duplex_ = DuplexMode::Simplex;
    QPageSize paperSize_{QPageSize::A4};
    int printQuality_ = 600;
    QString outputFile_;
    bool tracksDefault_ = true;
    QStringList installed_;
    QStringList fonts_;
    int failAfterLines_ = -1;
    std::vector<Page> pages_;
    int abandoned_ = 0;
    QStringList calls_;
};

}  // namespace lattora
