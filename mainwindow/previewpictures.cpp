#include "mainwindow/previewpictures.h"

#include <QPainter>
#include <QPen>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "platform/output/rastertarget.h"
#include "sheet/units.h"

namespace lattora::preview {

namespace {

// Far beyond any screen, yet safely inside int and QWidget's size limit, so a
// wild outline or page cannot overflow a pixel position.
constexpr double kPixelLimit = 1 << 24;

}  // namespace

int twipsToPixels(double twips, double dpi) {
    const double pixels = std::round(twips * dpi / kTwipsPerInch);
    return static_cast<int>(std::clamp(pixels, -kPixelLimit, kPixelLimit));
}

int sideToPixels(double twips, double dpi) {
    return std::max(1, twipsToPixels(twips, dpi));
}

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::setRaster(const RasterTarget* raster, double ratio) {
    raster_ = raster;
    ratio_ = ratio;
    update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSizeF imageSize =
        raster_ != nullptr ? QSizeF(raster_->image().size()) / ratio_ : QSizeF(0, 0);
    // Rounding may leave the image a pixel short of the widget; that
    // sliver is paper too.
    // Only whole logical pixels count as covered: a device pixel the
    // image leaves half a logical pixel short must be filled too.
    const QRegion beyond = QRegion(rect()) - QRegion(0, 0, static_cast<int>(imageSize.width()),
                                                     static_cast<int>(imageSize.height()));
    for (const QRect& part : beyond) {
        painter.fillRect(part, Qt::white);
    }
    if (raster_ != nullptr) {
        // Drawn through the inverse of the ratio the image was made for,
        // it lands pixel for pixel on the device (the raster engine then
        // copies instead of scaling); on a screen of another density it
        // is scaled but keeps its size.
        painter.scale(1 / ratio_, 1 / ratio_);
        painter.drawImage(QPointF(0, 0), raster_->image());
    }
}

OutlineShape::OutlineShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void OutlineShape::setBorderStyle(Qt::PenStyle style) {
    if (style != style_) {
        style_ = style;
        update();
    }
}

void OutlineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (style_ == Qt::SolidLine) {
        // Four strips one logical pixel wide: the same weight as the
        // rest of the window on any screen density.
        const int w = width();
        const int h = height();
        painter.fillRect(QRect(0, 0, w, 1), Qt::black);
        painter.fillRect(QRect(0, h - 1, w, 1), Qt::black);
        painter.fillRect(QRect(0, 0, 1, h), Qt::black);
        painter.fillRect(QRect(w - 1, 0, 1, h), Qt::black);
        return;
    }
    if (style_ == Qt::NoPen) {
        return;
    }
    QPen pen(Qt::black, 1, style_);
    painter.setPen(pen);
    painter.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
}

void SizeHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
}

}  // namespace lattora::preview
