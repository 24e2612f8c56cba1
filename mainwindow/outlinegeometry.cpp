#include "mainwindow/outlinegeometry.h"

#include <cmath>

#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/sheetsettings.h"

namespace lattora {

namespace {

double divisor(double value) {
    if (value == 0 || !std::isfinite(value)) {
        throw Error(QStringLiteral("Division by zero"));
    }
    return value;
}

// One axis of the pan; `room` is the container's extent less the page's,
// negative while the page is the larger.
float pan(float from, float travel, float room) {
    const float to = from + travel;
    if (to > 0) {
        return 0.0f;
    }
    if (to < room) {
        return room;
    }
    return to;
}

}  // namespace

QRectF draggedOutline(const QRectF& outline, const QSizeF& page, float x, float y, float grabX,
                      float grabY) {
    const float width = single(outline.width());
    const float height = single(outline.height());
    const float pageWidth = single(page.width());
    const float pageHeight = single(page.height());
    const float l = x - grabX;
    float left = l;
    if (l + width > pageWidth) {
        left = pageWidth - width;
    } else if (l < 0) {
        left = 0;
    }
    // Not the mirror of the left: whatever fails both tests, a NaN included,
    // ends at 0.
    const float t = y - grabY;
    float top = 0;
    if (t + height > pageHeight) {
        top = pageHeight - height;
    } else if (t >= 0) {
        top = t;
    }
    return {left, top, width, height};
}

bool outlineContains(const QRectF& outline, float x, float y) {
    const float left = single(outline.left());
    const float top = single(outline.top());
    const float width = single(outline.width());
    const float height = single(outline.height());
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

HandleAxes handleAxes(int index) {
    return {index == kRightHandle || index == kCornerHandle,
            index == kCornerHandle || index == kBottomHandle};
}

std::array<QPointF, kOutlineHandleCount> handlePositions(
    const QRectF& outline, const std::array<QSizeF, kOutlineHandleCount>& handleSizes) {
    const float left = single(outline.left());
    const float top = single(outline.top());
    const float width = single(outline.width());
    const float height = single(outline.height());
    const QSizeF& h0 = handleSizes[kRightHandle];
    const QSizeF& h1 = handleSizes[kCornerHandle];
    const QSizeF& h2 = handleSizes[kBottomHandle];
    const float x0 = left + width - single(h0.width());
    const float y0 = top + height / 2 - single(h0.height()) / 2 - single(h1.height());
    const float x1 = left + width - single(h1.width());
    const float y1 = top + height - single(h1.height());
    const float x2 = left + width / 2 - single(h2.width()) / 2 - single(h1.width());
    const float y2 = top + height - single(h2.height());
    return {QPointF(x0, y0), QPointF(x1, y1), QPointF(x2, y2)};
}

std::optional<float> draggedHandleEdge(float edge, float extent, float pageExtent, float pointer,
                                       float grab) {
    const float moved = edge + pointer - grab;
    if (moved > pageExtent - extent) {
        return pageExtent - extent;
    }
    if (moved > 0) {
        return moved;
    }
    return std::nullopt;
}

float extentReachingHandle(float outlineStart, float handleStart, float handleExtent) {
    const float extent = handleStart - outlineStart + handleExtent;
    return extent > 0 ? extent : 0;
}

QPointF pannedPrintPosition(const QPointF& position, float travelX, float travelY,
                            const QSizeF& container, const QSizeF& page) {
    const float left =
        pan(single(position.x()), travelX, single(container.width()) - single(page.width()));
    const float top =
        pan(single(position.y()), travelY, single(container.height()) - single(page.height()));
    return {left, top};
}

QRectF centredTopToBottom(const QRectF& outline, const QSizeF& picture) {
    QRectF centred = outline;
    centred.moveTop(single(picture.height() / 2 - outline.height() / 2));
    return centred;
}

QRectF centredSideToSide(const QRectF& outline, const QSizeF& picture) {
    QRectF centred = outline;
    centred.moveLeft(single(picture.width() / 2 - outline.width() / 2));
    return centred;
}

QRectF fullPaperOutline(const QSizeF& picture) {
    return {QPointF(0, 0), picture};
}

QRectF outlineFromSheet(const QRectF& area, const QSizeF& printable, const QSizeF& picture) {
    const double extentWidth = divisor(printable.width());
    const double extentHeight = divisor(printable.height());
    const float left = toSingle(picture.width() * area.left() / extentWidth);
    const float top = toSingle(picture.height() * area.top() / extentHeight);
    const float width = toSingle(picture.width() * area.width() / extentWidth);
    const float height = toSingle(picture.height() * area.height() / extentHeight);
    return {left, top, width, height};
}

QRectF sheetFromOutline(const QRectF& outline, const QSizeF& picture, const QSizeF& printable) {
    const double pictureWidth = divisor(picture.width());
    const double pictureHeight = divisor(picture.height());
    return {printable.width() * outline.left() / pictureWidth,
            printable.height() * outline.top() / pictureHeight,
            printable.width() * outline.width() / pictureWidth,
            printable.height() * outline.height() / pictureHeight};
}

QRectF standardMarginArea(const QSizeF& printable, UnitSystem system) {
    const double margin = standardMargin(system);
    return {margin, margin, printable.width() - 2 * margin, printable.height() - 2 * margin};
}

}  // namespace lattora
