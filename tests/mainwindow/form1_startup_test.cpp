// Start-up: what the window shows before the user does anything, with and
// without a printer, the optional skin and pointer files, and a failing step.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QStackedWidget>
#include <QtEndian>

#include "tests/mainwindow/form1_fixture.h"
#include "tests/support/fixedprinter.h"

namespace lattora::test {
namespace {

TEST_F(Form1Test, StartsWithMetricOneMillimetreOnBothAxesAndThirtyDivisions) {
    Form1& form = open();
    EXPECT_EQ(form.objectName(), u"Form1");
    EXPECT_EQ(form.windowTitle(), u"Lattora");
    for (const char* axis : {"Abs", "Ord"}) {
        SCOPED_TRACE(axis);
        EXPECT_EQ(list(QStringLiteral("cb%1Scale").arg(QLatin1String(axis)))->currentText(),
                  u"Metric");
        EXPECT_EQ(list(QStringLiteral("cb%1Div").arg(QLatin1String(axis)))->currentText(), u"1 mm");
        EXPECT_EQ(field(QStringLiteral("t%1Div").arg(QLatin1String(axis)))->text(), u"30");
        EXPECT_TRUE(
            control<QWidget>(QStringLiteral("pb%1NDiv").arg(QLatin1String(axis)))->isHidden());
    }
    const SheetSettings& sheet = form.sheet();
    EXPECT_EQ(sheet.abscissa.family, 0);
    EXPECT_EQ(sheet.abscissa.item, 0);
    EXPECT_EQ(sheet.ordinate.family, 0);
    EXPECT_EQ(sheet.ordinate.item, 0);
    EXPECT_EQ(sheet.abscissa.divisions, 30);
    EXPECT_EQ(sheet.ordinate.divisions, 30);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

TEST_F(Form1Test, StartsWithTheStandardMetricMarginsWrittenWithAllTheirDigits) {
    Form1& form = open();
    const SheetSettings& sheet = form.sheet();
    // 1 cm on every side of the 20 cm x 28.7 cm printable area, as the
    // preview's single-precision outline gives them back.
    EXPECT_NEAR(sheet.marginLeft, 1.0, 1e-5);
    EXPECT_NEAR(sheet.marginTop, 1.0, 1e-5);
    EXPECT_NEAR(sheet.areaWidth, 18.0, 1e-5);
    EXPECT_NEAR(sheet.areaHeight, 26.7, 1e-5);
    const PrinterPage p = page();
    EXPECT_EQ(outline(),
              outlineFromSheet(QRectF(1.0, 1.0, p.printableWidth - 2.0, p.printableHeight - 2.0),
                               printable(), picture()));
    // Each field reads back as exactly the length the sheet holds.
    EXPECT_EQ(number(QStringLiteral("tMarginLeft")), sheet.marginLeft);
    EXPECT_EQ(number(QStringLiteral("tMarginTop")), sheet.marginTop);
    EXPECT_EQ(number(QStringLiteral("tSizeWidth")), sheet.areaWidth);
    EXPECT_EQ(number(QStringLiteral("tSizeHeight")), sheet.areaHeight);
}

TEST_F(Form1Test, StartsWithTheWholePagePreviewShapedAfterThePaper) {
    Form1& form = open();
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("cbZoom"))->isChecked());
    EXPECT_FALSE(form.preview().zoomed());
    EXPECT_FALSE(form.sheet().zoomed);
    EXPECT_FALSE(control<QWidget>(QStringLiteral("pPaper"))->isHidden());
    EXPECT_TRUE(control<QWidget>(QStringLiteral("pZoomed"))->isHidden());
    // Portrait: 4575 twips high, as wide as the paper's proportion allows.
    EXPECT_EQ(picture().height(), 4575);
    EXPECT_EQ(picture().width(), static_cast<float>(4575.0 * 11906 / 16838));
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("rbPortrait"))->isChecked());
}

TEST_F(Form1Test, StartsWithMetricUnitCaptions) {
    open();
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("gbMargins"))->title(), u"Margins (cm)");
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("gbSize"))->title(), u"Size (cm)");
    EXPECT_EQ(label(QStringLiteral("lblLineWeight"))->text(), u"1/100 mm");
    EXPECT_EQ(label(QStringLiteral("pagewidth"))->text(), u"Width = 20 cm");
    EXPECT_EQ(label(QStringLiteral("pageheight"))->text(), u"Height = 28.7 cm");
    EXPECT_EQ(printer.scaleMode(), Unit::Centimetre);
}

TEST_F(Form1Test, StartsImperialWhenTheUnitIsNotExactlyMetric) {
    for (const std::optional<QString>& stored :
         {std::optional<QString>(), std::optional(QStringLiteral("metric")),
          std::optional(kImperialWord)}) {
        SCOPED_TRACE(stored.value_or(QStringLiteral("<missing>")).toStdString());
        store.remove(Key::Scale);
        if (stored) {
            store.saveSetting(Key::Scale, *stored);
        }
        Form1& form = open();
        const PrinterPage p = page();
        EXPECT_EQ(printer.scaleMode(), Unit::Inch);
        EXPECT_NEAR(form.sheet().marginLeft, 0.5, 1e-5);
        EXPECT_NEAR(form.sheet().marginTop, 0.5, 1e-5);
        EXPECT_NEAR(form.sheet().areaWidth, p.printableWidth - 1.0, 1e-5);
        EXPECT_NEAR(form.sheet().areaHeight, p.printableHeight - 1.0, 1e-5);
        EXPECT_EQ(control<QGroupBox>(QStringLiteral("gbMargins"))->title(), u"Margins (inches)");
        EXPECT_EQ(control<QGroupBox>(QStringLiteral("gbSize"))->title(), u"Size (inches)");
        EXPECT_EQ(label(QStringLiteral("lblLineWeight"))->text(), u"1/1000 in");
        EXPECT_TRUE(label(QStringLiteral("pagewidth"))->text().endsWith(u" inches"));
    }
}

struct ExtentCase {
    double printableMm;
    const char* unit;
    const char* caption;
};

// Hundredths, half to even on the single value, no trailing zeros.
TEST_F(Form1Test, ShowsThePrintableWidthRoundedToHundredths) {
    const ExtentCase cases[] = {
        {210, "Metric", "Width = 21 cm"},          {203, "Metric", "Width = 20.3 cm"},
        {201.25, "Metric", "Width = 20.12 cm"},   // 20.125 exactly: down to even
        {201.35, "Metric", "Width = 20.14 cm"},   // the single lies just above the half
        {201.15, "Metric", "Width = 20.11 cm"},   // the single lies just below the half
        {203.2, "Imperial", "Width = 8 inches"},  // 8 inches
        {215.9, "Imperial", "Width = 8.5 inches"},
    };
    for (const ExtentCase& c : cases) {
        SCOPED_TRACE(c.caption);
        store.saveSetting(Key::Scale, QLatin1String(c.unit));
        printer = FixedPrinter(pageWithPrintableWidth(c.printableMm));
        open();
        EXPECT_EQ(label(QStringLiteral("pagewidth"))->text(), QLatin1String(c.caption));
    }
}

TEST_F(Form1Test, SaysWhenNoPrinterIsFoundAndWorksOnThePaperItStandsFor) {
    struct Case {
        PageSetup paper;
        const char* text;
    };
    for (const Case& c : {Case{a4Page(), "No printer found: A4 paper"},
                          Case{letterPage(), "No printer found: Letter paper"}}) {
        SCOPED_TRACE(c.text);
        printer = FixedPrinter(c.paper, false);
        Form1& form = open();
        QLabel* notice = label(QStringLiteral("lblNoPrinter"));
        EXPECT_FALSE(notice->isHidden());
        EXPECT_EQ(notice->text(), QLatin1String(c.text));
        EXPECT_TRUE(boxes.errors().isEmpty());
        EXPECT_NEAR(form.sheet().marginLeft, 1.0, 1e-5);
        EXPECT_NEAR(form.sheet().areaWidth, page().printableWidth - 2.0, 1e-5);
    }
}

TEST_F(Form1Test, SaysNothingAboutPrintersWhenOneIsInstalled) {
    open();
    EXPECT_TRUE(label(QStringLiteral("lblNoPrinter"))->isHidden());
}

TEST_F(Form1Test, KeepsTheStandardLookAndPointsWithAHandWithoutTheirFiles) {
    Form1& form = open();
    EXPECT_TRUE(form.styleSheet().isEmpty());
    EXPECT_FALSE(form.customPointer().has_value());
    EXPECT_EQ(button(QStringLiteral("PushButton14"))->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(control<QCheckBox>(QStringLiteral("cbZoom"))->cursor().shape(),
              Qt::PointingHandCursor);
    // The window's background keeps the default pointer.
    EXPECT_FALSE(form.testAttribute(Qt::WA_SetCursor));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form1Test, AppliesTheSkinFileAsTheWindowsStyleSheet) {
    const QString sheet = QStringLiteral("QPushButton { color: rgb(1, 2, 3); }");
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("x")));
    QFile skin(QDir(folder.path()).filePath(Form1::kSkinFile));
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.write(sheet.toUtf8());
    skin.close();

    Form1& form = open();
    EXPECT_EQ(form.styleSheet(), sheet);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

// A cursor file: an icon file whose header says "cursor" and names the hot
// spot where an icon keeps its plane and bit counts.
QByteArray cursorFile(QPoint hotSpot) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int i = 0; i < 32; ++i) {
        image.setPixel(i, i, qRgba(0, 0, 0, 255));
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image)) {
        ADD_FAILURE() << "cannot write an icon: " << writer.errorString().toStdString();
    }
    QByteArray data = buffer.data();
    qToLittleEndian<quint16>(2, data.data() + 2);
    qToLittleEndian<quint16>(static_cast<quint16>(hotSpot.x()), data.data() + 10);
    qToLittleEndian<quint16>(static_cast<quint16>(hotSpot.y()), data.data() + 12);
    return data;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

TEST_F(Form1Test, PutsTheCustomPointerOnEveryButtonAndTheZoomBox) {
    writeFile(QDir(folder.path()).filePath(Form1::kPointerFile), cursorFile(QPoint(5, 7)));
    Form1& form = open();
    ASSERT_TRUE(form.customPointer().has_value()) << boxes.errors().join(u'\n').toStdString();
    EXPECT_EQ(form.customPointer()->hotSpot(), QPoint(5, 7));
    EXPECT_EQ(form.customPointer()->shape(), Qt::BitmapCursor);
    for (QPushButton* pushButton : form.findChildren<QPushButton*>()) {
        SCOPED_TRACE(pushButton->objectName().toStdString());
        EXPECT_EQ(pushButton->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(pushButton->cursor().hotSpot(), QPoint(5, 7));
    }
    EXPECT_EQ(control<QCheckBox>(QStringLiteral("cbZoom"))->cursor().shape(), Qt::BitmapCursor);
    // The configuration dialog's buttons carry it too.
    auto* ok = form.configDialog().findChild<QPushButton*>(QStringLiteral("PushButton2"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->cursor().shape(), Qt::BitmapCursor);
    // The window's background keeps the default pointer.
    EXPECT_FALSE(form.testAttribute(Qt::WA_SetCursor));
}

TEST_F(Form1Test, ReportsAPointerFileThatIsNoPictureAndStartsAnyway) {
    writeFile(QDir(folder.path()).filePath(Form1::kPointerFile), "not a cursor at all");
    Form1& form = open();
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().first().contains(u"Form1.Form_Load "));
    EXPECT_TRUE(boxes.errors().first().contains(Form1::kPointerFile));
    EXPECT_FALSE(form.customPointer().has_value());
    // The buttons point with the desktop's hand instead.
    EXPECT_EQ(button(QStringLiteral("PushButton8"))->cursor().shape(), Qt::PointingHandCursor);
    // The steps after it ran.
    EXPECT_NEAR(number(QStringLiteral("tMarginLeft")), 1.0, 1e-5);
    EXPECT_EQ(list(QStringLiteral("cbAbsDiv"))->currentText(), u"1 mm");
}

TEST_F(Form1Test, GoesOnWithTheLaterStepsWhenThePageCannotBeRead) {
    // A page of no height: shaping the preview fails, and so do the mappings
    // that divide by it; the dialogs still load.
    printer = FixedPrinter({QSizeF(210, 0), QRectF(0, 0, 210, 0), Orientation::Portrait});
    store.saveSetting(Key::StyleTemplates, kTestLineSet);
    store.saveSetting(Key::CurrentStyle, QStringLiteral("Test Lines"));
    store.saveSetting(Key::StyleWidthHeavy, QStringLiteral("13"));
    open();
    ASSERT_FALSE(boxes.errors().isEmpty());
    EXPECT_TRUE(boxes.errors().first().contains(u"Form1.Form_Load "));
    EXPECT_TRUE(anyErrorMentions(QStringLiteral("Form1.PushButton18_Click ")));
    EXPECT_EQ(label(QStringLiteral("lineColor0"))->property("colorValue").toUInt(), 255u);
    EXPECT_EQ(label(QStringLiteral("lineWeight0"))->text(), u"13");
    // Later redraws still run and say why they cannot map the sheet.
    EXPECT_TRUE(anyErrorMentions(QStringLiteral("Form1.Form_Load ")));
    boxes.shown.clear();
    list(QStringLiteral("cbAbsScale"))->setCurrentIndex(3);
    ASSERT_FALSE(boxes.errors().isEmpty());
    EXPECT_TRUE(boxes.errors().first().startsWith(u"Division by zero"))
        << boxes.errors().first().toStdString();
}

TEST_F(Form1Test, ShowsTheStoredLineSetInTheLinesBox) {
    store.saveSetting(Key::StyleTemplates, kTestLineSet);
    store.saveSetting(Key::CurrentStyle, QStringLiteral("Test Lines"));
    store.saveSetting(Key::StyleWidthHeavy, QStringLiteral("13"));
    store.saveSetting(Key::StyleWidthMedium, QStringLiteral("8"));
    store.saveSetting(Key::StyleWidthLight, QStringLiteral("5"));
    open();
    const ColorValue colors[] = {255, 65280, 16711680};
    const char* widths[] = {"13", "8", "5"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        QLabel* swatch = label(QStringLiteral("lineColor%1").arg(i));
        EXPECT_EQ(swatch->property("colorValue").toUInt(), colors[i]);
        const QImage shown = swatch->pixmap().toImage();
        ASSERT_FALSE(shown.isNull());
        const QRgb expected[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
        EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2) & 0xFFFFFFu,
                  expected[i] & 0xFFFFFFu);
        EXPECT_EQ(label(QStringLiteral("lineWeight%1").arg(i))->text(), QLatin1String(widths[i]));
    }
}

TEST_F(Form1Test, NamesEveryControlAfterTheDesignAndEveryFieldAfterItsLabel) {
    open();
    struct Caption {
        const char* name;
        const char* text;
    };
    const Caption buttons[] = {
        {"PushButton1", "&Minimize To System Tray (Bottom Right)"},
        {"PushButton2", "Apply"},
        {"PushButton3", "Apply"},
        {"PushButton4", "Apply"},
        {"PushButton5", "Change"},
        {"PushButton6", "Copy"},
        {"PushButton7", "Apply"},
        {"PushButton8", "Print"},
        {"PushButton9", "Save"},
        {"PushButton10", "Center Horizontally"},
        {"PushButton11", "Center Verically"},
        {"PushButton12", "Configuration"},
        {"PushButton13", "Exit"},
        {"PushButton14", "Full Paper"},
        {"PushButton15", "Help"},
        {"PushButton16", "Printer Setup"},
        {"PushButton17", "Shortcuts"},
        {"PushButton18", "Standard Margins"},
    };
    for (const Caption& c : buttons) {
        EXPECT_EQ(button(QLatin1String(c.name))->text(), QLatin1String(c.text)) << c.name;
    }
    const Caption groups[] = {
        {"Frame1", "Preview"},
        {"Frame2", "Outline"},
        {"Frame3", "Design"},
        {"Frame4", "Printing Page"},
        {"Frame5", "Output"},
        {"Frame6", "General"},
        {"GroupBox1", "Abscissa (x-Axis)"},
        {"GroupBox2", "Ordinate (y-Axis)"},
        {"GroupBox3", "Lines"},
    };
    for (const Caption& c : groups) {
        EXPECT_EQ(control<QGroupBox>(QLatin1String(c.name))->title(), QLatin1String(c.text))
            << c.name;
    }
    EXPECT_EQ(control<QCheckBox>(QStringLiteral("cbZoom"))->text(), u"Zoom");
    EXPECT_EQ(control<QRadioButton>(QStringLiteral("rbPortrait"))->text(), u"Portrait");
    EXPECT_EQ(control<QRadioButton>(QStringLiteral("rbLandscape"))->text(), u"Landscape");

    const Caption spoken[] = {
        {"tMarginLeft", "Left"},   {"tMarginTop", "Top"},    {"tSizeWidth", "Width"},
        {"tSizeHeight", "Height"}, {"tAbsDiv", "Divisions"}, {"tOrdDiv", "Divisions"},
    };
    for (const Caption& c : spoken) {
        EXPECT_EQ(field(QLatin1String(c.name))->accessibleName(), QLatin1String(c.text)) << c.name;
    }
    for (QLineEdit* edit : form->findChildren<QLineEdit*>()) {
        EXPECT_FALSE(edit->accessibleName().isEmpty()) << edit->objectName().toStdString();
    }
    for (QComboBox* combo : form->findChildren<QComboBox*>()) {
        EXPECT_FALSE(combo->accessibleName().isEmpty()) << combo->objectName().toStdString();
    }
    const Caption rules[] = {
        {"tAbsDiv", "validate_decimal"},
        {"tOrdDiv", "validate_decimal"},
        {"tMarginLeft", "validate_required;validate_decimal"},
        {"tMarginTop", "validate_required;validate_decimal"},
        {"tSizeWidth", "validate_required;validate_decimal"},
        {"tSizeHeight", "validate_required;validate_decimal"},
    };
    for (const Caption& c : rules) {
        EXPECT_EQ(field(QLatin1String(c.name))->property("Tag").toString(), QLatin1String(c.text))
            << c.name;
    }
}

TEST_F(Form1Test, FitsAScreenOf1366By768) {
    Form1& form = open();
    const QSize least = form.minimumSizeHint();
    // Room is left for the title bar and a desktop panel.
    EXPECT_LE(least.width(), 1366);
    EXPECT_LE(least.height(), 768 - 60);
    form.resize(least);
    form.show();
    QApplication::processEvents();
    // At its smallest every control lies inside the window with room for its
    // caption.
    for (QWidget* child : form.findChildren<QWidget*>()) {
        const bool captioned =
            qobject_cast<QLabel*>(child) != nullptr || qobject_cast<QPushButton*>(child) != nullptr;
        if (!child->isVisible() || child->objectName().isEmpty() || !captioned) {
            continue;
        }
        SCOPED_TRACE(child->objectName().toStdString());
        const QRect inWindow(child->mapTo(&form, QPoint(0, 0)), child->size());
        EXPECT_TRUE(form.rect().contains(inWindow));
        EXPECT_GE(child->width(), child->minimumSizeHint().width());
    }
    form.hide();
}

}  // namespace
}  // namespace lattora::test
