// The current printer as the program sees it: its page in twips, its
// orientation, and its printable area in the unit the sheet is measured in.
// Without an installed printer it stands for a plain paper of the locale's
// usual size (A4, or Letter where that is the custom) with no margins.
#pragma once

#include <QLocale>
#include <QPageSize>
#include <QString>
#include <memory>

#include "platform/pagesetup.h"
#include "sheet/sheetsettings.h"
#include "sheet/units.h"

class QPrinter;

namespace lattora {

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
};

// The system's default printer through Qt's print support, or the locale's
// paper when none is installed.
class SystemPrinter : public Printer {
public:
    SystemPrinter();
    ~SystemPrinter() override;

    bool available() const override { return available_; }
    QString deviceName() const override;
    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int unitCode) override;
    std::int16_t orientation() const override;
    void setOrientation(std::int16_t orientation) override;
    PageSetup pageSetup() const override;

    // The Qt printer itself, for printing and the printer dialog.
    QPrinter& qprinter() { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_;
    bool available_ = false;
    int scaleMode_ = Unit::Inch;
};

// The paper a desk without a printer most likely holds: Letter where the
// locale measures in US units, A4 elsewhere.
QPageSize localeDefaultPaper();
QPageSize paperFor(QLocale::MeasurementSystem system);

// A printer for tests: a fixed page, turned on request.
class FixedPrinter : public Printer {
public:
    explicit FixedPrinter(PageSetup portraitPage, bool available = true)
        : portrait_(portraitPage), available_(available) {}

    bool available() const override { return available_; }
    QString deviceName() const override { return QStringLiteral("Test Printer"); }
    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int unitCode) override { scaleMode_ = unitCode; }
    std::int16_t orientation() const override { return orientation_; }
    void setOrientation(std::int16_t orientation) override { orientation_ = orientation; }
    PageSetup pageSetup() const override;

private:
    PageSetup portrait_;
    bool available_;
    int scaleMode_ = Unit::Inch;
    std::int16_t orientation_ = 1;
};

}  // namespace lattora
