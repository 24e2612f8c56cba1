// The main window over an in-memory store, a fixed printer page and recorded
// message boxes, driven through its controls as a user would. The rules
// themselves belong to the outline geometry, the preview pane, the printer
// and the renderer and are tested there; these tests check that each handler
// hands the right rule on to the preview, the sheet, the fields and the
// redraw, and goes on after a failing step.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <functional>

#include "mainwindow/form1.h"
#include "mainwindow/form2.h"
#include "mainwindow/outlinegeometry.h"
#include "mainwindow/previewpane.h"
#include "platform/print/printdialog.h"
#include "platform/ui/savedialog.h"
#include "sheet/numbertext.h"
#include "sheet/settingsstore.h"
#include "tests/support/fakeclipboard.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fakesavedialog.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/memorystore.h"
#include "tests/support/pixels.h"
#include "tests/support/recordingboxes.h"
#include "validation/validation.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

// Every digit (QRectF's own == is fuzzy).
const auto str = [](const QRectF& r) {
    return QString::asprintf("%.17g %.17g %.17g %.17g", r.x(), r.y(), r.width(), r.height());
};

// Answers the printer dialog with a fixed choice or cancels; keeps the start.
struct AnsweringPrintDialog : PrintDialog {
    std::optional<PrinterChoice> choose(QWidget*, const PrintDialogStart& s) override {
        return started = s.current.printerName, answer;
    }
    std::optional<PrinterChoice> answer;
    QString started;
};

class Form1Test : public ::testing::Test {
public:
    Form1& open() {
        form = std::make_unique<Form1>(store, printer, boxes, chooser, nullptr, folder.path());
        form->setQuitter([this] { ++quits; });
        form->setSaveDialog(saveDialog);
        form->setClipboard(clipboard);
        form->setPrintDialog(printDialog);
        form->Form_Load();
        draws = 0;
        QObject::connect(form.get(), &Form1::paperDrawn, [this] { ++draws; });
        return *form;
    }
    // The control called `name`; the test stops here if there is none.
    template <class Control = QWidget>
    Control* w(const QString& name) const {
        auto* found = form->findChild<Control*>(name);
        return found ? found : throw std::runtime_error("no control " + name.toStdString());
    }
    // The texts of the labels, fields and group boxes called `names`.
    QString shown(const char* names) const {
        QStringList texts;
        for (const QString& name : QString::fromLatin1(names).split(u' '))
            texts
                << w(name)->property(w(name)->inherits("QGroupBox") ? "title" : "text").toString();
        return texts.join(u'|');
    }
    void click(const char* name) const { w<QAbstractButton>(QLatin1String(name))->click(); }
    QSizeF picture() const { return form->preview().paperPictureTwips(); }
    QRectF outline() const { return form->preview().outline(); }
    QSizeF printable() const {
        return {printer.page().printableWidth, printer.page().printableHeight};
    }
    QRectF area() const {
        const SheetSettings& s = form->sheet();
        return {s.marginLeft, s.marginTop, s.areaWidth, s.areaHeight};
    }
    QRectF standard() const {
        return outlineFromSheet(standardMarginArea(printable(), UnitSystem::Metric), printable(),
                                picture());
    }
    // The sheet holds the outline's lengths; the fields show them to fifteen
    // significant digits and, applied unchanged, give them back exactly.
    void expectSheetFollowsTheOutline(bool apply = false) {
        const QString sheet = str(area());
        EXPECT_EQ(sheet, str(sheetFromOutline(outline(), picture(), printable())));
        const QStringList f = shown("tMarginLeft tMarginTop tSizeWidth tSizeHeight").split(u'|');
        const double v[] = {area().x(), area().y(), area().width(), area().height()};
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(parseNumber(f[i]), v[i], 1e-14 * std::fabs(v[i])) << f[i].toStdString();
            EXPECT_LE(QString(f[i]).remove(QRegularExpression(u"^[-0.]*|\\.|e.*$"_s)).size(), 15);
        }
        if (apply) {
            click("PushButton2");
            click("PushButton3");
            EXPECT_EQ(str(area()), sheet);
        }
    }

    // Heavy red, medium green, light blue.
    MemoryStore store{{Key::Scale, kMetricWord},
                      {Key::StyleWidthHeavy, u"13"_s},
                      {Key::StyleWidthLight, u"5"_s},
                      {Key::StyleTemplates, u"Test~255|65280|16711680|8421504|dot\r\n"_s},
                      {Key::CurrentStyle, u"Test"_s}};
    // A4 with 5 mm all round that cannot be printed: 20 cm by 28.7 cm printable.
    FixedPrinter printer{{QSizeF(210, 297), QRectF(5, 5, 200, 287), Orientation::Portrait}};
    RecordingBoxes boxes;
    NoColorChooser chooser;
    FakeSaveDialog saveDialog;
    FakeClipboard clipboard;
    AnsweringPrintDialog printDialog;
    QTemporaryDir folder;
    std::unique_ptr<Form1> form;
    int quits = 0, draws = 0;  // requests to end the program; both previews drawn anew
};

// The page labels: hundredths, half to even on the single value itself, no
// trailing zeros, no "-0".
TEST(ExtentText, RoundsToHundredths) {
    const std::pair<float, const char*> rows[] = {
        {20.125f, "20.12"}, {20.135f, "20.14"}, {20.115f, "20.11"}, {-0.001f, "0"}};
    for (const auto& [extent, shown] : rows)
        EXPECT_EQ(extentText(extent), QLatin1String(shown)) << extent;
}

// Whether the ink of `image` lies within `slack` pixels of where `lengths`
// (`perInch` to the inch) are at the image's resolution.
bool inkAt(const QImage& image, const QRectF& lengths, double perInch, int slack) {
    const QRect r = inkBounds(image, image.rect(), Qt::white);
    const double dpi = image.dotsPerMeterX() * 0.0254 / perInch;
    const QPointF a = lengths.topLeft() * dpi, b = lengths.bottomRight() * dpi;
    const long off[] = {r.left() - std::lround(a.x()), r.top() - std::lround(a.y()),
                        r.right() - std::lround(b.x()), r.bottom() - std::lround(b.y())};
    return std::all_of(off, off + 4, [&](long d) { return std::abs(d) <= slack; });
}

// The standard margins, every digit in the fields, the unit captions, the
// printer's unit and the first division counts, the stored line set in the
// "Lines" box, and both pictures drawn where the sheet and the outline say
// (lines at their nearest pixel; the page picture passes through the sheet
// unit and back: a pixel either way). The line-set dialog's buttons point
// with the hand, as those of the window and of its other dialogs do.
TEST_F(Form1Test, StartsWithTheStandardMargins) {
    PreviewPane& pane = open().preview();
    EXPECT_EQ(str(outline()), str(standard()));
    expectSheetFollowsTheOutline();
    EXPECT_EQ(shown("gbMargins gbSize lblLineWeight pagewidth pageheight lineWeight0 lineWeight1 "
                    "lineWeight2 tAbsDiv tOrdDiv"),
              u"Margins (cm)|Size (cm)|1/100 mm|Width = 20 cm|Height = 28.7 cm|13|8|5|30|30");
    EXPECT_TRUE(inkAt(pane.printPicture().image(), area(), 2.54, 0) &&
                inkAt(pane.paperPicture().image(), outline(), 1440, 1));
    EXPECT_TRUE(w(u"lblNoPrinter"_s)->isHidden() && boxes.shown.isEmpty() &&
                printer.scaleMode() == Unit::Centimetre);
    for (const QPushButton* button : form->stylesDialog().findChildren<QPushButton*>())
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

// Apply margins, Apply size and each axis's Apply take their fields as typed
// and redraw; a field that is no number (for a division count, no whole
// number) is reported, its value stays, and the other is applied. The outline follows the sheet;
// the fields keep the text. Typing in any field but the top margin colours the window's fields.
TEST_F(Form1Test, ApplyTakesTheTypedValues) {
    const char* const rows[][6] = {
        // button, field, text, field, text, sheet (margins, size, divisions)
        {"PushButton2", "tMarginLeft", "abc", "tMarginTop", "2.5", "1 2.5 18 26.7 30 30"},
        {"PushButton2", "tMarginTop", "abc", "tMarginLeft", "2.5", "2.5 1 18 26.7 30 30"},
        {"PushButton3", "tSizeWidth", "12.5", "tSizeHeight", "7.25", "1 1 12.5 7.25 30 30"},
        {"PushButton3", "tSizeWidth", "abc", "tSizeHeight", "2.5", "1 1 18 2.5 30 30"},
        {"PushButton4", "tAbsDiv", "12", "tOrdDiv", "7.5", "1 1 18 26.7 12 30"},
        {"PushButton7", "tOrdDiv", "7.5", "tAbsDiv", "12", "1 1 18 26.7 30 30"},
        {"PushButton7", "tAbsDiv", "12", "tOrdDiv", "8", "1 1 18 26.7 30 8"}};
    for (const auto& [button, first, text, second, other, sheet] : rows) {
        const SheetSettings& s = open().sheet();
        const bool bad = qstrcmp(text, "abc") == 0 || qstrcmp(text, "7.5") == 0;
        w<QLineEdit>(QLatin1String(first))->setText(QLatin1String(text));
        EXPECT_EQ(w(QLatin1String(first))->palette().color(QPalette::Base) == kMalformedColor,
                  bad && qstrcmp(first, "tMarginTop") != 0);
        auto* typed = w<QLineEdit>(QLatin1String(second));
        typed->setText(QLatin1String(other));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        if (qstrcmp(first, "tSizeWidth") == 0)  // Return applies the field's group
            QApplication::sendEvent(typed, &enter);
        else
            click(button);
        EXPECT_EQ(QString::asprintf("%.5g %.5g %.5g %.5g %.5g %.5g", s.marginLeft, s.marginTop,
                                    s.areaWidth, s.areaHeight, s.abscissa.divisions,
                                    s.ordinate.divisions),
                  QLatin1String(sheet));
        EXPECT_TRUE(str(outline()) == str(outlineFromSheet(area(), printable(), picture())) &&
                    shown(second) == QLatin1String(other) && draws == 1);
        EXPECT_EQ(boxes.errors().join(u'|').contains(QLatin1String(button) + u"_Click "_s), bad);
        click("PushButton18");  // the texts a command writes are coloured as typed ones
        for (const char* f : {"tMarginLeft", "tMarginTop", "tSizeWidth", "tSizeHeight"})
            EXPECT_NE(w(QLatin1String(f))->palette().color(QPalette::Base), kMalformedColor);
        boxes.shown.clear();
    }
}

// The commands that start from the outline apply their own rule; the sheet
// and the fields follow it, and the preview is redrawn. Turning the page
// turns the printer's and puts the standard margins on the new shape; the
// orientation already chosen changes nothing.
TEST_F(Form1Test, OutlineCommandsMoveTheOutlineAndTheFieldsFollow) {
    Form1& form = open();
    const QRectF start(100, 200, 1000, 1500);
    const std::pair<const char*, std::function<QRectF()>> rows[] = {
        {"PushButton10", [&] { return centredTopToBottom(start, picture()); }},
        {"PushButton11", [&] { return centredSideToSide(start, picture()); }},
        {"PushButton14", [&] { return fullPaperOutline(picture()); }},
        {"rbPortrait", [&] { return start; }},  // already chosen: nothing
        {"PushButton18", [&] { return standard(); }},
        {"rbLandscape", [&] { return standard(); }}};
    for (const auto& [button, rule] : rows) {
        form.preview().setOutline(start);
        form.MapPreviewToActual();
        draws = 0;
        click(button);
        EXPECT_TRUE(str(outline()) == str(rule()) && (draws == 0) == (rule() == start)) << button;
        expectSheetFollowsTheOutline(true);
    }
    EXPECT_TRUE(printer.orientation() == 2 && picture().width() > picture().height());
}

// Real mouse events on the preview's surfaces, in pixels read as twips. A
// move without a press only hovers: over the area a dotted border and the
// handles, beside it neither. A press anywhere moves the area by the
// pointer's travel, the sheet and the fields following every step and the
// grid redrawn only at the release. The corner handle sizes both ways and the
// others hide while it is dragged; the release redraws and hovers with the
// handle's own coordinates, outside an area off the page's corner.
TEST_F(Form1Test, DraggingOnThePreview) {
    PreviewPane& pane = open().preview();
    const QRectF start(1200, 900, 1800, 3000);
    const double t = 1440.0 / pane.screenDpiX();  // twips per pixel
    const auto send = [&](const char* surface, QEvent::Type type, double x, double y) {
        const auto held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, {x, y}, {x, y}, button, held, {});
        QApplication::sendEvent(w(QLatin1String(surface)), &e);
    };
    const auto hover = [&] {  // the handles shown as bits, negative when dotted
        return (pane.handleVisible(0) | pane.handleVisible(1) << 1 | pane.handleVisible(2) << 2) *
               (pane.outlineBorderStyle() == Qt::DotLine ? -1 : 1);
    };
    pane.setOutline(start);
    send("pPaper", QEvent::MouseButtonPress, 10, 10);
    send("pPaper", QEvent::MouseMove, 22, 17);
    EXPECT_TRUE(str(outline()) == str(start.translated(12 * t, 7 * t)) && draws == 0);
    expectSheetFollowsTheOutline();
    send("pPaper", QEvent::MouseButtonRelease, 22, 17);
    EXPECT_TRUE(!form->dragActive() && draws == 1);
    pane.setOutline(start);
    send("pPaper", QEvent::MouseMove, start.center().x() / t, start.center().y() / t);
    send("pSize1", QEvent::MouseButtonPress, 5, 5);
    send("pSize1", QEvent::MouseMove, 5 - 20, 5 + 10);
    EXPECT_EQ(hover(), -2);
    EXPECT_EQ(str(outline()), str(QRectF(start.topLeft(), start.size() + QSizeF(-20, 10) * t)));
    expectSheetFollowsTheOutline();
    send("pSize1", QEvent::MouseButtonRelease, 5 - 20, 5 + 10);
    EXPECT_TRUE(draws == 2 && hover() == 0);
}

// The name's own extension wins over the filter, in any case; a name without
// a known one is written as the filter says, and no filter means a bitmap. A
// bitmap is the full-size page as the preview shows it, drawn afresh first.
// Copy draws the sheet and puts the full-size page on the clipboard, or says
// it is busy; a clear that never succeeds does not stop it.
TEST_F(Form1Test, SaveAndCopyTheSheetAsItIsNow) {
    Form1& form = open();
    const QString bmp = dialogFilters(kBmpFilter)[0];
    const QTemporaryDir out;
    const QString filters[] = {bmp, kPdfFilter, kSvgFilter, kPngFilter, QString()};
    const auto save = [&](const char* name, int filter) {
        saveDialog.choose(out.filePath(QLatin1String(name)), filters[filter]);
        click("PushButton9");
        QFile file(out.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const std::tuple<const char*, int, const char*> rows[] = {
        {"b", 1, "%PDF-"},      {"c", 2, "<svg"},        {"d", 3, "\x89PNG"},
        {"e.v2", 3, "\x89PNG"}, {"f", 4, "BM"},          {"g.pdf", 0, "%PDF-"},
        {"H.SVG", 0, "<svg"},   {"i.Png", 1, "\x89PNG"}, {"j.bmp", 2, "BM"}};
    for (const auto& [name, filter, kind] : rows)  // the SVG after its XML declaration
        EXPECT_TRUE(save(name, filter).left(100).contains(kind)) << name;
    EXPECT_TRUE(boxes.messages() == QStringList(9, u"Saved."_s) && draws == 9);
    EXPECT_EQ(QImage::fromData(save("page.bmp", 0)).convertToFormat(QImage::Format_RGB32),
              form.preview().printPicture().image().convertToFormat(QImage::Format_RGB32));
    boxes.shown.clear();
    save("none/x.pdf", 0);  // a file that cannot be written is no fault of the program
    EXPECT_TRUE(boxes.errors().isEmpty() && boxes.messages().size() == 1 &&
                boxes.messages()[0].startsWith(u"Cannot save \""_s));
    boxes.shown.clear();
    clipboard = FakeClipboard(-1, -1);  // busy for ever
    form.preview().clearPrintPicture();
    click("PushButton6");
    EXPECT_TRUE(boxes.errors().size() == 1 && boxes.messages().isEmpty());
    clipboard = FakeClipboard(-1, 0);  // never cleared, but set
    click("PushButton6");
    EXPECT_TRUE(boxes.messages().size() == 1 &&
                clipboard.picture.convertToFormat(QImage::Format_RGB32) ==
                    form.preview().printPicture().image() &&
                !inkBounds(clipboard.picture, clipboard.picture.rect(), Qt::white).isEmpty());
}

// The set-up starts from the current printer and cancelled changes nothing.
// Only the dialog's name is upper-cased before the comparison, so a current
// printer with small letters is selected anew and every match in turn; each
// setting is then handed over in order, a refused one (no copies) reported
// and the rest still taken, and the new page (A5 landscape) gets the
// standard margins.
TEST_F(Form1Test, PrinterSetupSelectsThePrinterAndHandsOverItsSettings) {
    printer.setInstalledPrinters({u"Office"_s, u"Test Printer"_s, u"TEST PRINTER"_s});
    open();
    click("PushButton16");
    EXPECT_TRUE(printDialog.started == u"Test Printer" && printer.calls().isEmpty() &&
                !printer.tracksDefault());
    printDialog.answer = PrinterChoice{
        u"Test Printer"_s,        0,    2, ColorMode::Monochrome, DuplexMode::LongEdge,
        QPageSize(QPageSize::A5), 1200, {}};
    click("PushButton16");
    EXPECT_EQ(printer.calls().join(u'|'),
              u"select Test Printer|select TEST PRINTER|file |orientation 2|color 1|duplex 2|"
              "paper A5|quality 1200");
    EXPECT_TRUE(boxes.errors().size() == 1 && str(outline()) == str(standard()));
}

// A tray the test can click.
struct FakeTray : TrayIcon {
    bool available() const override { return true; }
    void show() override { shown = true; }
    void hide() override { shown = false; }
    bool shown = false;
};

// The window hides, and a notice says how to come back; the tray icon brings
// it back and takes the notice away. Shown again, the
// notice counts afresh on a one-second clock and goes on the third tick, not
// the second; a busy pointer stays over it. Exit ends the program, takes the
// notice and the dialogs away and saves nothing.
TEST_F(Form1Test, GoingToTheTrayAndExit) {
    FakeTray tray;
    Form1& form = open();
    form.show();
    form.setTrayIcon(tray);
    Form2& notice = form.trayNotice();
    click("PushButton1");
    EXPECT_TRUE(!form.isVisible() && tray.shown && notice.isVisible() && notice.ticking());
    tray.onActivated();
    EXPECT_TRUE(form.isVisible() && !tray.shown && !notice.isVisible());
    notice.Timer1_Timer();
    click("PushButton1");
    EXPECT_TRUE(notice.ticks() == 0 && notice.tickInterval() == std::chrono::seconds(1));
    notice.Timer1_Timer();
    notice.Timer1_Timer();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    notice.Form_MouseMove();
    QGuiApplication::restoreOverrideCursor();
    EXPECT_TRUE(notice.isVisible() && notice.ticking() && !notice.testAttribute(Qt::WA_SetCursor));
    notice.Timer1_Timer();
    EXPECT_FALSE(notice.isVisible() || notice.loaded() || notice.ticking());
    click("PushButton13");
    EXPECT_TRUE(quits == 1 && store.writes().isEmpty() && !form.isVisible() && !tray.shown &&
                boxes.shown.isEmpty());
}

// The notice is flush with the right edge, its top 775 twips above the
// bottom: 51.7 pixels at 96 dpi, 64.6 at 120, 103.3 at 192. One line high, as
// wide as the wider of caption and message plus 100 twips: 6.7 pixels at 96
// dpi, 10 at 144.
TEST(Form2, NoticeSizeAndPosition) {
    EXPECT_EQ(noticePosition(QRect(1366, 40, 1920, 1040), QSize(410, 20), 120), QPoint(2876, 1015));
    EXPECT_EQ(noticePosition(QRect(-1280, 0, 1280, 1024), QSize(200, 16), 192), QPoint(-200, 921));
    const QFontMetrics m(QFont(u"Sans"_s, 12));
    const int wide = m.horizontalAdvance(u"A longer text"_s);
    EXPECT_EQ(noticeSize(m, u"A longer text"_s, u"Hi"_s, 96), QSize(wide + 7, m.height()));
    EXPECT_EQ(noticeSize(m, u"Hi"_s, u"A longer text"_s, 144), QSize(wide + 10, m.height()));
}

}  // namespace
// Whatever screen the window opens on (ctest opens it on 1024 x 600 at 100 %
// and 1366 x 768 at 125 % and 150 %), it and each of its dialogs lie on the
// screen, every control either on the window or inside a scroll area that
// is, and no control is smaller than it asks to be (a field may be narrower
// than its text, a wrapped label than its one line).
TEST_F(Form1Test, WindowAndDialogsFitTheScreen) {
    Form1& form = open();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (QWidget* window : std::initializer_list<QWidget*>{
             &form, &form.configDialog(), &form.stylesDialog(), &form.shortcutsDialog()}) {
        SCOPED_TRACE(window->objectName().toStdString());
        window->show();
        QApplication::processEvents();
        EXPECT_TRUE(screen.contains(window->frameGeometry()))
            << window->frameGeometry().width() << "x" << window->frameGeometry().height();
        for (QWidget* c : window->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(c);
            if (!c->isVisibleTo(window) || (label && label->text().isEmpty()) ||
                !(label || c->inherits("QAbstractButton") || c->inherits("QComboBox") ||
                  c->inherits("QLineEdit")))
                continue;
            const bool shrinks = c->inherits("QLineEdit") || (label && label->wordWrap());
            const QSize wanted = shrinks ? c->minimumSizeHint() : c->sizeHint();
            EXPECT_TRUE(c->width() >= wanted.width() && c->height() >= wanted.height())
                << c->objectName().toStdString() << " " << c->width() << "x" << c->height();
            // Reachable: on the window, or in a scroll area that is.
            QWidget* shown = c;
            for (QWidget* up = c->parentWidget(); up != window; up = up->parentWidget())
                if (up->inherits("QScrollArea"))
                    shown = up;
            EXPECT_TRUE(
                window->rect().contains(QRect(shown->mapTo(window, QPoint()), shown->size())))
                << c->objectName().toStdString();
        }
        window->hide();
    }
}

}  // namespace lattora::test
