// The outline's geometry, one table per rule. Every expected value is worked
// out from the rule by hand; the single-precision rows pick numbers near 2^24,
// where a single holds only even whole numbers, so that a sum evaluated in
// double precision or in another order lands on a different value.
#include "mainwindow/outlinegeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "sheet/error.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace lattora {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Equal, with a NaN equal to a NaN.
bool same(double actual, double expected) {
    return actual == expected || (std::isnan(actual) && std::isnan(expected));
}

std::string text(const QRectF& r) {
    std::ostringstream os;
    os << '(' << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ')';
    return os.str();
}

::testing::AssertionResult samePoint(const QPointF& actual, const QPointF& expected) {
    if (same(actual.x(), expected.x()) && same(actual.y(), expected.y())) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << '(' << actual.x() << ", " << actual.y() << ") is not ("
                                         << expected.x() << ", " << expected.y() << ')';
}

::testing::AssertionResult sameRect(const QRectF& actual, const QRectF& expected) {
    if (same(actual.x(), expected.x()) && same(actual.y(), expected.y()) &&
        same(actual.width(), expected.width()) && same(actual.height(), expected.height())) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << text(actual) << " is not " << text(expected);
}

// The description of the Error `f` raises, or nothing when it raises none.
template <class F>
std::optional<QString> errorOf(F f) {
    try {
        f();
    } catch (const Error& e) {
        return e.description();
    }
    return std::nullopt;
}

TEST(OutlineGeometry, DraggedOutlineFollowsThePointerAndStopsAtThePagesEdges) {
    // On the usual 5000 x 6000 page a 1200 x 1500 outline goes at most to
    // (3800, 4500).
    const QRectF outline(1000, 800, 1200, 1500);
    const struct {
        const char* what;
        QRectF outline;
        float x, y, grabX, grabY;
        float left, top;
        QSizeF page = QSizeF(5000, 6000);
    } rows[] = {
        {"inside the page", outline, 1350.5f, 779.75f, 100, 100, 1250.5f, 679.75f},
        {"flush with the right edge", outline, 3900, 900, 100, 100, 3800, 800},
        {"past the right edge", outline, 3901, 900, 100, 100, 3800, 800},
        {"flush with the bottom edge", outline, 1100, 4600, 100, 100, 1000, 4500},
        {"past the bottom edge", outline, 1100, 4601, 100, 100, 1000, 4500},
        {"on the left edge", outline, 100, 900, 100, 100, 0, 800},
        {"past the left edge", outline, 99, 900, 100, 100, 0, 800},
        {"on the top edge", outline, 1100, 100, 100, 100, 1000, 0},
        {"past the top edge", outline, 1100, 99, 100, 100, 1000, 0},
        {"past the corner", outline, -4000, -5000, 100, 100, 0, 0},
        {"past the far corner", outline, 9000, 9000, 100, 100, 3800, 4500},
        // Flush with the far edge wins over the near one: the outline starts
        // off the page rather than hang over its far edge.
        {"wider than the page, pulled left", {0, 0, 6000, 1500}, 50, 100, 100, 100, -1000, 0},
        {"wider than the page, inside", {0, 0, 6000, 1500}, 600, 100, 100, 100, -1000, 0},
        {"taller than the page, pulled up", {0, 0, 1200, 7000}, 100, 50, 100, 100, 0, -1000},
        {"no size, on the far corner", {0, 0, 0, 0}, 5100, 6100, 100, 100, 5000, 6000},
        {"no size, past the far corner", {0, 0, 0, 0}, 5100.5f, 6100.5f, 100, 100, 5000, 6000},
        // A negative size puts the far edge before the corner: only that edge
        // is kept on the page.
        {"negative size, corner off the page",
         {0, 0, -100, -100},
         5150,
         6050,
         100,
         100,
         5050,
         5950},
        // Left and top are not mirrors of each other: a corner that is no
        // number stays so on the left but becomes 0 on top.
        {"pointer not a number", outline, kNaN, kNaN, 100, 100, kNaN, 0},
        // 16777216 + 1 is 16777216 again in single precision: not past the
        // right edge.
        {"edge summed in single precision",
         {0, 0, 1, 10},
         16777216,
         0,
         0,
         0,
         16777216,
         0,
         QSizeF(16777216, 6000)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const QRectF expected(r.left, r.top, r.outline.width(), r.outline.height());
        EXPECT_TRUE(
            sameRect(draggedOutline(r.outline, r.page, r.x, r.y, r.grabX, r.grabY), expected));
    }
}

TEST(OutlineGeometry, OutlineContainsItsBorders) {
    const QRectF outline(1000, 800, 2000, 3000);
    const struct {
        const char* what;
        QRectF outline;
        float x, y;
        bool inside;
    } rows[] = {
        {"top-left corner", outline, 1000, 800, true},
        {"bottom-right corner", outline, 3000, 3800, true},
        {"bottom-left corner", outline, 1000, 3800, true},
        {"top-right corner", outline, 3000, 800, true},
        {"middle", outline, 2000, 2000, true},
        {"left of it", outline, 999.75f, 2000, false},
        {"right of it", outline, 3000.25f, 2000, false},
        {"above it", outline, 2000, 799.75f, false},
        {"below it", outline, 2000, 3800.25f, false},
        {"no size, on its corner", {1000, 800, 0, 0}, 1000, 800, true},
        {"no size, beside its corner", {1000, 800, 0, 0}, 1000.5f, 800, false},
        {"negative width, on its left edge", {1000, 800, -10, 3000}, 1000, 900, false},
        {"negative width, on its right edge", {1000, 800, -10, 3000}, 990, 900, false},
        // 16777216 + 3 is 16777220 in single precision.
        {"right edge summed in single precision", {16777216, 0, 3, 10}, 16777220, 5, true},
        {"not a number", outline, kNaN, 2000, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(outlineContains(r.outline, r.x, r.y), r.inside);
    }
}

TEST(OutlineGeometry, HandleAxesLeaveTheLeftAndTopEdges) {
    const struct {
        int index;
        bool horizontal, vertical;
    } rows[] = {
        {kRightHandle, true, false}, {kCornerHandle, true, true}, {kBottomHandle, false, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        const HandleAxes axes = handleAxes(r.index);
        EXPECT_EQ(axes.horizontal, r.horizontal);
        EXPECT_EQ(axes.vertical, r.vertical);
    }
}

TEST(OutlineGeometry, HandlesSitInsideTheRightAndBottomEdges) {
    using Sizes = std::array<QSizeF, kOutlineHandleCount>;
    using Positions = std::array<QPointF, kOutlineHandleCount>;
    const Sizes square{QSizeF(150, 150), QSizeF(150, 150), QSizeF(150, 150)};
    const struct {
        const char* what;
        QRectF outline;
        Sizes sizes;
        Positions expected;
    } rows[] = {
        // Each handle its own size, so that one taken for another shows.
        {"handles of three sizes",
         {1000, 800, 2000, 3000},
         {QSizeF(100, 120), QSizeF(150, 160), QSizeF(90, 70)},
         {QPointF(3000 - 100, 800 + 1500 - 60 - 160), QPointF(3000 - 150, 3800 - 160),
          QPointF(1000 + 1000 - 45 - 150, 3800 - 70)}},
        {"an outline of no size",
         {500, 400, 0, 0},
         square,
         {QPointF(350, 400 - 75 - 150), QPointF(350, 250), QPointF(500 - 75 - 150, 250)}},
        {"halves of odd sizes",
         {0, 0, 3, 5},
         {QSizeF(1, 1), QSizeF(1, 1), QSizeF(1, 1)},
         {QPointF(2, 2.5 - 0.5 - 1), QPointF(2, 4), QPointF(1.5 - 0.5 - 1, 4)}},
        // 16777216 + 3 is 16777220 and 16777216 + 1.5 is 16777218 in single
        // precision.
        {"sums in single precision",
         {16777216, 0, 3, 10},
         square,
         {QPointF(16777070, 5 - 75 - 150), QPointF(16777070, -140),
          QPointF(16777218 - 75 - 150, -140)}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const Positions at = handlePositions(r.outline, r.sizes);
        for (std::size_t i = 0; i < at.size(); ++i) {
            EXPECT_TRUE(samePoint(at[i], r.expected[i])) << "handle " << i;
        }
    }
}

TEST(OutlineGeometry, DraggedHandleStopsAtTheFarSideAndStaysAtTheNearSide) {
    // A 150-twip handle on a 5000-twip page goes at most to 4850.
    const struct {
        const char* what;
        float edge, extent, pageExtent, pointer, grab;
        std::optional<float> expected;
    } rows[] = {
        {"follows the pointer", 2850, 150, 5000, 175, 75, 2950},
        {"back by the pointer's travel", 2850, 150, 5000, 50, 75, 2825},
        {"flush with the far side", 2850, 150, 5000, 2075, 75, 4850},
        {"past the far side", 2850, 150, 5000, 2076, 75, 4850},
        {"far past the far side", 2850, 150, 5000, 100000, 75, 4850},
        {"just inside the near side", 2850, 150, 5000, -2774.5f, 75, 0.5f},
        {"on the near side", 2850, 150, 5000, -2775, 75, std::nullopt},
        {"past the near side", 2850, 150, 5000, -5000, 75, std::nullopt},
        // The far side comes first, even when it lies before the near one.
        {"page shorter than the handle", 10, 150, 100, 75, 75, -50},
        // (16777216 + 1) - 1 in single precision: the sum rounds first.
        {"pointer added before the grab is taken off", 16777216, 150, 100000000, 1, 1, 16777215},
        {"pointer not a number", 2850, 150, 5000, kNaN, 75, std::nullopt},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(draggedHandleEdge(r.edge, r.extent, r.pageExtent, r.pointer, r.grab), r.expected);
    }
}

TEST(OutlineGeometry, ExtentReachingHandleIsNeverNegative) {
    const struct {
        const char* what;
        float outlineStart, handleStart, handleExtent;
        float expected;
    } rows[] = {
        {"handle inside the page", 1000, 2850, 150, 2000},
        {"handle one twip past the start", 1000, 851, 150, 1},
        {"handle ending on the start", 1000, 850, 150, 0},
        {"handle before the start", 1000, 350, 150, 0},
        // (16777216 - 1) + 1: the handle's start less the outline's first.
        {"start taken off before the handle's extent is added", 1, 16777216, 1, 16777216},
        {"handle not a number", 1000, kNaN, 150, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(extentReachingHandle(r.outlineStart, r.handleStart, r.handleExtent), r.expected);
    }
}

TEST(OutlineGeometry, PannedPageCoversItsContainerOrSitsOnOneSide) {
    // 8000 x 10000 in 5000 x 4000: from (0, 0) to (-3000, -6000).
    const QSizeF container(5000, 4000);
    const QSizeF large(8000, 10000);
    // 1000 x 700 in the same container: the room is (4000, 3300).
    const QSizeF small(1000, 700);
    const struct {
        const char* what;
        QPointF position;
        float travelX, travelY;
        QSizeF container, page;
        QPointF expected;
    } rows[] = {
        {"within the room", {-1000, -2000}, -500, 300, container, large, {-1500, -1700}},
        {"back to the start", {-1000, -2000}, 1000, 2000, container, large, {0, 0}},
        {"past the start", {-1000, -2000}, 1001, 2500, container, large, {0, 0}},
        {"to the far end", {-1000, -2000}, -2000, -4000, container, large, {-3000, -6000}},
        {"past the far end", {-1000, -2000}, -2001, -9000, container, large, {-3000, -6000}},
        // The test against 0 first: a smaller page goes to the container's
        // left and top when pulled right or down ...
        {"smaller page pulled right and down", {0, 0}, 10, 20, container, small, {0, 0}},
        // ... and to its right and bottom otherwise, even when not moved.
        {"smaller page pulled left and up", {0, 0}, -10, -20, container, small, {4000, 3300}},
        {"smaller page not moved", {0, 0}, 0, 0, container, small, {4000, 3300}},
        {"page as large as the container", {0, 0}, -5, 5, container, container, {0, 0}},
        // The container's width is a single before the page's is taken off.
        {"room in single precision",
         {0, 0},
         -10,
         0,
         {5000.3, 4000},
         small,
         {4000.2998046875, 3300}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_TRUE(
            samePoint(pannedPrintPosition(r.position, r.travelX, r.travelY, r.container, r.page),
                      r.expected));
    }
}

TEST(OutlineGeometry, CentringEvensTheSpaceOnBothSides) {
    const QSizeF picture(4000, 5000);
    const struct {
        const char* what;
        QRectF outline;
        QSizeF picture;
        double top;   // centred between top and bottom
        double left;  // centred between left and right
    } rows[] = {
        {"smaller than the picture", {100, 200, 1000, 3000}, picture, 1000, 1500},
        {"as large as the picture", {0, 0, 4000, 5000}, picture, 0, 0},
        {"larger than the picture", {100, 200, 6000, 7000}, picture, -1000, -1000},
        {"no size", {100, 200, 0, 0}, picture, 2500, 2000},
        {"negative size", {100, 200, -100, -200}, picture, 2600, 2050},
        {"halves of odd sizes", {0, 0, 3, 2}, {4, 5}, 1.5, 0.5},
        // 0.5 - 0.2f / 2 is just under 0.4, and 0.4f in single precision.
        {"rounded to a single", {0, 0, 0.2f, 0.2f}, {1, 1}, 0.4f, 0.4f},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const QRectF& o = r.outline;
        EXPECT_TRUE(sameRect(centredTopToBottom(o, r.picture),
                             QRectF(o.left(), r.top, o.width(), o.height())));
        EXPECT_TRUE(sameRect(centredSideToSide(o, r.picture),
                             QRectF(r.left, o.top(), o.width(), o.height())));
    }
}

TEST(OutlineGeometry, FullPaperCoversThePicture) {
    for (const QSizeF picture : {QSizeF(4000.5, 5000), QSizeF(0, 0)}) {
        SCOPED_TRACE(picture.width());
        EXPECT_TRUE(
            sameRect(fullPaperOutline(picture), QRectF(0, 0, picture.width(), picture.height())));
    }
}

TEST(OutlineGeometry, OutlineFromSheetScalesEachAxisOrRefuses) {
    const QSizeF picture(4000, 5000);
    // 200 twips a unit across, 100 down.
    const QSizeF printable(20, 50);
    const struct {
        const char* what;
        QRectF area;
        QSizeF printable, picture;
        QRectF expected;
        const char* error = nullptr;
    } rows[] = {
        {"each axis its own scale", {2, 5, 10, 12.5}, printable, picture, {400, 500, 2000, 1250}},
        {"negative margins", {-1, -2.5, 0, 0}, printable, picture, {-200, -250, 0, 0}},
        {"negative size", {0, 0, -3, -4}, printable, picture, {0, 0, -600, -400}},
        // 3 x 0.1 is just over 0.3 in double precision, and 0.3f in single.
        {"rounded to singles", {0.1, 0.1, 0.1, 0.1}, {1, 1}, {3, 3}, {0.3f, 0.3f, 0.3f, 0.3f}},
        {"no printable width", {2, 5, 10, 12.5}, {0, 50}, picture, {}, "Division by zero"},
        {"no printable height", {2, 5, 10, 12.5}, {20, 0}, picture, {}, "Division by zero"},
        {"infinite printable width",
         {2, 5, 10, 12.5},
         {kInfinity, 50},
         picture,
         {},
         "Division by zero"},
        {"printable height not a number",
         {2, 5, 10, 12.5},
         {20, kNaN},
         picture,
         {},
         "Division by zero"},
        {"width beyond a single", {2, 5, 1e300, 12.5}, printable, picture, {}, "Overflow"},
        {"top beyond a single", {2, 1e300, 10, 12.5}, printable, picture, {}, "Overflow"},
        {"left beyond a double", {1e308, 5, 10, 12.5}, printable, picture, {}, "Overflow"},
        {"no width and a length beyond a single",
         {2, 5, 1e300, 12.5},
         {0, 50},
         picture,
         {},
         "Division by zero"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        QRectF outline;
        const std::optional<QString> error =
            errorOf([&] { outline = outlineFromSheet(r.area, r.printable, r.picture); });
        if (r.error != nullptr) {
            EXPECT_EQ(error, QString::fromLatin1(r.error));
        } else {
            EXPECT_EQ(error, std::nullopt);
            EXPECT_TRUE(sameRect(outline, r.expected));
        }
    }
}

TEST(OutlineGeometry, SheetFromOutlineScalesEachAxisInDoublePrecisionOrRefuses) {
    const QSizeF picture(4000, 5000);
    const QSizeF printable(20, 50);
    const struct {
        const char* what;
        QRectF outline;
        QSizeF picture, printable;
        QRectF expected;
        const char* error = nullptr;
    } rows[] = {
        {"each axis its own scale", {400, 500, 2000, 1250}, picture, printable, {2, 5, 10, 12.5}},
        {"negative and zero lengths", {-200, 0, 0, -100}, picture, printable, {-1, 0, 0, -1}},
        // A third is not rounded to a single: the fields show every digit.
        {"thirds", {1, 1, 1, 1}, {3, 3}, {1, 1}, {1.0 / 3, 1.0 / 3, 1.0 / 3, 1.0 / 3}},
        {"no picture width", {0, 0, 0, 0}, {0, 5000}, printable, {}, "Division by zero"},
        {"no picture height", {400, 500, 2000, 1250}, {4000, 0}, printable, {}, "Division by zero"},
        {"infinite picture height",
         {400, 500, 2000, 1250},
         {4000, kInfinity},
         printable,
         {},
         "Division by zero"},
        {"picture width not a number",
         {400, 500, 2000, 1250},
         {kNaN, 5000},
         printable,
         {},
         "Division by zero"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        QRectF area;
        const std::optional<QString> error =
            errorOf([&] { area = sheetFromOutline(r.outline, r.picture, r.printable); });
        if (r.error != nullptr) {
            EXPECT_EQ(error, QString::fromLatin1(r.error));
        } else {
            EXPECT_EQ(error, std::nullopt);
            EXPECT_TRUE(sameRect(area, r.expected));
        }
    }
}

TEST(OutlineGeometry, StandardMarginAreaLeavesTheMarginAllRound) {
    const struct {
        const char* what;
        QSizeF printable;
        UnitSystem system;
        QRectF expected;
    } rows[] = {
        {"a centimetre", {20, 28.5}, UnitSystem::Metric, {1, 1, 18, 26.5}},
        {"half an inch", {8, 10.5}, UnitSystem::Imperial, {0.5, 0.5, 7, 9.5}},
        {"narrower than two margins", {1.5, 0}, UnitSystem::Metric, {1, 1, -0.5, -2}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_TRUE(sameRect(standardMarginArea(r.printable, r.system), r.expected));
    }
}

}  // namespace
}  // namespace lattora
