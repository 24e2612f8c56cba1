// The scale lists of both axes, the N panels, the fields' live checks and the
// zoom box.
#include <QScrollBar>
#include <QStackedWidget>
#include <vector>

#include "tests/mainwindow/form1_fixture.h"
#include "validation/validation.h"

namespace lattora::test {
namespace {

struct FamilyCase {
    const char* family;
    QStringList items;
    int selected;  // -1: the N panel instead of a list
};

// The families and their items, in the order and with the choice the window
// must offer.
const std::vector<FamilyCase>& families() {
    static const std::vector<FamilyCase> cases = {
        {"Metric", {u"1 mm"_s, u"2 mm"_s, u"5 mm"_s, u"10 mm"_s}, 0},
        {"Imperial",
         {u"Half-inch"_s, u"1/16 inch"_s, u"1/12 inch"_s, u"1/10 inch"_s, u"1/8 inch"_s,
          u"1/4 inch"_s},
         0},
        {"N divided", {}, -1},
        {"Time", {u"12 months"_s, u"31 days"_s, u"24 hours"_s, u"60 minutes"_s}, 1},
        {"Logarithmic",
         {u"1 cycle"_s, u"2 cycles"_s, u"3 cycles"_s, u"4 cycles"_s, u"5 cycles"_s, u"6 cycles"_s},
         1},
        {"Quadratic", {u"0 to 10"_s, u"0 to 20"_s, u"0 to 50"_s}, 1},
        {"Square Root", {u"0 to 10"_s, u"0 to 20"_s, u"0 to 50"_s}, 1},
        {"Probability", {u"1% to 99%"_s, u"0.1% to 99.9%"_s}, 1},
    };
    return cases;
}

QStringList texts(const QComboBox* combo) {
    QStringList all;
    for (int i = 0; i < combo->count(); ++i) {
        all << combo->itemText(i);
    }
    return all;
}

TEST_F(Form1Test, OffersTheEightFamiliesOnBothAxes) {
    open();
    QStringList expected;
    for (const FamilyCase& c : families()) {
        expected << QLatin1String(c.family);
    }
    EXPECT_EQ(texts(list(QStringLiteral("cbAbsScale"))), expected);
    EXPECT_EQ(texts(list(QStringLiteral("cbOrdScale"))), expected);
}

TEST_F(Form1Test, FillsEachFamilysItemsAndSelectsItsItem) {
    Form1& form = open();
    for (const char* axis : {"Abs", "Ord"}) {
        const QString a = QLatin1String(axis);
        QComboBox* familyList = list(QStringLiteral("cb%1Scale").arg(a));
        QComboBox* items = list(QStringLiteral("cb%1Div").arg(a));
        QWidget* nPanel = control<QWidget>(QStringLiteral("pb%1NDiv").arg(a));
        for (int family = 0; family < static_cast<int>(families().size()); ++family) {
            const FamilyCase& c = families()[family];
            SCOPED_TRACE(std::string(axis) + " " + c.family);
            familyList->setCurrentIndex(family);
            EXPECT_EQ(texts(items), c.items);
            EXPECT_EQ(items->currentIndex(), c.selected);
            // The list or the N panel, never both, in the same place.
            EXPECT_EQ(items->isHidden(), c.selected < 0);
            EXPECT_EQ(nPanel->isHidden(), c.selected >= 0);
            const AxisScale& scale = a == u"Abs" ? form.sheet().abscissa : form.sheet().ordinate;
            EXPECT_EQ(scale.family, family);
            EXPECT_EQ(scale.item, c.selected);
        }
        EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
    }
}

TEST_F(Form1Test, PutsTheNPanelWhereTheItemListIs) {
    open();
    auto* place = control<QStackedWidget>(QStringLiteral("stAbsDiv"));
    QComboBox* items = list(QStringLiteral("cbAbsDiv"));
    QWidget* nPanel = control<QWidget>(QStringLiteral("pbAbsNDiv"));
    EXPECT_EQ(items->parentWidget(), place);
    EXPECT_EQ(nPanel->parentWidget(), place);
    list(QStringLiteral("cbAbsScale"))->setCurrentIndex(2);
    EXPECT_EQ(place->currentWidget(), nPanel);
    EXPECT_EQ(nPanel->findChild<QLineEdit*>(QStringLiteral("tAbsDiv")), field(u"tAbsDiv"_s));
    EXPECT_EQ(nPanel->findChild<QPushButton*>(QStringLiteral("PushButton4")),
              button(u"PushButton4"_s));
    list(QStringLiteral("cbAbsScale"))->setCurrentIndex(4);
    EXPECT_EQ(place->currentWidget(), items);
    EXPECT_EQ(items->currentText(), u"2 cycles");
}

TEST_F(Form1Test, TypingInAFieldOtherThanTheTopMarginRecoloursTheFields) {
    open();
    for (const char* name : {"tAbsDiv", "tOrdDiv", "tMarginLeft", "tSizeWidth", "tSizeHeight"}) {
        SCOPED_TRACE(name);
        const QString other =
            QLatin1String(name) == u"tSizeHeight" ? u"tSizeWidth"_s : u"tSizeHeight"_s;
        // Another field goes wrong without its window being checked...
        {
            const QSignalBlocker quiet(field(other));
            field(other)->setText(QStringLiteral("x"));
        }
        ASSERT_EQ(background(other), normalBackground());
        // ...and typing here checks the whole window.
        type(QLatin1String(name), QStringLiteral("12"));
        EXPECT_EQ(background(other), kMalformedColor);
        type(other, QStringLiteral("3"));
        EXPECT_EQ(background(other), normalBackground());
    }
}

TEST_F(Form1Test, TypingInTheTopMarginChecksNothingUntilAnotherFieldChanges) {
    open();
    type(u"tMarginTop"_s, QStringLiteral("abc"));
    EXPECT_EQ(background(u"tMarginTop"_s), normalBackground());
    type(u"tSizeWidth"_s, QStringLiteral("5"));
    EXPECT_EQ(background(u"tMarginTop"_s), kMalformedColor);
    type(u"tMarginTop"_s, QString());
    type(u"tSizeWidth"_s, QStringLiteral("6"));
    EXPECT_EQ(background(u"tMarginTop"_s), kRequiredColor);
}

TEST_F(Form1Test, ZoomOnlySwapsThePicturesShown) {
    Form1& form = open();
    // A pixel of the left border, half way down the full-size page.
    const QImage& print = form.preview().printPicture().image();
    const double dpi = form.preview().printPicture().dpi();
    const SheetSettings& s = form.sheet();
    const QPoint border(
        static_cast<int>(std::lround(s.marginLeft / 2.54 * dpi)),
        static_cast<int>(std::lround((s.marginTop + s.areaHeight / 2) / 2.54 * dpi)));
    ASSERT_EQ(print.pixel(border), qRgb(0, 0, 0));
    // Both pictures are current already: ticking Zoom draws nothing.
    form.preview().clearPrintPicture();
    auto* zoom = control<QCheckBox>(u"cbZoom"_s);
    zoom->click();
    EXPECT_TRUE(form.sheet().zoomed);
    EXPECT_TRUE(form.preview().zoomed());
    EXPECT_TRUE(control<QWidget>(u"pPaper"_s)->isHidden());
    EXPECT_FALSE(control<QWidget>(u"pZoomed"_s)->isHidden());
    EXPECT_EQ(print.pixel(border), qRgb(255, 255, 255));
    zoom->click();
    EXPECT_FALSE(form.sheet().zoomed);
    EXPECT_FALSE(form.preview().zoomed());
    EXPECT_FALSE(control<QWidget>(u"pPaper"_s)->isHidden());
}

TEST_F(Form1Test, KeepsTheScrollPositionWhenTheSheetIsRedrawn) {
    Form1& form = open();
    form.resize(form.minimumSizeHint());
    control<QCheckBox>(QStringLiteral("cbZoom"))->click();
    QScrollBar* vertical = form.preview().verticalScrollBar();
    ASSERT_GT(vertical->maximum(), 100);
    vertical->setValue(100);
    list(QStringLiteral("cbAbsScale"))->setCurrentIndex(3);
    EXPECT_EQ(vertical->value(), 100);
    // The page itself still sits 100 twips up in its container.
    const auto* page = control<QWidget>(u"pPrint"_s);
    EXPECT_EQ(page->pos().y(), -qRound(100 * form.preview().screenDpiY() / 1440.0));
}

}  // namespace
}  // namespace lattora::test
