#include "platform/output/rastertarget.h"

#include <cmath>
#include <limits>
#include <new>

#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/units.h"

namespace lattora {

namespace {

constexpr double kInchesPerMetre = 1000.0 / kMillimetresPerInch;
constexpr qint64 kBytesPerPixel = 4;  // Format_RGB32

void requireResolution(double dpi) {
    if (!isPositiveFinite(dpi)) {
        throw Error(QStringLiteral("Invalid resolution: %1 dots per inch").arg(formatNumber(dpi)));
    }
}

QImage allocate(QSize pixels, double dpi) {
    requireResolution(dpi);
    if (pixels.width() <= 0 || pixels.height() <= 0) {
        throw Error(QStringLiteral("Invalid picture size: %1 x %2 pixels")
                        .arg(pixels.width())
                        .arg(pixels.height()));
    }
    const qint64 bytes = qint64(pixels.width()) * pixels.height() * kBytesPerPixel;
    if (bytes > RasterTarget::kMaxBytes) {
        throw Error(QStringLiteral("The picture of %1 x %2 pixels is too large to draw "
                                   "(more than %3 MB); choose a lower resolution")
                        .arg(pixels.width())
                        .arg(pixels.height())
                        .arg(RasterTarget::kMaxBytes >> 20));
    }
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) {
        // As any allocation that fails: the caller knows what asked for it.
        throw std::bad_alloc();
    }
    image.setDotsPerMeterX(RasterTarget::dotsPerMetre(dpi));
    image.setDotsPerMeterY(RasterTarget::dotsPerMetre(dpi));
    image.fill(Qt::white);
    return image;
}

}  // namespace

RasterTarget::RasterTarget(QSize pixels, double dpi, int scaleMode, QPointF originPixels)
    : dpi_(dpi), image_(allocate(pixels, dpi)) {
    if (!painter_.begin(&image_)) {
        throw Error(QStringLiteral("The picture cannot be drawn on"));
    }
    target_.emplace(painter_, scaleMode, dpi, dpi, originPixels);
}

RasterTarget::~RasterTarget() {
    // The target paints through the painter: it goes first.
    target_.reset();
    if (painter_.isActive()) {
        painter_.end();
    }
}

QSize RasterTarget::pixelSizeForPage(QSizeF pageTwips, double dpi) {
    requireResolution(dpi);
    if (!isPositiveFinite(pageTwips.width()) || !isPositiveFinite(pageTwips.height())) {
        throw Error(QStringLiteral("Invalid page size: %1 x %2 twips")
                        .arg(formatNumber(pageTwips.width()), formatNumber(pageTwips.height())));
    }
    const double width = std::round(pageTwips.width() / kTwipsPerInch * dpi);
    const double height = std::round(pageTwips.height() / kTwipsPerInch * dpi);
    // Beyond int the size is far past kMaxBytes and what a bitmap file
    // holds; clamp so that it is refused as too large rather than
    // overflowing here.
    constexpr double kLargest = std::numeric_limits<int>::max();
    return {static_cast<int>(std::min(std::max(width, 1.0), kLargest)),
            static_cast<int>(std::min(std::max(height, 1.0), kLargest))};
}

int RasterTarget::dotsPerMetre(double dpi) {
    return static_cast<int>(std::lround(dpi * kInchesPerMetre));
}

std::unique_ptr<RasterTarget> RasterTarget::forPage(QSizeF pageTwips, double dpi, int scaleMode,
                                                    QPointF originTwips) {
    const QSize pixels = pixelSizeForPage(pageTwips, dpi);
    const QPointF origin(originTwips.x() / kTwipsPerInch * dpi,
                         originTwips.y() / kTwipsPerInch * dpi);
    return std::make_unique<RasterTarget>(pixels, dpi, scaleMode, origin);
}

void RasterTarget::clear() {
    // fill() on an image under an active painter is not allowed; paint it.
    painter_.save();
    painter_.resetTransform();
    painter_.setClipping(false);
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(image_.rect(), Qt::white);
    painter_.restore();
}

}  // namespace lattora
