// The line-set dialog over an in-memory store, with message boxes recorded and
// a colour chooser that answers at once.
#pragma once

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <memory>
#include <optional>
#include <stdexcept>

#include "linesets/frmstyles.h"
#include "platform/ui/colorchooser.h"
#include "platform/ui/errorreport.h"
#include "tests/linesets/printers.h"
#include "tests/support/memorystore.h"
#include "tests/support/recordingboxes.h"

namespace lattora::test {

class AnsweringChooser : public ColorChooser {
public:
    std::optional<ColorValue> chooseColor(QWidget*, ColorValue initial) override {
        offered << initial;
        return answer;
    }

    std::optional<ColorValue> answer;  // nothing: the user cancels
    QList<ColorValue> offered;         // the colour each question started from
};

// The built-in sets' positions in the list.
enum BuiltIn { kBlack = 0, kBlue, kDarkGray, kGreen, kLightGray, kRed, kYellow };

class StylesDialogTest : public ::testing::Test {
public:
    // A dialog as the program has it before it is shown: created, then loaded.
    FrmStyles& open(SettingsStore& from) {
        dialog = std::make_unique<FrmStyles>(from, report, chooser);
        QObject::connect(dialog.get(), &FrmStyles::linesShown,
                         [this](const LineColors& colors, const LineWidths& widths) {
                             shown << std::pair(colors, widths);
                         });
        dialog->LoadSettings();
        return *dialog;
    }
    FrmStyles& open() { return open(store); }

    template <class Control>
    Control* control(const char* objectName) const {
        auto* found = dialog->findChild<Control*>(QLatin1String(objectName));
        if (found == nullptr) {
            ADD_FAILURE() << "no control " << objectName;
            throw std::runtime_error(objectName);
        }
        return found;
    }
    QListWidget* list() const { return control<QListWidget>("lbSetofLines"); }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    QComboBox* styleList() const { return control<QComboBox>("cbSubDivStyle"); }

    QStringList shownNames() const {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i) {
            names << list()->item(i)->text();
        }
        return names;
    }
    void select(int row) const { list()->setCurrentRow(row); }
    void type(const char* name, const QString& text) const { field(name)->setText(text); }
    void pick(const char* picker, std::optional<ColorValue> color) {
        chooser.answer = color;
        button(picker)->click();
    }
    QString colorStringAt(qsizetype index) const {
        return dialog->editor().sets.at(index).colorString;
    }
    QString stored(const QString& key) const { return store.getSetting(key, QString()); }
    QColor background(const char* name) const {
        return field(name)->palette().color(QPalette::Base);
    }
    // The background of a field that passes its checks.
    static QColor normalBackground() { return QLineEdit().palette().color(QPalette::Base); }

    MemoryStore store;
    RecordingBoxes boxes;
    ErrorReport report{boxes};
    AnsweringChooser chooser;
    std::unique_ptr<FrmStyles> dialog;
    QList<std::pair<LineColors, LineWidths>> shown;  // linesShown, in order
};

// Two stored sets, "Ink" current, metric widths.
inline MemoryStore storeWithTwoSets() {
    return MemoryStore{{Key::StyleTemplates, QStringLiteral("Pencil~8421504|8421504|12632256|"
                                                            "12632256|dot\r\n"
                                                            "Ink~16711680|255|65280|0|dash\r\n")},
                       {Key::CurrentStyle, QStringLiteral("Ink")},
                       {Key::Scale, QStringLiteral("Metric")},
                       {Key::StyleWidthHeavy, QStringLiteral("13")},
                       {Key::StyleWidthMedium, QStringLiteral("8")},
                       {Key::StyleWidthLight, QStringLiteral("5")}};
}

}  // namespace lattora::test
