#include "platform/print/printer.h"

#include <gtest/gtest.h>

#include "platform/print/systemprinter.h"
#include "sheet/error.h"
#include "tests/support/fixedprinter.h"

namespace lattora {
namespace {

// Letter with a quarter inch all round, except half an inch at the bottom.
PageSetup letterWithMargins() {
    return {QSizeF(215.9, 279.4), QRectF(6.35, 6.35, 203.2, 260.35), Orientation::Portrait};
}

TEST(Printer, PageValuesFollowTheScaleModeAndTheOrientation) {
    FixedPrinter printer(letterWithMargins());
    printer.setScaleMode(Unit::Inch);
    PrinterPage page = printer.page();
    EXPECT_EQ(page.pageWidthTwips, 12240);
    EXPECT_EQ(page.pageHeightTwips, 15840);
    EXPECT_EQ(page.orientation, 1);
    EXPECT_FLOAT_EQ(page.printableWidth, 8.0f);
    EXPECT_FLOAT_EQ(page.printableHeight, 10.25f);

    printer.setScaleMode(Unit::Centimetre);
    EXPECT_FLOAT_EQ(printer.page().printableWidth, 20.32f);

    // Turning the page swaps paper and printable extents.
    printer.setOrientation(2);
    page = printer.page();
    EXPECT_EQ(page.orientation, 2);
    EXPECT_EQ(page.pageWidthTwips, 15840);
    EXPECT_EQ(page.pageHeightTwips, 12240);
    EXPECT_FLOAT_EQ(page.printableWidth, 26.035f);
    EXPECT_FLOAT_EQ(page.printableHeight, 20.32f);
    // The turned printable area still lies on the paper, its left margin the
    // portrait page's top one.
    const PageSetup turned = printer.pageSetup();
    EXPECT_TRUE(QRectF(QPointF(0, 0), turned.paperMm).contains(turned.printableMm));
    EXPECT_DOUBLE_EQ(turned.printableMm.left(), 6.35);
}

TEST(Printer, TheUsualPaperIsLetterOnlyWhereUsUnitsAreTheCustom) {
    EXPECT_EQ(paperFor(QLocale::ImperialUSSystem).id(), QPageSize::Letter);
    EXPECT_EQ(paperFor(QLocale::MetricSystem).id(), QPageSize::A4);
    EXPECT_EQ(paperFor(QLocale::ImperialUKSystem).id(), QPageSize::A4);
}

TEST(Printer, ScaleModesOtherThanCentimetresAndInchesAreRefused) {
    SystemPrinter printer;
    for (const int mode : {Unit::Twip, Unit::Pixel, Unit::Millimetre, 0}) {
        EXPECT_THROW(printer.setScaleMode(mode), Error) << mode;
    }
}

// The machines the tests run on have no print queue: the program still gets a
// whole page to lay out, with no hardware margins.
TEST(Printer, WithoutAPrinterThePageIsTheLocalesPaper) {
    SystemPrinter printer;
    if (printer.available()) {
        GTEST_SKIP() << "a printer is installed: " << printer.deviceName().toStdString();
    }
    printer.setScaleMode(Unit::Centimetre);
    const PageSetup setup = printer.pageSetup();
    const QSizeF paper = localeDefaultPaper().size(QPageSize::Millimeter);
    EXPECT_NEAR(setup.paperMm.width(), paper.width(), 0.01);
    EXPECT_NEAR(setup.paperMm.height(), paper.height(), 0.01);
    EXPECT_EQ(setup.printableMm.size(), setup.paperMm);
    EXPECT_EQ(printer.orientation(), 1);
    printer.setOrientation(2);
    EXPECT_EQ(printer.orientation(), 2);
    EXPECT_NEAR(printer.page().printableWidth, paper.height() / 10, 0.001);
}

}  // namespace
}  // namespace lattora
