// The outline's geometry, one table per rule. Every expected value is worked
// out from the rule by hand; the single-precision rows pick numbers near 2^24,
// where a single holds only even whole numbers, so that a sum evaluated in
// double precision or in another order lands on a different value.
#include "mainwindow/outlinegeometry.h"

#include <gtest/gtest.h>

#include <QString>
#include <limits>

#include "sheet/error.h"

namespace lattora {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
using R = QRectF;
using S = QSizeF;

// Numbers as text with every digit ("nan" equal to "nan").
const auto str = [](auto... v) {
    return ((QString::number(double(v), 'g', 17) + u' ') + ...).toStdString();
};
const auto strR = [](const R& r) { return str(r.x(), r.y(), r.width(), r.height()); };
// The rectangle `f` gives, or the description of the Error it raises.
template <class F>
std::string outcome(F f) {
    try {
        return strR(f());
    } catch (const Error& e) {
        return e.description().toStdString();
    }
}

// Only the outline's size matters; grabbed at (100, 100) on a page 6000 high.
// Flush with the far edge comes first, then the near edge; left and top are
// not mirrors (a NaN corner stays on the left and becomes 0 on top); 16777216
// + 1 is not past the edge in single precision. Rows: width, height, page
// width, pointer x, y; expected left, top.
TEST(OutlineGeometry, TheOutlineAndItsHandles) {
    const float rows[][7] = {{1200, 1500, 5000, 3901, 4601, 3800, 4500},
                             {6000, 1500, 5000, 600, 100, -1000, 0},
                             {1200, 7000, 5000, 50, 50, 0, -1000},
                             {1200, 1500, 5000, kNaN, kNaN, kNaN, 0},
                             {1, 10, 16777216, 16777316, 100, 16777216, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(strR(draggedOutline({0, 0, r[0], r[1]}, S(r[2], 6000), r[3], r[4], 100, 100)),
                  str(r[5], r[6], r[0], r[1]));

    // The borders count as inside; the far edges are summed in single precision.
    const R o(1000, 800, 2000, 3000);
    const float points[][3] = {{1000, 800, 1},      {3000, 3800, 1},    {999.75f, 2000, 0},
                               {3000.25f, 2000, 0}, {2000, 799.75f, 0}, {2000, 3800.25f, 0}};
    for (const auto& r : points)
        EXPECT_EQ(outlineContains(o, r[0], r[1]), r[2] != 0) << r[0] << ", " << r[1];
    EXPECT_TRUE(outlineContains({16777216, 0, 3, 10}, 16777220, 5));  // 16777216 + 3 is 16777220

    // The right handle moves across, the bottom one down, the corner both. They
    // sit inside the outline, flush with its right or bottom edge; an edge handle
    // one corner handle's length before its edge's middle. Each handle its own
    // size (100 x 120, 150 x 160, 90 x 70), so that one taken for another shows.
    // Rows: the outline; x, y of the right, corner and bottom handles; 16777216 +
    // 3 is 16777220 and 16777216 + 1.5 is 16777218 in singles.
    const HandleAxes right = handleAxes(kRightHandle), corner = handleAxes(kCornerHandle);
    EXPECT_TRUE(right.horizontal && !right.vertical && corner.horizontal && corner.vertical &&
                !handleAxes(kBottomHandle).horizontal && handleAxes(kBottomHandle).vertical);
    const double handleRows[][10] = {
        {1000, 800, 2000, 3000, 2900, 2080, 2850, 3640, 1805, 3730},
        {16777216, 0, 3, 10, 16777120, -215, 16777070, -150, 16777023, -60}};
    for (const auto& r : handleRows) {
        const auto at =
            handlePositions({r[0], r[1], r[2], r[3]}, {S(100, 120), S(150, 160), S(90, 70)});
        EXPECT_EQ(str(at[0].x(), at[0].y(), at[1].x(), at[1].y(), at[2].x(), at[2].y()),
                  str(r[4], r[5], r[6], r[7], r[8], r[9]));
    }

    // A 150-twip handle grabbed at 75 follows the pointer, stops at the far side
    // (tested first), and stays put (nothing: NaN here) once it would reach the
    // near side. The outline then reaches the handle's far edge, never less than
    // 0; its start is taken off before the handle's extent is added. Rows: edge,
    // page extent, pointer; expected; (16777216 + 77) - 75: the sum rounds first.
    const float edges[][4] = {
        {2850, 5000, 175, 2950},  {2850, 5000, 50, 2825},       {2850, 5000, 2075, 4850},
        {2850, 5000, 2076, 4850}, {2850, 5000, -2774.5f, 0.5f}, {2850, 5000, -2775, kNaN},
        {10, 100, 75, -50},       {2850, 5000, kNaN, kNaN},     {16777216, 1e8, 77, 16777216}};
    for (const auto& r : edges)
        EXPECT_EQ(str(draggedHandleEdge(r[0], 150, r[1], r[2], 75).value_or(kNaN)), str(r[3]))
            << r[2];
    const float extents[][4] = {{1000, 2850, 150, 2000}, {1000, 851, 150, 1},
                                {1000, 850, 150, 0},     {1000, 350, 150, 0},
                                {1000, kNaN, 150, 0},    {1, 16777216, 1, 16777216}};
    for (const auto& r : extents)
        EXPECT_EQ(extentReachingHandle(r[0], r[1], r[2]), r[3]) << r[1];
}

// A larger page stays over the whole container; a smaller one goes to the
// container's left/top for any pull right/down and to its right/bottom
// otherwise (the test against 0 comes first). The room is single precision.
// Rows: from x, y; travel x, y; container; page; expected x, y.
TEST(OutlineGeometry, PanningCentringAndMappings) {
    const double rows[][10] = {{-1000, -2000, -500, 300, 5000, 4000, 8000, 10000, -1500, -1700},
                               {-1000, -2000, 1001, 2500, 5000, 4000, 8000, 10000, 0, 0},
                               {0, 0, 0, 0, 5000, 4000, 1000, 700, 4000, 3300},
                               {0, 0, -10, 0, 5000.3, 4000, 1000, 700, 4000.2998046875, 3300}};
    for (const auto& r : rows) {
        const QPointF at =
            pannedPrintPosition({r[0], r[1]}, float(r[2]), float(r[3]), {r[4], r[5]}, {r[6], r[7]});
        EXPECT_EQ(str(at.x(), at.y()), str(r[8], r[9])) << r[2] << ", " << r[3];
    }

    // The same space on both sides (a larger outline goes beyond by half the
    // difference), rounded to a single (0.5 - 0.1f is just under 0.4 in doubles);
    // Full Paper covers the picture. Rows: outline, picture; expected top (top to
    // bottom), left (side to side).
    const double centring[][8] = {{100, 200, 1000, 3000, 4000, 5000, 1000, 1500},
                                  {100, 200, 6000, 7000, 4000, 5000, -1000, -1000},
                                  {0, 0, 0.2f, 0.2f, 1, 1, 0.4f, 0.4f}};
    for (const auto& r : centring) {
        const R o(r[0], r[1], r[2], r[3]);
        EXPECT_EQ(strR(centredTopToBottom(o, {r[4], r[5]})), str(r[0], r[6], r[2], r[3]));
        EXPECT_EQ(strR(centredSideToSide(o, {r[4], r[5]})), str(r[7], r[1], r[2], r[3]));
    }
    EXPECT_EQ(strR(fullPaperOutline(S(4000.5, 5000))), str(0, 0, 4000.5, 5000));
    // Sheet lengths to the outline: each axis its own scale (200 twips a unit
    // across, 100 down), each side a single; a printable side of 0 or not finite
    // is refused before a side beyond a single. And back, in full double
    // precision so that the fields show every digit.
    const auto toOutline = [&](R area, S extent = S(20, 50), S picture = S(4000, 5000)) {
        return outcome([&] { return outlineFromSheet(area, extent, picture); });
    };
    EXPECT_EQ(toOutline({2, 5, 10, 12.5}), str(400, 500, 2000, 1250));
    EXPECT_EQ(toOutline({0.1, 0.1, 0.1, 0.1}, {1, 1}, {3, 3}), str(0.3f, 0.3f, 0.3f, 0.3f));
    for (const S bad : {S(0, 50), S(20, 0), S(kInf, 50), S(20, kNaN)})
        EXPECT_EQ(toOutline({2, 5, 1e300, 12.5}, bad), "Division by zero");
    for (const R wild : {R(2, 5, 1e300, 12.5), R(2, 1e300, 10, 12.5), R(1e308, 5, 10, 12.5)})
        EXPECT_EQ(toOutline(wild), "Overflow");
    const auto toSheet = [&](R outline, S picture) {
        return outcome([&] { return sheetFromOutline(outline, picture, S(20, 50)); });
    };
    EXPECT_EQ(toSheet({400, 500, 2000, 1250}, {4000, 5000}), str(2, 5, 10, 12.5));
    EXPECT_EQ(toSheet({1, 1, 1, 1}, {3, 3}), str(20 / 3.0, 50 / 3.0, 20 / 3.0, 50 / 3.0));
    for (const S bad : {S(0, 5000), S(4000, 0), S(4000, kInf), S(kNaN, 5000)})
        EXPECT_EQ(toSheet({0, 0, 0, 0}, bad), "Division by zero");
    // Standard Margins: the unit system's margin all round (the metric one is
    // pinned by the window's Apply rows).
    EXPECT_EQ(strR(standardMarginArea(S(8, 10.5), UnitSystem::Imperial)), str(.5, .5, 7, 9.5));
}

}  // namespace
}  // namespace lattora
