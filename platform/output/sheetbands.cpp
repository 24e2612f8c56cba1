#include "platform/output/sheetbands.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/output/paintertarget.h"
#include "platform/output/qtcolor.h"
#include "platform/output/rastertarget.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/units.h"

namespace lattora {

namespace {

// Passes every call on and notes the colours the drawing uses.
class ColourSurvey : public DrawTarget {
public:
    explicit ColourSurvey(PainterTarget& target) : target_(target) {}

    int ScaleMode() const override { return target_.ScaleMode(); }
    float ScaleX(double length, int fromUnit, int toUnit) const override {
        return target_.ScaleX(length, fromUnit, toUnit);
    }
    float ScaleY(double length, int fromUnit, int toUnit) const override {
        return target_.ScaleY(length, fromUnit, toUnit);
    }
    void Line(double x1, double y1, double x2, double y2, ColorValue colour) override {
        note(qColorFromValue(colour).rgb());
        target_.Line(x1, y1, x2, y2, colour);
    }
    void FontSize(double points) override { target_.FontSize(points); }
    double TextWidth(const QString& text) const override { return target_.TextWidth(text); }
    double TextHeight(const QString& text) const override { return target_.TextHeight(text); }
    void CurrentX(double x) override { target_.CurrentX(x); }
    void CurrentY(double y) override { target_.CurrentY(y); }
    void Print(double number) override {
        printed_ = true;
        target_.Print(number);
    }
    void PrintText(const QString& text) override {
        printed_ = true;
        target_.PrintText(text);
    }

    // White first, the lines' colours, black last for the labels; none when
    // they are too many for a palette.
    QList<QRgb> colours() const {
        QList<QRgb> all{qRgb(255, 255, 255)};
        for (const QRgb colour : lines_) {
            if (!all.contains(colour)) {
                all << colour;
            }
        }
        if (printed_ && !all.contains(qRgb(0, 0, 0))) {
            all << qRgb(0, 0, 0);
        }
        return all.size() <= 256 ? all : QList<QRgb>();
    }

private:
    void note(QRgb colour) {
        if (lines_.isEmpty() || lines_.back() != colour) {
            lines_ << colour;
        }
    }

    PainterTarget& target_;
    QList<QRgb> lines_;
    bool printed_ = false;
};

}  // namespace

SheetBands::SheetBands(QSizeF pageTwips, double dpi, int scaleMode, QPointF originTwips,
                       std::function<void(DrawTarget&)> draw)
    : pageTwips_(pageTwips),
      dpi_(dpi),
      scaleMode_(scaleMode),
      pixels_(RasterTarget::pixelSizeForPage(pageTwips, dpi)),
      originPixels_(originTwips.x() / kTwipsPerInch * dpi, originTwips.y() / kTwipsPerInch * dpi),
      draw_(std::move(draw)) {
    if (std::max(pixels_.width(), pixels_.height()) == std::numeric_limits<int>::max()) {
        throw Error(QStringLiteral("Cannot write %1: it is wider or taller than a PNG or BMP "
                                   "holds (%2 pixels)")
                        .arg(description())
                        .arg(std::numeric_limits<int>::max()));
    }
}

int SheetBands::dotsPerMetre() const {
    return RasterTarget::dotsPerMetre(dpi_);
}

QString SheetBands::description() const {
    const double mmPerTwip = kMillimetresPerInch / kTwipsPerInch;
    return QStringLiteral("the %1 x %2 mm sheet at %3 dpi")
        .arg(formatNumber(std::round(pageTwips_.width() * mmPerTwip)),
             formatNumber(std::round(pageTwips_.height() * mmPerTwip)), formatNumber(dpi_));
}

void SheetBands::paintBand(QImage& band, int top) {
    band.fill(Qt::white);
    QPainter painter(&band);
    painter.translate(0, -top);
    PainterTarget target(painter, scaleMode_, dpi_, dpi_, originPixels_);
    // A bitmap of a sheet keeps to its few colours: white, the lines' and
    // black. Labels smoothed onto white would add a grey for every shade.
    target.setSmoothLabels(false);
    if (colours_.isEmpty()) {
        ColourSurvey survey(target);
        draw_(survey);
        colours_ = survey.colours();
    } else {
        draw_(target);
    }
}

}  // namespace lattora
