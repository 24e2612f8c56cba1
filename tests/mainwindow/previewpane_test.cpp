// The preview pane: the page picture's shape and place, the outline, both
// rasters, the scroll bars and what shows on screen. Also run on a screen of
// twice the density (see CMakeLists.txt), where the rasters have the device's
// pixels and are drawn back scaled down.
#include "mainwindow/previewpane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sheet/error.h"
#include "tests/support/pixels.h"

namespace lattora::test {
namespace {

constexpr PrinterPage kA4{11906, 16838, 1, 0, 0};

class PreviewPaneTest : public ::testing::Test {
protected:
    void SetUp() override { pane.resize(pane.minimumSize()); }
    // A length in twips on the screen, or in the pictures' device pixels.
    int px(double twips, double ratio = 1) const {
        return int(std::lround(twips * dpi * ratio / 1440));
    }

    PreviewPane pane;
    const double dpi = pane.logicalDpiX(), ratio = pane.devicePixelRatioF();
    QWidget* paper = pane.findChild<QWidget*>(QStringLiteral("pPaper"));
    QWidget* print = pane.findChild<QWidget*>(QStringLiteral("pPrint"));
};

// Portrait pages are 4575 twips high, every other orientation 5535 wide; the
// other side follows the paper's proportion, the portrait one through a double
// quotient, the landscape one through a single one (A3 shows the difference).
// Both pictures are rasters at the screen's density, centred in the pane
// after a new page and after a resize; the smallest pane holds any of them. A
// page without area or too large to draw is refused and the old one stays.
TEST_F(PreviewPaneTest, ShapesAndCentresThePicturesAfterThePaper) {
    pane.show();
    const struct {
        PrinterPage page;
        float width, height;
        QSize extra;
    } rows[] = {
        {kA4, float(4575.0 * 11906 / 16838), 4575, {0, 0}},
        {{23811, 16838, 2, 0, 0}, 5535, float(5535 * double(float(16838.0 / 23811))), {301, 0}},
        {{16838, 11906, 3, 0, 0}, 5535, float(5535 * double(float(11906.0 / 16838))), {0, 157}}};
    for (const auto& [page, width, height, extra] : rows) {
        pane.resize(pane.minimumSize());
        pane.setPage(page);
        EXPECT_EQ(pane.paperPictureTwips(), QSizeF(width, height)) << page.pageWidthTwips;
        const auto pixels = [&](double w, double h, double r) { return QSize(px(w, r), px(h, r)); };
        EXPECT_TRUE(pane.paperPicture().image().size() == pixels(width, height, ratio) &&
                    pane.printPicture().image().size() ==
                        pixels(page.pageWidthTwips, page.pageHeightTwips, ratio) &&
                    print->size() == pixels(page.pageWidthTwips, page.pageHeightTwips, 1));
        pane.resize(pane.minimumSize() + extra);
        const QSizeF frame = QSizeF(pane.size()) * 1440 / dpi;
        EXPECT_EQ(paper->geometry(),
                  QRect(px(frame.width() / 2 - width / 2), px(frame.height() / 2 - height / 2),
                        px(width), px(height)));
    }
    const RasterTarget* kept = &pane.printPicture();
    EXPECT_THROW(pane.setPage({INT32_MAX, INT32_MAX, 1, 0, 0}), Error);  // too large to draw
    EXPECT_THROW(pane.setPage({11906, 0, 1, 0, 0}), Error);
    EXPECT_TRUE(pane.paperPictureTwips().width() == 5535 && &pane.printPicture() == kept);
}

// On screen the outline is a one-pixel border (dotted while hovered) over the
// page picture, which shows through; the full-size page shows a line drawn in
// twips on its own pixel once updated; clearing one picture leaves the other.
// (The scroll bars follow Qt's own range and tracking; the pan that moves
// them is the outline geometry's.)
TEST_F(PreviewPaneTest, ShowsThePicturesUnderTheOutline) {
    pane.setPage(kA4);
    pane.setOutline(QRectF(1440, 1440, 1440, 1440));
    pane.paperPicture().target().Line(2160, 1700, 2160, 2600, 0x0000FF);
    pane.printPicture().target().Line(1440, 720, 1440, 2880, 0x0000FF);
    pane.updatePictures();
    const QImage shot = paper->grab().toImage();
    const int left = px(1440) * int(ratio), right = px(2880) * int(ratio) - 1,
              mid = px(2160, ratio);
    const std::vector<int> marked = markedColumns(shot, mid, Qt::white);
    EXPECT_TRUE(marked.front() == left && marked.back() == right);
    EXPECT_TRUE(rgbAt(shot, left, mid) == rgbOf(0, 0, 0) &&
                rgbAt(shot, mid, mid) == rgbOf(255, 0, 0));
    const QImage shown = print->grab().toImage();
    const int inch = px(1440, ratio);
    EXPECT_EQ(markedRows(shown, inch, Qt::white).front(), inch / 2);
    EXPECT_TRUE(rgbAt(shown, inch, inch) == rgbOf(255, 0, 0) &&
                rgbAt(shown, inch + 1, inch) == 0xFFFFFF);
    pane.clearPaperPicture();
    EXPECT_TRUE(markedColumns(pane.paperPicture().image(), mid, Qt::white).empty() &&
                rgbAt(pane.printPicture().image(), inch, inch) == rgbOf(255, 0, 0));
}

}  // namespace
}  // namespace lattora::test
