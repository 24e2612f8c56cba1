// The geometry of the graph-area outline on the page picture, of its sizing
// handles and of the full-size page in its container, and the two mappings
// between the outline (twips on the picture) and the sheet's lengths (sheet
// unit on the printable area).
//
// The page picture keeps its lengths in single precision, and every rule here
// computes in the precision and order the window always has: a length the
// user sees in a field must not move by one unit in the last place because
// the same rule was evaluated differently.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <array>
#include <optional>

#include "sheet/units.h"

namespace lattora {

// A length as the page picture holds it: single precision, unchecked.
inline float single(double value) {
    return static_cast<float>(value);
}

// The outline after a drag on the page: its corner goes to the pointer (x, y)
// less where it was grabbed (grabX, grabY), keeping its size. Flush with the
// page's right or bottom edge comes first, so an outline larger than the page
// starts left of or above it. Only then is the corner kept off the left or
// top edge; a corner that is not a number stays so on the left and becomes 0
// on top.
QRectF draggedOutline(const QRectF& outline, const QSizeF& page, float x, float y, float grabX,
                      float grabY);

// Whether the pointer is over the outline; its four borders count as inside,
// so the handles show as soon as the pointer reaches the dotted line.
bool outlineContains(const QRectF& outline, float x, float y);

// The sizing handles: 0 on the right edge, 1 at the bottom-right corner, 2 on
// the bottom edge.
inline constexpr int kRightHandle = 0;
inline constexpr int kCornerHandle = 1;
inline constexpr int kBottomHandle = 2;
inline constexpr int kOutlineHandleCount = 3;

// Which of the outline's sizes a handle changes: the left and top edges never
// move under a handle.
struct HandleAxes {
    bool horizontal;
    bool vertical;
};
HandleAxes handleAxes(int index);

// Where the three handles sit for an outline, given their sizes: inside the
// outline, flush with its right or bottom edge, where the pointer already is
// when it comes from inside; an edge handle sits one corner handle's length
// before its edge's middle.
std::array<QPointF, kOutlineHandleCount> handlePositions(
    const QRectF& outline, const std::array<QSizeF, kOutlineHandleCount>& handleSizes);

// A handle's left (or top) edge once the pointer went from `grab` to
// `pointer`, along one axis of a page `pageExtent` long: it follows the
// pointer's travel but never leaves the page's far side, and once it would
// reach the near side it stays where it was (nothing), rather than stick to
// that side, until the pointer comes back.
std::optional<float> draggedHandleEdge(float edge, float extent, float pageExtent, float pointer,
                                       float grab);

// The outline's width (or height) once its far edge is the handle's far edge:
// 0 rather than negative when the handle went past the outline's start.
float extentReachingHandle(float outlineStart, float handleStart, float handleExtent);

// The full-size page's position in its container after the pointer travelled
// (travelX, travelY) from where it was grabbed. A larger page stays over the
// whole container; the test against 0 comes first, so a page smaller than its
// container goes to the container's left or top for any pull right or down
// and to its right or bottom otherwise.
QPointF pannedPrintPosition(const QPointF& position, float travelX, float travelY,
                            const QSizeF& container, const QSizeF& page);

// The outline moved to the middle of the picture between its top and bottom
// (or left and right) edges; an outline larger than the picture goes above
// (or left of) it by half the difference.
QRectF centredTopToBottom(const QRectF& outline, const QSizeF& picture);
QRectF centredSideToSide(const QRectF& outline, const QSizeF& picture);

// Full Paper: the outline covers the whole picture.
QRectF fullPaperOutline(const QSizeF& picture);

// The outline for the sheet's area (`area`: left and top margins, width and
// height in the sheet unit) on a printable extent `printable` (sheet unit)
// shown as `picture` (twips). Each side is a single. A printable extent that
// is 0 or not finite raises "Division by zero"; a side beyond single
// precision raises "Overflow".
QRectF outlineFromSheet(const QRectF& area, const QSizeF& printable, const QSizeF& picture);

// The sheet's area back from the outline, in full double precision so that
// the fields show exactly what the sheet holds. A picture side that is 0 or
// not finite raises "Division by zero".
QRectF sheetFromOutline(const QRectF& outline, const QSizeF& picture, const QSizeF& printable);

// Standard Margins: the area that leaves the unit system's standard margin on
// every side of the printable extent; on a printable extent narrower than two
// margins its size is negative.
QRectF standardMarginArea(const QSizeF& printable, UnitSystem system);

}  // namespace lattora
