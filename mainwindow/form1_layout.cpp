// The layout commands: typed margins, size and division counts, centring,
// full paper, standard margins and the page's orientation.
//
// Commands that start from typed values go values -> outline -> drawing;
// commands that start from the outline go outline -> values and fields ->
// drawing. A field that is not a number is reported, its length stays as it
// was, and the command goes on.
#include <QLineEdit>

#include "mainwindow/form1.h"
#include "mainwindow/outlinegeometry.h"
#include "mainwindow/previewpane.h"
#include "platform/print/printer.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/settingsstore.h"
#include "validation/rules.h"

namespace lattora {

void Form1::PushButton2_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton2_Click"), this);
    scope([&] { sheet_.marginLeft = typedLength(tMarginLeft_); });
    scope([&] { sheet_.marginTop = typedLength(tMarginTop_); });
    scope([&] { MapActualToPreview(); });
    scope([&] { DrawPaper(); });
}

void Form1::PushButton3_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton3_Click"), this);
    scope([&] { sheet_.areaWidth = typedLength(tSizeWidth_); });
    scope([&] { sheet_.areaHeight = typedLength(tSizeHeight_); });
    scope([&] { MapActualToPreview(); });
    scope([&] { DrawPaper(); });
}

void Form1::applyDivisions(const char* handler, QLineEdit* field, AxisScale& axis) {
    ReportingScope scope(report_, kWindowName, QLatin1String(handler), this);
    // Only a whole number of parts ends on the far edge; lattora-export takes
    // the same counts.
    scope([&] {
        const auto count = divisionCount(field->text());
        if (!count) {
            throw Error(QStringLiteral("Type mismatch: \"%1\" is not a whole number of parts")
                            .arg(field->text()));
        }
        axis.divisions = *count;
    });
    scope([&] { DrawPaper(); });
}

void Form1::PushButton4_Click() {
    applyDivisions("PushButton4_Click", tAbsDiv_, sheet_.abscissa);
}

void Form1::PushButton7_Click() {
    applyDivisions("PushButton7_Click", tOrdDiv_, sheet_.ordinate);
}

// The commands that start from the outline: change it, read the sheet's
// lengths back from it, redraw.
void Form1::changeOutline(const char* handler, const std::function<void(QRectF&)>& change) {
    ReportingScope scope(report_, kWindowName, QLatin1String(handler), this);
    scope([&] {
        QRectF outline = preview_->outline();
        change(outline);
        preview_->setOutline(outline);
    });
    scope([&] { MapPreviewToActual(); });
    scope([&] { DrawPaper(); });
}

void Form1::PushButton10_Click() {
    const QSizeF picture = preview_->paperPictureTwips();
    changeOutline("PushButton10_Click",
                  [&](QRectF& outline) { outline = centredTopToBottom(outline, picture); });
}

void Form1::PushButton11_Click() {
    const QSizeF picture = preview_->paperPictureTwips();
    changeOutline("PushButton11_Click",
                  [&](QRectF& outline) { outline = centredSideToSide(outline, picture); });
}

void Form1::PushButton14_Click() {
    const QSizeF picture = preview_->paperPictureTwips();
    changeOutline("PushButton14_Click",
                  [&](QRectF& outline) { outline = fullPaperOutline(picture); });
}

void Form1::PushButton18_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton18_Click"), this);
    scope([&] {
        const PrinterPage current = printer_.page();
        const QRectF area = standardMarginArea(
            QSizeF(current.printableWidth, current.printableHeight), unitSystem(store_));
        sheet_.marginLeft = area.left();
        sheet_.marginTop = area.top();
        sheet_.areaWidth = area.width();
        sheet_.areaHeight = area.height();
    });
    scope([&] { MapActualToPreview(); });
    // The round trip writes the fields as the preview holds the area.
    scope([&] { MapPreviewToActual(); });
    scope([&] { DrawPaper(); });
}

void Form1::setOrientation(const char* handler, std::int16_t orientation) {
    ReportingScope scope(report_, kWindowName, QLatin1String(handler), this);
    scope([&] { printer_.setOrientation(orientation); });
    scope([&] { UpdatePaper(); });
    scope([&] { MapPreviewToActual(); });
    // A turned page gets the standard margins of its new shape.
    scope([&] { PushButton18_Click(); });
    scope([&] { DrawPaper(); });
}

void Form1::rbPortrait_Click() {
    setOrientation("rbPortrait_Click", 1);
}

void Form1::rbLandscape_Click() {
    setOrientation("rbLandscape_Click", 2);
}

}  // namespace lattora
