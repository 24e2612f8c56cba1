// The page, the two mappings between the sheet and the outline, and the
// drawing of both previews.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QRadioButton>
#include <QSignalBlocker>
#include <cmath>
#include <limits>

#include "linesets/templates.h"
#include "mainwindow/form1.h"
#include "mainwindow/previewpane.h"
#include "platform/printer.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/settingsstore.h"

namespace lattora {

namespace {

// The outline is kept in single precision; a length that does not fit is
// refused rather than turned into an endless outline.
float toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        throw Error(QStringLiteral("Overflow"));
    }
    return static_cast<float>(value);
}

double divisor(double value) {
    if (value == 0 || !std::isfinite(value)) {
        throw Error(QStringLiteral("Division by zero"));
    }
    return value;
}

std::int16_t listIndex(const QComboBox* list) {
    return static_cast<std::int16_t>(list->currentIndex());
}

// The paper's usual name ("A4", "Letter"), or its size when it has none.
QString paperName(const PageSetup& setup) {
    const QPageSize size(setup.paperMm, QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyOrientationMatch);
    if (size.id() == QPageSize::Custom) {
        return QStringLiteral("%1 x %2 mm")
            .arg(formatNumber(std::round(setup.paperMm.width())),
                 formatNumber(std::round(setup.paperMm.height())));
    }
    return size.name().section(QStringLiteral(" ("), 0, 0).section(QStringLiteral(" /"), 0, 0);
}

}  // namespace

QString extentText(float extent) {
    // Half-way cases go to the even hundredth, judged on the single value
    // itself; a hundred times a single is exact in a double, so nothing is
    // rounded twice. The shortest text drops trailing zeros.
    const double hundredths = std::nearbyint(static_cast<double>(extent) * 100.0);
    return formatNumber(hundredths / 100.0 + 0.0);
}

void Form1::UpdatePaper() {
    preview_->setPage(printer_.page());

    const bool metric = isMetric(store_);
    printer_.setScaleMode(metric ? Unit::Centimetre : Unit::Inch);
    const PrinterPage current = printer_.page();
    const QString unit = metric ? QStringLiteral(" cm") : QStringLiteral(" inches");
    pagewidth_->setText(QStringLiteral("Width = ") + extentText(current.printableWidth) + unit);
    pageheight_->setText(QStringLiteral("Height = ") + extentText(current.printableHeight) + unit);
    gbMargins_->setTitle(metric ? QStringLiteral("Margins (cm)")
                                : QStringLiteral("Margins (inches)"));
    gbSize_->setTitle(metric ? QStringLiteral("Size (cm)") : QStringLiteral("Size (inches)"));
    lblLineWeight_->setText(lineWidthUnitLabel(metric ? UnitSystem::Metric : UnitSystem::Imperial));

    // Without a printer the page is the locale's usual paper; say which.
    if (printer_.available()) {
        lblNoPrinter_->hide();
    } else {
        lblNoPrinter_->setText(QStringLiteral("No printer found: ") +
                               paperName(printer_.pageSetup()) + QStringLiteral(" paper"));
        lblNoPrinter_->show();
    }

    // Showing the printer's orientation is no request to turn the page.
    const QSignalBlocker portraitBlocker(rbPortrait_);
    const QSignalBlocker landscapeBlocker(rbLandscape_);
    (current.orientation == 1 ? rbPortrait_ : rbLandscape_)->setChecked(true);
}

void Form1::MapActualToPreview() {
    const QSizeF picture = preview_->paperPictureTwips();
    const PrinterPage current = printer_.page();
    const double extentWidth = divisor(current.printableWidth);
    const double extentHeight = divisor(current.printableHeight);
    preview_->setOutline(QRectF(toSingle(picture.width() * sheet_.marginLeft / extentWidth),
                                toSingle(picture.height() * sheet_.marginTop / extentHeight),
                                toSingle(picture.width() * sheet_.areaWidth / extentWidth),
                                toSingle(picture.height() * sheet_.areaHeight / extentHeight)));
}

void Form1::MapPreviewToActual() {
    const QSizeF picture = preview_->paperPictureTwips();
    const PrinterPage current = printer_.page();
    const QRectF outline = preview_->outline();
    const double pictureWidth = divisor(picture.width());
    const double pictureHeight = divisor(picture.height());
    sheet_.marginLeft = current.printableWidth * outline.left() / pictureWidth;
    sheet_.marginTop = current.printableHeight * outline.top() / pictureHeight;
    sheet_.areaWidth = current.printableWidth * outline.width() / pictureWidth;
    sheet_.areaHeight = current.printableHeight * outline.height() / pictureHeight;
    // Every digit: the user sees exactly the lengths the sheet now holds.
    const std::pair<QLineEdit*, double> shown[] = {{tMarginLeft_, sheet_.marginLeft},
                                                   {tMarginTop_, sheet_.marginTop},
                                                   {tSizeWidth_, sheet_.areaWidth},
                                                   {tSizeHeight_, sheet_.areaHeight}};
    for (const auto& [field, length] : shown) {
        field->setText(formatNumber(length));
        // The leading digits matter most when a text is too long to show.
        field->setCursorPosition(0);
    }
}

void Form1::DrawPaper() {
    if (fillingLists_) {
        return;
    }
    MapActualToPreview();
    try {
        preview_->clearPrintPicture();
        // The lists hold the scales; the sheet keeps a copy for the output
        // commands.
        sheet_.abscissa.family = listIndex(cbAbsScale_);
        sheet_.abscissa.item = listIndex(cbAbsDiv_);
        sheet_.ordinate.family = listIndex(cbOrdScale_);
        sheet_.ordinate.item = listIndex(cbOrdDiv_);
        const AxisScale& x = sheet_.abscissa;
        const AxisScale& y = sheet_.ordinate;

        // The page at full size, with the sheet's own lengths.
        DrawTarget& print = preview_->printPicture().target();
        graph_->DrawAxisGrid(print, true, x.family, x.item, sheet_.marginLeft, sheet_.marginTop,
                             sheet_.areaWidth, sheet_.areaHeight, x.divisions, 0, 0);
        graph_->DrawAxisGrid(print, false, y.family, y.item, sheet_.marginLeft, sheet_.marginTop,
                             sheet_.areaWidth, sheet_.areaHeight, y.divisions, 0, 0);

        // The whole page, with the outline in the sheet unit.
        preview_->clearPaperPicture();
        const int unit = isMetric(store_) ? Unit::Centimetre : Unit::Inch;
        DrawTarget& paper = preview_->paperPicture().target();
        const auto drawOutline = [&](bool isAbscissa, const AxisScale& axis) {
            const QRectF outline = preview_->outline();
            graph_->DrawAxisGrid(paper, isAbscissa, axis.family, axis.item,
                                 preview_->paperScaleX(outline.left(), unit),
                                 preview_->paperScaleY(outline.top(), unit),
                                 preview_->paperScaleX(outline.width(), unit),
                                 preview_->paperScaleY(outline.height(), unit), axis.divisions, 0,
                                 0);
        };
        drawOutline(true, x);
        drawOutline(false, y);
    } catch (...) {
        // What was drawn before the failure is shown, as on paper.
        preview_->updatePictures();
        Q_EMIT paperDrawn();
        throw;
    }
    preview_->updatePictures();
    Q_EMIT paperDrawn();
}

}  // namespace lattora
