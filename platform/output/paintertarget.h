// The drawing target over a QPainter: the grid renderer's lines and labels on
// any Qt paint device, be it an image, a PDF or SVG document or a printer.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <map>

#include "render/drawtarget.h"

namespace lattora {

class PainterTarget : public DrawTarget {
public:
    // A new target prints in this size until FontSize says otherwise: the
    // default size of a picture's font.
    static constexpr double kInitialFontPoints = 8.25;
    // Pen width on vector devices: one dot of a 300 dpi printer.
    static constexpr double kDefaultVectorPenInches = 1.0 / 300;
    static inline const QString kFontFamily = QStringLiteral("DejaVu Sans");

    // `painter` must be active and stay active, on the same device, for as
    // long as the target draws. `scaleMode` is the unit code positions come
    // in; `dpiX` and `dpiY` are the device pixels per inch that map those
    // units (and the pixel code) onto the device; `originPixels` is where the
    // target's (0, 0) lies on the device, for a printable area that sits
    // inside a larger page. Raises Error for an inactive painter, a unit code
    // the program does not use, or a resolution or origin that is not a
    // positive (resp. finite) number.
    PainterTarget(QPainter& painter, int scaleMode, double dpiX, double dpiY,
                  QPointF originPixels = {});

    int ScaleMode() const override { return scaleMode_; }
    float ScaleX(double length, int fromUnit, int toUnit) const override;
    float ScaleY(double length, int fromUnit, int toUnit) const override;
    void Line(double x1, double y1, double x2, double y2, ColorValue colour) override;
    // Raises Error for a size that is not a positive finite number.
    void FontSize(double points) override;
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void CurrentX(double x) override { currentX_ = x; }
    void CurrentY(double y) override { currentY_ = y; }
    void Print(double number) override;
    void PrintText(const QString& text) override;

    // Raster devices (images) draw lines one device pixel wide and snap them
    // to whole pixels; every other device is treated as a vector device.
    bool isVector() const { return vector_; }
    // The pen width of lines on a vector device, in inches. Raises Error for
    // a width that is not a positive finite number.
    void setVectorPenWidth(double inches);
    double vectorPenWidth() const { return vectorPenInches_; }

    // Whether labels are smoothed into their background (the default) or
    // drawn in whole pixels of their one colour, as a bitmap with a palette
    // wants them.
    void setSmoothLabels(bool smooth);

    // The family labels are printed in; kFontFamily until changed.
    void setFontFamily(const QString& family);
    QString fontFamily() const { return font_.family(); }

    double fontSize() const { return fontSize_; }
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    double dpiX() const { return dpiX_; }
    double dpiY() const { return dpiY_; }
    QPointF origin() const { return origin_; }

    // Where a position in the current unit lies on the device, before any
    // snapping to pixels.
    QPointF toDevice(double x, double y) const;

private:
    const QFontMetricsF& metrics() const;
    // Draws `text` from the current position in black and moves past it.
    void printAtCurrent(const QString& text);
    double pixelsToUnitX(double pixels) const;
    double pixelsToUnitY(double pixels) const;
    void requireActive() const;
    // Whether device coordinates reach the device unchanged but for a shift
    // by whole pixels.
    bool untransformed() const;

    QPainter& painter_;
    int scaleMode_;
    double dpiX_;
    double dpiY_;
    QPointF origin_;
    bool vector_;
    double vectorPenInches_ = kDefaultVectorPenInches;
    double fontSize_ = kInitialFontPoints;
    double currentX_ = 0;
    double currentY_ = 0;
    QFont font_;
    // The renderer measures every label; QFontMetricsF is costly to build.
    mutable std::map<double, QFontMetricsF> metricsBySize_;
};

}  // namespace lattora
