// What the two previews show: read back from their pictures.
#include <vector>

#include "tests/mainwindow/form1_fixture.h"
#include "tests/support/pixels.h"

namespace lattora::test {
namespace {

const QColor kWhite(Qt::white);
const QRgb kHeavy = rgbOf(255, 0, 0);  // the test set's heavy colour

class Form1PixelTest : public Form1Test {
public:
    void SetUp() override { useTestLineSet(); }

    // The test area: on a 96 dpi picture 96, 192, 480 and 576 pixels.
    Form1& openWithArea() {
        Form1& form = open();
        applyTestArea();
        return form;
    }

    const QImage& print() const { return form->preview().printPicture().image(); }
    const QImage& paper() const { return form->preview().paperPicture().image(); }
    // A length in centimetres on the full-size page, in whole pixels.
    int printPixels(double cm) const {
        return static_cast<int>(std::lround(cm / 2.54 * form->preview().printPicture().dpi()));
    }
    int paperPixels(double twips) const {
        return static_cast<int>(std::lround(twips / 1440 * form->preview().paperPicture().dpi()));
    }
};

TEST_F(Form1PixelTest, DrawsTheFullSizePageBordersWhereTheMarginsAndSizeSay) {
    openWithArea();
    ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
    const int left = printPixels(2.54);
    const int top = printPixels(5.08);
    const int right = printPixels(2.54 + 12.7);
    const int bottom = printPixels(5.08 + 15.24);
    // Nothing outside the graph area: "1 mm" has no labels.
    EXPECT_EQ(inkBounds(print(), print().rect(), kWhite),
              QRect(QPoint(left, top), QPoint(right, bottom)));
    const int midX = (left + right) / 2;
    const int midY = (top + bottom) / 2;
    EXPECT_EQ(rgbAt(print(), left, midY), kHeavy);
    EXPECT_EQ(rgbAt(print(), right, midY), kHeavy);
    EXPECT_EQ(rgbAt(print(), midX, top), kHeavy);
    EXPECT_EQ(rgbAt(print(), midX, bottom), kHeavy);
}

TEST_F(Form1PixelTest, DrawsThePagePictureInsideTheOutline) {
    openWithArea();
    const QRectF o = outline();
    const QRect bounds = inkBounds(paper(), paper().rect(), kWhite);
    ASSERT_FALSE(bounds.isEmpty());
    // The outline passes through the sheet unit and back: a pixel either way.
    EXPECT_NEAR(bounds.left(), paperPixels(o.left()), 1);
    EXPECT_NEAR(bounds.top(), paperPixels(o.top()), 1);
    EXPECT_NEAR(bounds.right(), paperPixels(o.left() + o.width()), 1);
    EXPECT_NEAR(bounds.bottom(), paperPixels(o.top() + o.height()), 1);
    EXPECT_EQ(rgbAt(paper(), bounds.left(), bounds.center().y()), kHeavy);
}

// A row half a millimetre below the top border lies between the first two
// lines of the ordinate's "1 mm" scale, so only the abscissa's lines cross it.
TEST_F(Form1PixelTest, DrawsTheAbscissaInNEqualPartsFromTheNPanel) {
    Form1& form = openWithArea();
    list(u"cbAbsScale"_s)->setCurrentIndex(2);
    type(u"tAbsDiv"_s, u"4"_s);
    click(u"PushButton4"_s);
    EXPECT_EQ(form.sheet().abscissa.item, -1);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
    std::vector<int> expected;
    for (int k = 0; k <= 4; ++k) {
        expected.push_back(printPixels(2.54 + k * 12.7 / 4));
    }
    EXPECT_EQ(markedColumns(print(), printPixels(5.08 + 0.05), kWhite), expected);

    type(u"tAbsDiv"_s, u"2"_s);
    click(u"PushButton4"_s);
    EXPECT_EQ(markedColumns(print(), printPixels(5.08 + 0.05), kWhite),
              (std::vector<int>{expected[0], expected[2], expected[4]}));
}

TEST_F(Form1PixelTest, DrawsOnlyTheBordersForNoDivisions) {
    openWithArea();
    list(u"cbAbsScale"_s)->setCurrentIndex(2);
    type(u"tAbsDiv"_s, u"0"_s);
    click(u"PushButton4"_s);
    EXPECT_EQ(markedColumns(print(), printPixels(5.08 + 0.05), kWhite),
              (std::vector<int>{printPixels(2.54), printPixels(2.54 + 12.7)}));
}

}  // namespace
}  // namespace lattora::test
