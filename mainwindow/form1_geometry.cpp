// The page, the two mappings between the sheet and the outline, and the
// drawing of both previews.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "linesets/templates.h"
#include "mainwindow/form1.h"
#include "mainwindow/outlinegeometry.h"
#include "mainwindow/previewpane.h"
#include "platform/print/printer.h"
#include "render/sheetdrawing.h"
#include "sheet/numbertext.h"
#include "sheet/settingsstore.h"
#include "validation/validation.h"

namespace lattora {

namespace {

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
    printer_.setScaleMode(sheetUnit(metric ? UnitSystem::Metric : UnitSystem::Imperial));
    const PrinterPage current = printer_.page();
    const QString unit = metric ? QStringLiteral(" cm") : QStringLiteral(" inches");
    pagewidth_->setText(QStringLiteral("Width = ") + extentText(current.printableWidth) + unit);
    pageheight_->setText(QStringLiteral("Height = ") + extentText(current.printableHeight) + unit);
    gbMargins_->setTitle(metric ? QStringLiteral("Margins (cm)")
                                : QStringLiteral("Margins (inches)"));
    gbSize_->setTitle(metric ? QStringLiteral("Size (cm)") : QStringLiteral("Size (inches)"));
    lblLineWeight_->setText(lineWidthUnitLabel(metric ? UnitSystem::Metric : UnitSystem::Imperial));
    // A width drawn by default changes with the unit system.
    showLines(styles_->currentLineColors(), storedWidths_);

    // Without a printer the page is the locale's usual paper; say which, and
    // whether one only has to be chosen.
    if (printer_.available()) {
        lblNoPrinter_->hide();
    } else {
        const QString paper = paperName(printer_.pageSetup()) + QStringLiteral(" paper");
        lblNoPrinter_->setText(printer_.installedPrinters().isEmpty()
                                   ? QStringLiteral("No printer found: ") + paper
                                   : QStringLiteral("No default printer: ") + paper +
                                         QStringLiteral(" until one is chosen in Printer Setup"));
        lblNoPrinter_->show();
    }

    // Showing the printer's orientation is no request to turn the page.
    const QSignalBlocker portraitBlocker(rbPortrait_);
    const QSignalBlocker landscapeBlocker(rbLandscape_);
    (current.orientation == 1 ? rbPortrait_ : rbLandscape_)->setChecked(true);
}

void Form1::MapActualToPreview() {
    const PrinterPage current = printer_.page();
    preview_->setOutline(outlineFromSheet(
        QRectF(sheet_.marginLeft, sheet_.marginTop, sheet_.areaWidth, sheet_.areaHeight),
        QSizeF(current.printableWidth, current.printableHeight), preview_->paperPictureTwips()));
}

void Form1::MapPreviewToActual() {
    const PrinterPage current = printer_.page();
    const QRectF area = sheetFromOutline(preview_->outline(), preview_->paperPictureTwips(),
                                         QSizeF(current.printableWidth, current.printableHeight));
    sheet_.marginLeft = area.left();
    sheet_.marginTop = area.top();
    sheet_.areaWidth = area.width();
    sheet_.areaHeight = area.height();
    const std::pair<QLineEdit*, double> shown[] = {{tMarginLeft_, sheet_.marginLeft},
                                                   {tMarginTop_, sheet_.marginTop},
                                                   {tSizeWidth_, sheet_.areaWidth},
                                                   {tSizeHeight_, sheet_.areaHeight}};
    for (const auto& [field, length] : shown) {
        showLength(field, length);
    }
    // A text left unchanged sends no change signal, and the top margin has
    // no handler: a field still red from an earlier entry is recoloured here.
    // The lengths written are numbers, so only such a field can change
    // colour; a drag, which writes them at every step, skips the walk.
    const bool stillMarked = std::any_of(std::begin(shown), std::end(shown), [](const auto& s) {
        const QColor background = s.first->palette().color(QPalette::Base);
        return background == kMalformedColor || background == kRequiredColor;
    });
    if (stillMarked) {
        DoControlValidationColor(this);
    }
}

// Fifteen significant digits hide the mapping's rounding noise (27.7, not
// 27.700002280466787); the field keeps the length itself, so applying a text
// left as shown changes nothing.
void Form1::showLength(QLineEdit* field, double length) {
    const QString text = formatNumber(length, 15);
    field->setText(text);
    field->setProperty("shownText", text);
    field->setProperty("shownLength", length);
    // The leading digits matter most when a text is too long to show.
    field->setCursorPosition(0);
}

double Form1::typedLength(const QLineEdit* field) {
    if (field->text() == field->property("shownText").toString()) {
        return field->property("shownLength").toDouble();
    }
    return parseNumber(field->text());
}

void Form1::DrawPaper() {
    if (fillingLists_) {
        return;
    }
    MapActualToPreview();
    try {
        preview_->clearPrintPicture();
        takeScalesFromLists();
        // The page at full size, with the sheet's own lengths.
        drawSheet(*graph_, preview_->printPicture().target(), sheet_);

        // The whole page, with the outline's lengths in the sheet unit.
        preview_->clearPaperPicture();
        const int unit = sheetUnit(unitSystem(store_));
        const QRectF outline = preview_->outline();
        SheetSettings onPaper = sheet_;
        onPaper.marginLeft = preview_->paperScaleX(outline.left(), unit);
        onPaper.marginTop = preview_->paperScaleY(outline.top(), unit);
        onPaper.areaWidth = preview_->paperScaleX(outline.width(), unit);
        onPaper.areaHeight = preview_->paperScaleY(outline.height(), unit);
        drawSheet(*graph_, preview_->paperPicture().target(), onPaper);
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
