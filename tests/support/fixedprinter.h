// A printer for tests: a fixed page, turned on request, that keeps a record
// of what it is asked to do and of the pages it prints.
#pragma once

#include <QStringList>
#include <vector>

#include "platform/print/printer.h"
#include "render/recordingtarget.h"

namespace lattora {

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
