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
    QString deviceName() const override { return name_; }
    int scaleMode() const override { return scaleMode_; }
    void setScaleMode(int unitCode) override { scaleMode_ = unitCode; }
    std::int16_t orientation() const override { return orientation_; }
    void setOrientation(std::int16_t o) override { orientation_ = o, note("orientation", o); }
    PageSetup pageSetup() const override;
    QString driverName() const override { return QStringLiteral("Test Driver"); }
    QString port() const override { return QStringLiteral("TEST:"); }
    int paperBin() const override { return 7; }
    int copies() const override { return copies_; }
    void setCopies(int n) override { requireCopies(n), copies_ = n, note("copies", n); }
    ColorMode colorMode() const override { return colorMode_; }
    void setColorMode(ColorMode mode) override { colorMode_ = mode, note("color", int(mode)); }
    DuplexMode duplex() const override { return duplex_; }
    void setDuplex(DuplexMode mode) override { duplex_ = mode, note("duplex", int(mode)); }
    QPageSize paperSize() const override { return paperSize_; }
    void setPaperSize(const QPageSize& size) override;
    int printQuality() const override { return dpi_; }
    void setPrintQuality(int d) override { requireQuality(d), note("quality", dpi_ = d); }
    QString outputFile() const override { return outputFile_; }
    void setOutputFile(const QString& path) override { outputFile_ = path, note("file", path); }
    bool tracksDefault() const override { return tracksDefault_; }
    void setTracksDefault(bool track) override { tracksDefault_ = track; }
    QStringList installedPrinters() const override { return installed_; }
    void selectPrinter(const QString& n) override { note("select", name_ = n), available_ = true; }
    QStringList fontNames() const override { return fonts_; }
    std::unique_ptr<PrintJob> startJob() override;

    // Set-up for a test.
    void setInstalledPrinters(const QStringList& names) { installed_ = names; }
    void setFontNames(const QStringList& names) { fonts_ = names; }

    // A page that was sent: the font it was printed in (its size before the
    // first label) and what was drawn.
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
    // Records "what value" among the calls.
    void note(const char* what, int value) { note(what, QString::number(value)); }
    void note(const char* what, const QString& v) { calls_ << QLatin1String(what) + u' ' + v; }

    PageSetup portrait_;
    bool available_, tracksDefault_ = true;
    QString name_ = QStringLiteral("Test Printer"), outputFile_;
    int scaleMode_ = Unit::Inch, copies_ = 1, dpi_ = 600, abandoned_ = 0;
    std::int16_t orientation_ = 1;
    ColorMode colorMode_ = ColorMode::Color;
    DuplexMode duplex_ = DuplexMode::Simplex;
    QPageSize paperSize_{QPageSize::A4};
    QStringList installed_, fonts_, calls_;
    std::vector<Page> pages_;
};

}  // namespace lattora
