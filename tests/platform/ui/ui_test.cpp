// The save dialog's filters, the system clipboard, the error report and the
// boxes of a window's start-up.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#include "platform/ui/clipboard.h"
#include "platform/ui/errorreport.h"
#include "platform/ui/messageboxes.h"
#include "platform/ui/savedialog.h"
#include "sheet/error.h"
#include "tests/support/recordingboxes.h"

using namespace lattora;
using namespace Qt::StringLiterals;

// The kept "description|patterns|" text as the dialog's filters: the
// patterns shown in parentheses unless the description shows them already;
// an empty string: refused.
TEST(SaveDialog, ReadsTheKeptFilterText) {
    const std::pair<const char*, const char*> rows[] = {
        {"BMP File (*.bmp)|*.bmp|", "BMP File (*.bmp)"},
        {"Bitmaps|*.bmp", "Bitmaps (*.bmp)"},
        {"JPEG File|*.jpg;*.jpeg|All Files|*.*|", "JPEG File (*.jpg *.jpeg)\nAll Files (*.*)"},
        {"", ""},
        {"BMP File (*.bmp)|", nullptr},
        {"BMP File|*.bmp|PNG File|", nullptr},
        {"|*.bmp|", nullptr},
        {"BMP File||", nullptr}};
    for (const auto& [kept, expected] : rows) {
        const QString text = QString::fromUtf8(kept);
        if (!expected) {
            EXPECT_THROW(dialogFilters(text), Error) << kept;
        } else {
            EXPECT_EQ(dialogFilters(text).join(u'\n'), QString::fromUtf8(expected)) << kept;
        }
    }
    EXPECT_EQ(dialogFilters(kBmpFilter), QStringList{u"BMP File (*.bmp)"_s});
}

TEST(Clipboard, PlacesAndClearsThePictureAndRefusesANullOne) {
    QtClipboard clipboard;
    QImage picture(5, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(clipboard.setImage(picture));
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
    ASSERT_TRUE(clipboard.clear());
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    EXPECT_FALSE(clipboard.setImage(QImage()));
}

// What failed, CR LF, where (window, handler and the statement's line), two
// CRs and whom to send it to; whatever failed is reported, and the boxes show
// stored values as they are, never as markup.
TEST(ErrorReport, NamesWhatFailedAndWhere) {
    test::RecordingBoxes boxes;
    ErrorReport report(boxes);
    ReportingScope scope(report, u"Form1"_s, u"PushButton8_Click"_s);
    const std::function<void()> failures[] = {[] { throw Error(u"<b>Disk full</b>"_s); },
                                              [] { throw std::bad_alloc(); }, [] { throw 1; }};
    const int line = __LINE__ + 2;  // the line of the statement that failed
    for (const auto& failure : failures)
        EXPECT_FALSE(scope(failure));
    EXPECT_TRUE(scope([] {}) && scope.failed());
    const QString where =
        u"\r\nin LattoraGrid2021/08/31.Form1.PushButton8_Click at line %1\r\r"_s.arg(line) +
        u"Please send a screenshot of this message to "_s;
    EXPECT_EQ(boxes.errors(), (QStringList{u"<b>Disk full</b>"_s + where + kSupportAddress + u'.',
                                           u"Out of memory"_s + where + kSupportAddress + u'.',
                                           u"Unknown error"_s + where + kSupportAddress + u'.'}));
    for (const bool error : {false, true}) {
        std::unique_ptr<QMessageBox> box(createMessageBox(nullptr, u"<b>x</b>"_s, error));
        EXPECT_EQ(std::pair(box->textFormat(), box->text()),
                  std::pair(Qt::PlainText, u"<b>x</b>"_s));
    }
}

// Boxes raised before the window first paints wait for that paint and then
// come in order, over the window; later ones come at once.
TEST(StartUpBoxes, FollowTheWindowsFirstPaint) {
    struct Window : QWidget {
        void paintEvent(QPaintEvent*) override { log << u"paint"_s; }
        QStringList log;
    } window;
    struct Logging : test::RecordingBoxes {
        void showMessage(QWidget* p, const QString& t) override {
            log->append(t);
            RecordingBoxes::showMessage(p, t);
        }
        void showError(QWidget* p, const QString& t) override {
            log->append(t);
            RecordingBoxes::showError(p, t);
        }
        QStringList* log = nullptr;
    } shown;
    shown.log = &window.log;
    BoxesAfterFirstPaint boxes(shown);
    boxes.holdUntilPainted(window);
    boxes.showError(&window, u"first"_s);
    boxes.showMessage(&window, u"second"_s);
    window.show();
    for (int i = 0; i < 50 && window.log.size() < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    boxes.showMessage(&window, u"later"_s);
    EXPECT_EQ(window.log.join(u' '), u"paint first second later"_s);
    EXPECT_TRUE(shown.errors() == QStringList{u"first"_s} && shown.shown[1].text == u"second"_s);
}
