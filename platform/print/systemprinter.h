// The desktop's printers through Qt's print support (and so CUPS). This is
// the one part of the program that needs Qt PrintSupport, which brings in Qt
// Widgets: lattora-export loads it as a module only when it asks a printer.
#pragma once

#include <QLocale>
#include <QPageSize>
#include <memory>

#include "platform/print/printer.h"

class QPrinter;

namespace lattora {

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

}  // namespace lattora
