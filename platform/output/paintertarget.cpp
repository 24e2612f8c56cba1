#include "platform/output/paintertarget.h"

#include <QPaintEngine>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "platform/output/qtcolor.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/units.h"

namespace lattora {

namespace {

// Lines on a raster land on the nearest whole pixel, so a position that
// single precision leaves a hair below a pixel boundary does not fall one
// pixel short and a regular pitch stays regular.
QPointF snapped(QPointF point) {
    return {std::round(point.x()), std::round(point.y())};
}

}  // namespace

PainterTarget::PainterTarget(QPainter& painter, int scaleMode, double dpiX, double dpiY,
                             QPointF originPixels)
    : painter_(painter),
      scaleMode_(scaleMode),
      dpiX_(dpiX),
      dpiY_(dpiY),
      origin_(originPixels),
      vector_(false) {
    if (!painter.isActive() || painter.paintEngine() == nullptr) {
        throw Error(QStringLiteral("The drawing surface is not open for drawing"));
    }
    if (!(unitsPerInch(scaleMode, 1) > 0)) {
        throw Error(QStringLiteral("Invalid property value: scale mode %1").arg(scaleMode));
    }
    if (!isPositiveFinite(dpiX) || !isPositiveFinite(dpiY)) {
        throw Error(QStringLiteral("Invalid resolution: %1 x %2 dots per inch")
                        .arg(formatNumber(dpiX), formatNumber(dpiY)));
    }
    if (!std::isfinite(originPixels.x()) || !std::isfinite(originPixels.y())) {
        throw Error(QStringLiteral("Invalid origin of the drawing surface"));
    }
    vector_ = painter.paintEngine()->type() != QPaintEngine::Raster;

    // Grid lines stay crisp single pixels; labels may be smoothed.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    font_.setFamily(kFontFamily);
    font_.setStyleHint(QFont::SansSerif);
    font_.setPointSizeF(fontSize_);
}

float PainterTarget::ScaleX(double length, int fromUnit, int toUnit) const {
    return convertLength(length, fromUnit, toUnit, dpiX_);
}

float PainterTarget::ScaleY(double length, int fromUnit, int toUnit) const {
    return convertLength(length, fromUnit, toUnit, dpiY_);
}

QPointF PainterTarget::toDevice(double x, double y) const {
    return {origin_.x() + convertLength(x, scaleMode_, Unit::Pixel, dpiX_),
            origin_.y() + convertLength(y, scaleMode_, Unit::Pixel, dpiY_)};
}

double PainterTarget::pixelsToUnitX(double pixels) const {
    return convertLength(pixels, Unit::Pixel, scaleMode_, dpiX_);
}

double PainterTarget::pixelsToUnitY(double pixels) const {
    return convertLength(pixels, Unit::Pixel, scaleMode_, dpiY_);
}

void PainterTarget::requireActive() const {
    if (!painter_.isActive()) {
        throw Error(QStringLiteral("The drawing surface is no longer open for drawing"));
    }
}

bool PainterTarget::untransformed() const {
    // The transform the painter really applies: the world matrix only while
    // it is enabled, then the window-to-viewport mapping and the device's
    // pixel ratio. A shift by whole pixels (a band of a larger page) moves a
    // filled rectangle and a cosmetic line alike.
    const QTransform transform = painter_.deviceTransform();
    return transform.type() <= QTransform::TxTranslate &&
           transform.dx() == std::round(transform.dx()) &&
           transform.dy() == std::round(transform.dy());
}

void PainterTarget::Line(double x1, double y1, double x2, double y2, ColorValue colour) {
    requireActive();
    QPointF from = toDevice(x1, y1);
    QPointF to = toDevice(x2, y2);
    QPen pen(qColorFromValue(colour));
    pen.setStyle(Qt::SolidLine);
    if (vector_) {
        pen.setWidthF(vectorPenInches_ * dpiX_);
        pen.setCapStyle(Qt::FlatCap);
    } else {
        // One device pixel whatever the painter's transform; square caps make
        // both end points part of the line, so borders close at the corners.
        pen.setCosmetic(true);
        pen.setWidth(1);
        pen.setCapStyle(Qt::SquareCap);
        from = snapped(from);
        to = snapped(to);
        // Grid lines are axis-aligned. The raster engine draws a vertical line
        // as one span per row through its blending path, several times slower
        // than filling the same one-pixel-wide rectangle; the pixels are the same.
        // Only while nothing transforms the painter, though: a filled rectangle
        // is scaled with the painter where the cosmetic pen is not, so a scaled
        // painter would turn the one-pixel rectangle into a thick bar.
        constexpr double kFastLimit = 1 << 24;
        const bool inRange = std::max({std::fabs(from.x()), std::fabs(from.y()), std::fabs(to.x()),
                                       std::fabs(to.y())}) < kFastLimit;
        if (inRange && (from.x() == to.x() || from.y() == to.y()) && untransformed()) {
            const QPoint a = from.toPoint();
            const QPoint b = to.toPoint();
            painter_.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                    QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                              pen.color());
            return;
        }
    }
    painter_.setPen(pen);
    painter_.drawLine(from, to);
}

void PainterTarget::FontSize(double points) {
    if (!isPositiveFinite(points)) {
        throw Error(
            QStringLiteral("Invalid property value: font size %1").arg(formatNumber(points)));
    }
    fontSize_ = points;
    font_.setPointSizeF(points);
}

void PainterTarget::setFontFamily(const QString& family) {
    font_.setFamily(family);
    metricsBySize_.clear();
}

void PainterTarget::setSmoothLabels(bool smooth) {
    // The painter's text hint alone does not reach the glyphs' rendering:
    // the font itself must ask for plain pixels.
    font_.setStyleStrategy(smooth ? QFont::PreferDefault : QFont::NoAntialias);
    metricsBySize_.clear();
}

const QFontMetricsF& PainterTarget::metrics() const {
    auto found = metricsBySize_.find(fontSize_);
    if (found == metricsBySize_.end()) {
        // Measured for the device itself: its resolution sizes the font.
        found = metricsBySize_.emplace(fontSize_, QFontMetricsF(font_, painter_.device())).first;
    }
    return found->second;
}

double PainterTarget::TextWidth(const QString& text) const {
    return pixelsToUnitX(metrics().horizontalAdvance(text));
}

double PainterTarget::TextHeight(const QString&) const {
    // One line of text, the box Print fills from the top-left down.
    return pixelsToUnitY(metrics().height());
}

void PainterTarget::Print(double number) {
    printAtCurrent(printedText(number));
}

void PainterTarget::PrintText(const QString& text) {
    printAtCurrent(text);
}

void PainterTarget::printAtCurrent(const QString& text) {
    requireActive();
    const QFontMetricsF& fm = metrics();
    QPointF topLeft = toDevice(currentX_, currentY_);
    if (!vector_) {
        topLeft = snapped(topLeft);
    }
    painter_.setFont(font_);
    painter_.setPen(QPen(Qt::black));
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), text);
    currentX_ += pixelsToUnitX(fm.horizontalAdvance(text));
}

void PainterTarget::setVectorPenWidth(double inches) {
    if (!isPositiveFinite(inches)) {
        throw Error(QStringLiteral("Invalid pen width: %1 inch").arg(formatNumber(inches)));
    }
    vectorPenInches_ = inches;
}

}  // namespace lattora
