// The main window over an in-memory store, a fixed printer page and recorded
// message boxes, driven through its controls as a user would.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cfloat>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "mainwindow/form1.h"
#include "mainwindow/outlinegeometry.h"
#include "mainwindow/previewpane.h"
#include "platform/print/printer.h"
#include "platform/ui/colorchooser.h"
#include "sheet/numbertext.h"
#include "sheet/settingsstore.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/memorystore.h"
#include "tests/support/recordingboxes.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '[' << texts.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace lattora::test {

using namespace Qt::StringLiterals;

// A4 with 5 mm all round that cannot be printed: 20 cm by 28.7 cm printable.
inline PageSetup a4Page() {
    return {QSizeF(210, 297), QRectF(5, 5, 200, 287), Orientation::Portrait};
}

// Letter with no hardware margins.
inline PageSetup letterPage() {
    return {QSizeF(215.9, 279.4), QRectF(0, 0, 215.9, 279.4), Orientation::Portrait};
}

// A page with a printable area `widthMm` wide and 250 mm high.
inline PageSetup pageWithPrintableWidth(double widthMm) {
    return {QSizeF(widthMm + 10, 260), QRectF(5, 5, widthMm, 250), Orientation::Portrait};
}

// Heavy red, medium green, light blue, subdivision grey: the classes can be
// told apart on the pictures.
inline const QString kTestLineSet = QStringLiteral("Test Lines~255|65280|16711680|8421504|dot\r\n");

class Form1Test : public ::testing::Test {
public:
    Form1& open() {
        form = std::make_unique<Form1>(store, printer, boxes, chooser, nullptr, folder.path());
        form->setQuitter([this] { ++quits; });
        form->Form_Load();
        return *form;
    }

    template <class Control>
    Control* control(const QString& name) const {
        auto* found = form->findChild<Control*>(name);
        if (found == nullptr) {
            ADD_FAILURE() << "no control " << name.toStdString();
            // Thrown so the test stops here rather than on a null pointer.
            throw std::runtime_error(name.toStdString());
        }
        return found;
    }
    QLineEdit* field(const QString& name) const { return control<QLineEdit>(name); }
    QPushButton* button(const QString& name) const { return control<QPushButton>(name); }
    QComboBox* list(const QString& name) const { return control<QComboBox>(name); }
    QLabel* label(const QString& name) const { return control<QLabel>(name); }

    // The number a field shows.
    double number(const QString& name) const { return parseNumber(field(name)->text()); }
    void type(const QString& name, const QString& text) const { field(name)->setText(text); }
    void click(const QString& name) const { button(name)->click(); }

    // Heavy red, medium green, light blue: the line classes tell apart.
    void useTestLineSet() {
        store.saveSetting(Key::StyleTemplates, kTestLineSet);
        store.saveSetting(Key::CurrentStyle, QStringLiteral("Test Lines"));
    }
    // The graph area 2.54 cm and 5.08 cm into the printable area, 12.7 cm by
    // 15.24 cm, typed and applied as a user would.
    void applyTestArea() const {
        type(QStringLiteral("tMarginLeft"), QStringLiteral("2.54"));
        type(QStringLiteral("tMarginTop"), QStringLiteral("5.08"));
        click(QStringLiteral("PushButton2"));
        type(QStringLiteral("tSizeWidth"), QStringLiteral("12.7"));
        type(QStringLiteral("tSizeHeight"), QStringLiteral("15.24"));
        click(QStringLiteral("PushButton3"));
    }

    PrinterPage page() const { return printer.page(); }
    // The printable area's width and height in the sheet unit.
    QSizeF printable() const {
        const PrinterPage p = page();
        return {p.printableWidth, p.printableHeight};
    }
    QSizeF picture() const { return form->preview().paperPictureTwips(); }
    QRectF outline() const { return form->preview().outline(); }

    QColor background(const QString& name) const {
        return field(name)->palette().color(QPalette::Base);
    }
    static QColor normalBackground() { return QLineEdit().palette().color(QPalette::Base); }

    bool anyErrorMentions(const QString& text) const {
        for (const QString& error : boxes.errors()) {
            if (error.contains(text)) {
                return true;
            }
        }
        return false;
    }

    MemoryStore store{{Key::Scale, kMetricWord}};
    FixedPrinter printer{a4Page()};
    RecordingBoxes boxes;
    NoColorChooser chooser;
    QTemporaryDir folder;
    std::unique_ptr<Form1> form;
    int quits = 0;  // requests to end the program
};

// Equal up to a few units in the last place of a single.
inline ::testing::AssertionResult nearSingle(double actual, double expected) {
    const double tolerance = 4 * FLT_EPSILON * std::max(std::fabs(expected), 1e-30);
    if (std::fabs(actual - expected) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << formatNumber(actual).toStdString() << " is not "
           << formatNumber(expected).toStdString() << " within single precision";
}

}  // namespace lattora::test
