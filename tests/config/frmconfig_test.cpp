#include "config/frmconfig.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>

#include "platform/settings/qsettingsstore.h"
#include "platform/ui/errorreport.h"
#include "sheet/error.h"
#include "tests/config/printers.h"
#include "tests/support/memorystore.h"
#include "tests/support/recordingboxes.h"
#include "validation/validation.h"

namespace lattora {
namespace {

using namespace Qt::StringLiterals;
using test::MemoryStore;
using test::RecordingBoxes;

template <typename T>
T* find(const QWidget& parent, const QString& name) {
    T* widget = parent.findChild<T*>(name);
    if (widget == nullptr) {
        // Thrown so the test fails here instead of crashing on a null pointer.
        throw std::runtime_error("no control named " + name.toStdString());
    }
    return widget;
}

QString field(int index) {
    return QStringLiteral("tSubdiv%1").arg(index);
}

QStringList thrice(const QString& text) {
    return {text, text, text};
}

// What the dialog shows, read from its controls rather than its accessors.
struct View {
    int h = 0;
    int v = 0;
    QStringList thresholds;
    QString checked;  // the text of the one checked unit button
    QStringList units;
    bool operator==(const View&) const = default;
};

void PrintTo(const View& view, std::ostream* os) {
    *os << '{' << view.h << ", " << view.v << ", ";
    PrintTo(view.thresholds, os);
    *os << ", ";
    PrintTo(view.checked, os);
    *os << ", ";
    PrintTo(view.units, os);
    *os << '}';
}

View viewOf(const FrmConfig& dialog) {
    View view;
    view.h = find<QSlider>(dialog, QStringLiteral("sGradH"))->value();
    view.v = find<QSlider>(dialog, QStringLiteral("sGradV"))->value();
    for (int i = 0; i < FrmConfig::kThresholdCount; ++i) {
        view.thresholds << find<QLineEdit>(dialog, field(i))->text();
        view.units << find<QLabel>(dialog, QStringLiteral("lblSubdiv%1").arg(i))->text();
    }
    const bool metric = find<QRadioButton>(dialog, QStringLiteral("rbMetric"))->isChecked();
    const bool imperial = find<QRadioButton>(dialog, QStringLiteral("rbImperial"))->isChecked();
    view.checked = metric == imperial ? QStringLiteral("<neither or both>")
                   : metric           ? QStringLiteral("Metric")
                                      : QStringLiteral("Imperial");
    return view;
}

const View kImperialDefaults{
    0, 0, {u"0.39"_s, u"0.2"_s, u"0.08"_s}, u"Imperial"_s, thrice(u"inch"_s)};
const View kMetricDefaults{0, 0, {u"0.99"_s, u"0.51"_s, u"0.2"_s}, u"Metric"_s, thrice(u"cm"_s)};

// Counts reads, to show that OK does not read the store back.
class CountingStore : public MemoryStore {
public:
    QString getSetting(const QString& key, const QString& defaultValue) const override {
        ++reads;
        return MemoryStore::getSetting(key, defaultValue);
    }
    using SettingsStore::getSetting;
    mutable int reads = 0;
};

class RefusingStore : public MemoryStore {
public:
    void saveSetting(const QString&, const QString&) override {
        throw Error(QStringLiteral("Permission denied"));
    }
};

class FrmConfigTest : public ::testing::Test {
protected:
    FrmConfig& open(SettingsStore& from) {
        dialog = std::make_unique<FrmConfig>(from, report);
        dialog->LoadSettings();
        return *dialog;
    }
    FrmConfig& open() { return open(store); }
    QLineEdit* threshold(int index) const { return find<QLineEdit>(*dialog, field(index)); }
    QRadioButton* button(const char* name) const {
        return find<QRadioButton>(*dialog, QString::fromLatin1(name));
    }
    void press(const char* name) const {
        find<QPushButton>(*dialog, QString::fromLatin1(name))->click();
    }

    CountingStore store;
    RecordingBoxes boxes;
    ErrorReport report{boxes};
    std::unique_ptr<FrmConfig> dialog;
};

TEST_F(FrmConfigTest, ControlsCarryTheirNamesAndTexts) {
    MemoryStore unused;
    FrmConfig dialog(unused, report);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmConfig"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configuration"));

    for (const char* name : {"sGradH", "sGradV"}) {
        SCOPED_TRACE(name);
        const QSlider* slider = find<QSlider>(dialog, QString::fromLatin1(name));
        EXPECT_EQ(slider->orientation(), Qt::Horizontal);
        EXPECT_EQ(slider->minimum(), -10);
        EXPECT_EQ(slider->maximum(), 10);
        EXPECT_EQ(slider->singleStep(), 1);
        EXPECT_EQ(slider->pageStep(), 5);
        EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);
        QStringList ticks;
        for (const QLabel* label :
             slider->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            ticks << label->text();
        }
        EXPECT_EQ(ticks, (QStringList{u"-1%"_s, u"-0.5%"_s, u"0%"_s, u"0.5%"_s, u"1%"_s}));
    }

    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
    }
    for (const char* text :
         {"Accuracy", "Subdivisions", "Unit System", "Horizontal Graduations",
          " Vertical Graduations",
          "Graduations are not very accurate with some printers. Select the correction factors "
          "to get divisions with exact length.",
          "In non linear scales, the axis range is divided in unequal intervals. The largest "
          "divisions can be subdivided by subdivision lines."}) {
        EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
    }

    const struct {
        const char* label;
        const char* initialText;
    } fields[] = {{"10 subdivisions if division > ", "0.39"},
                  {"5 subdivisions if division > ", "0.20"},
                  {"2 subdivisions if division > ", "0.08"}};
    for (int i = 0; i < FrmConfig::kThresholdCount; ++i) {
        SCOPED_TRACE(i);
        const QLineEdit* edit = find<QLineEdit>(dialog, field(i));
        EXPECT_EQ(edit->text(), QString::fromLatin1(fields[i].initialText));
        EXPECT_EQ(edit->property(kTagProperty).toString(),
                  QStringLiteral("validate_required;validate_decimal"));
        EXPECT_EQ(edit->accessibleName(), QString::fromLatin1(fields[i].label).trimmed());
        const auto buddies = dialog.findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(buddies.begin(), buddies.end(), [&](const QLabel* label) {
            return label->text() == QString::fromLatin1(fields[i].label) && label->buddy() == edit;
        }));
    }
    // Before the first load the fields hold inches.
    EXPECT_EQ(viewOf(dialog).units, thrice(u"inch"_s));
    EXPECT_EQ(viewOf(dialog).checked, QStringLiteral("Imperial"));
    EXPECT_EQ(find<QRadioButton>(dialog, QStringLiteral("rbMetric"))->text(),
              QStringLiteral("Metric"));
    EXPECT_EQ(find<QRadioButton>(dialog, QStringLiteral("rbImperial"))->text(),
              QStringLiteral("Imperial"));
    EXPECT_EQ(find<QPushButton>(dialog, QStringLiteral("PushButton2"))->text(),
              QStringLiteral("OK"));
    EXPECT_EQ(find<QPushButton>(dialog, QStringLiteral("PushButton1"))->text(),
              QStringLiteral("Cancel"));
}

// Every control gets at least the room it asks for, also with a large font
// (the window's first size is capped by the screen; the small offscreen
// screen shows what a crowded desktop would).
TEST_F(FrmConfigTest, LaidOutWithoutClippingAndTickLabelsUnderTheirTicks) {
    for (const double fontScale : {1.0, 1.6}) {
        SCOPED_TRACE(fontScale);
        MemoryStore unused;
        FrmConfig dialog(unused, report);
        QFont font = dialog.font();
        font.setPointSizeF(font.pointSizeF() * fontScale);
        dialog.setFont(font);
        dialog.show();
        QApplication::processEvents();

        for (const QWidget* child : dialog.findChildren<QWidget*>()) {
            if (!child->isVisible()) {
                continue;
            }
            SCOPED_TRACE(child->objectName().toStdString() + " " +
                         child->metaObject()->className());
            const QRect inDialog(child->mapTo(&dialog, QPoint(0, 0)), child->size());
            EXPECT_TRUE(dialog.rect().contains(inDialog));
            const auto* label = qobject_cast<const QLabel*>(child);
            if (label != nullptr && label->wordWrap()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width()));
                continue;
            }
            EXPECT_GE(child->height(), child->sizeHint().height());
            if (label != nullptr || qobject_cast<const QAbstractButton*>(child) != nullptr) {
                EXPECT_GE(child->width(), child->sizeHint().width());
            }
        }
        for (int i = 1; i < FrmConfig::kThresholdCount; ++i) {
            EXPECT_LT(find<QLineEdit>(dialog, field(i - 1))->y(),
                      find<QLineEdit>(dialog, field(i))->y());
        }

        for (const char* name : {"sGradH", "sGradV"}) {
            SCOPED_TRACE(name);
            const QSlider* slider = find<QSlider>(dialog, QString::fromLatin1(name));
            const auto ticks =
                slider->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
            ASSERT_EQ(ticks.size(), 5);
            int previousCentre = -1;
            for (const QLabel* tick : ticks) {
                EXPECT_GE(tick->y(), slider->geometry().bottom());
                EXPECT_GT(tick->geometry().center().x(), previousCentre);
                previousCentre = tick->geometry().center().x();
            }
            // The slider is symmetric about 0, so "0%" sits in its middle.
            EXPECT_NEAR(ticks[2]->geometry().center().x(), slider->geometry().center().x(), 1);
        }
    }
}

TEST_F(FrmConfigTest, LoadShowsStoredValuesOrTheDefaultsOfTheStoredUnit) {
    const struct {
        const char* name;
        std::initializer_list<std::pair<QString, QString>> stored;
        View expected;
    } rows[] = {
        {"empty store", {}, kImperialDefaults},
        {"metric defaults", {{Key::Scale, u"Metric"_s}}, kMetricDefaults},
        {"unit word is case-sensitive", {{Key::Scale, u"metric"_s}}, kImperialDefaults},
        {"metric values",
         {{Key::Scale, u"Metric"_s},
          {Key::HGraduation, u"-3"_s},
          {Key::VGraduation, u"7"_s},
          {Key::Subdiv10, u"1.5"_s},
          {Key::Subdiv5, u".5"_s},
          {Key::Subdiv2, u"1e-1"_s}},
         {-3, 7, {u"1.5"_s, u".5"_s, u"1e-1"_s}, u"Metric"_s, thrice(u"cm"_s)}},
        {"imperial values",
         {{Key::Scale, u"Imperial"_s}, {Key::HGraduation, u"10"_s}, {Key::Subdiv5, u"0.3"_s}},
         {10, 0, {u"0.39"_s, u"0.3"_s, u"0.08"_s}, u"Imperial"_s, thrice(u"inch"_s)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryStore from(row.stored);
        open(from);
        EXPECT_EQ(viewOf(*dialog), row.expected);
        EXPECT_EQ(dialog->unitSystem(), row.expected.checked == QStringLiteral("Metric")
                                            ? UnitSystem::Metric
                                            : UnitSystem::Imperial);
        EXPECT_TRUE(from.writes().isEmpty());
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(FrmConfigTest, UnitSwitchConvertsOncePerRealChange) {
    open();
    const View metric{0, 0, {u"0.9906"_s, u"0.508"_s, u"0.2032"_s}, u"Metric"_s, thrice(u"cm"_s)};
    const struct {
        const char* action;
        std::function<void(FrmConfig&)> act;
        View expected;
    } steps[] = {
        {"click Metric", [&](FrmConfig&) { button("rbMetric")->click(); }, metric},
        {"click Metric again", [&](FrmConfig&) { button("rbMetric")->click(); }, metric},
        {"Metric handler again", [](FrmConfig& d) { d.rbMetric_Click(); }, metric},
        {"click Imperial", [&](FrmConfig&) { button("rbImperial")->click(); }, kImperialDefaults},
        {"click Imperial again", [&](FrmConfig&) { button("rbImperial")->click(); },
         kImperialDefaults},
        {"Metric handler", [](FrmConfig& d) { d.rbMetric_Click(); }, metric},
        {"Imperial handler", [](FrmConfig& d) { d.rbImperial_Click(); }, kImperialDefaults},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        step.act(*dialog);
        EXPECT_EQ(viewOf(*dialog), step.expected);
    }
    EXPECT_TRUE(store.writes().isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(FrmConfigTest, LoadingSelectsTheStoredUnitWithoutConverting) {
    store.saveSetting(Key::Scale, QStringLiteral("Metric"));
    store.saveSetting(Key::Subdiv10, QStringLiteral("2"));
    open();  // the fields held inches before this load
    EXPECT_EQ(viewOf(*dialog),
              (View{0, 0, {u"2"_s, u"0.51"_s, u"0.2"_s}, u"Metric"_s, thrice(u"cm"_s)}));

    button("rbMetric")->click();
    EXPECT_EQ(threshold(0)->text(), QStringLiteral("2"));

    store.saveSetting(Key::Scale, QStringLiteral("Imperial"));
    dialog->LoadSettings();
    EXPECT_EQ(viewOf(*dialog),
              (View{0, 0, {u"2"_s, u"0.2"_s, u"0.08"_s}, u"Imperial"_s, thrice(u"inch"_s)}));

    button("rbMetric")->click();
    EXPECT_EQ(viewOf(*dialog),
              (View{0, 0, {u"5.08"_s, u"0.508"_s, u"0.2032"_s}, u"Metric"_s, thrice(u"cm"_s)}));
}

TEST_F(FrmConfigTest, EveryWayOfCancellingRestoresTheStoredValues) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const struct {
        const char* way;
        std::function<void(FrmConfig&)> cancel;
    } ways[] = {
        {"Cancel button", [&](FrmConfig&) { press("PushButton1"); }},
        {"Cancel handler", [](FrmConfig& d) { d.PushButton1_Click(); }},
        {"close box", [](FrmConfig& d) { d.close(); }},
        {"Escape",
         [](FrmConfig& d) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&d, &escape);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        QSettingsStore stored(
            folder.filePath(QStringLiteral("%1.ini").arg(QString::fromLatin1(way.way))));
        stored.saveSetting(Key::Scale, QStringLiteral("Metric"));
        stored.saveSetting(Key::HGraduation, QStringLiteral("2"));
        stored.saveSetting(Key::Subdiv10, QStringLiteral("1.5"));
        const View saved{2, 0, {u"1.5"_s, u"0.51"_s, u"0.2"_s}, u"Metric"_s, thrice(u"cm"_s)};
        open(stored);
        dialog->show();
        ASSERT_EQ(viewOf(*dialog), saved);

        button("rbImperial")->click();
        find<QSlider>(*dialog, QStringLiteral("sGradH"))->setValue(-4);
        threshold(1)->setText(QString());
        ASSERT_NE(viewOf(*dialog), saved);

        way.cancel(*dialog);
        EXPECT_EQ(viewOf(*dialog), saved);
        EXPECT_EQ(dialog->unitSystem(), UnitSystem::Metric);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        // The emptied field was put back, so it no longer shows as missing.
        EXPECT_TRUE(threshold(1)->toolTip().isEmpty());
        EXPECT_EQ(stored.getSetting(Key::Scale, QString()), QStringLiteral("Metric"));
        EXPECT_EQ(stored.getSetting(Key::Subdiv5, QStringLiteral("absent")),
                  QStringLiteral("absent"));
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(FrmConfigTest, OkRefusesAnEmptyOrMalformedThreshold) {
    const struct {
        int index;
        QString text;
        QString message;
        QColor colour;
        QString tip;
    } rows[] = {
        {0, u""_s, u"Some fields are required, please fill them."_s, kRequiredColor,
         u"Field is required."_s},
        {1, u"1,5"_s, u"Some fields are invalid, please correct them."_s, kMalformedColor,
         u"Decimal number required."_s},
        {2, u"0.5cm"_s, u"Some fields are invalid, please correct them."_s, kMalformedColor,
         u"Decimal number required."_s},
        {2, u"  "_s, u"Some fields are invalid, please correct them."_s, kMalformedColor,
         u"Decimal number required."_s},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        boxes.shown.clear();
        open();
        dialog->show();
        threshold(row.index)->setText(row.text);
        // Typing colours the field at once but shows no message.
        EXPECT_EQ(threshold(row.index)->palette().color(QPalette::Base), row.colour);
        EXPECT_TRUE(boxes.shown.isEmpty());

        press("PushButton2");
        EXPECT_EQ(boxes.messages(), QStringList{row.message});
        EXPECT_TRUE(boxes.errors().isEmpty());
        EXPECT_EQ(threshold(row.index)->palette().color(QPalette::Base), row.colour);
        EXPECT_EQ(threshold(row.index)->toolTip(), row.tip);
        EXPECT_TRUE(store.writes().isEmpty());
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(FrmConfigTest, FieldThatBecomesValidGetsItsNormalLookBack) {
    open();
    const QColor normal = threshold(1)->palette().color(QPalette::Base);
    threshold(0)->setText(QStringLiteral("x"));
    ASSERT_EQ(threshold(0)->palette().color(QPalette::Base), kMalformedColor);
    threshold(0)->setText(QStringLiteral("-0.3"));
    EXPECT_EQ(threshold(0)->palette().color(QPalette::Base), normal);
    EXPECT_TRUE(threshold(0)->toolTip().isEmpty());
}

TEST_F(FrmConfigTest, OkWritesSixKeysInOrderAsShownAndHides) {
    const struct {
        const char* unitButton;
        const char* scale;
    } rows[] = {{"rbMetric", "Metric"}, {"rbImperial", "Imperial"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scale);
        CountingStore target;
        open(target);
        dialog->show();
        button(row.unitButton)->click();
        find<QSlider>(*dialog, QStringLiteral("sGradH"))->setValue(-10);
        find<QSlider>(*dialog, QStringLiteral("sGradV"))->setValue(4);
        const QStringList typed{u"1e-1"_s, u".5"_s, u"-0.3"_s};
        for (int i = 0; i < FrmConfig::kThresholdCount; ++i) {
            threshold(i)->setText(typed[i]);
        }
        target.reads = 0;

        press("PushButton2");
        EXPECT_EQ(target.writes(), (QStringList{Key::HGraduation, Key::VGraduation, Key::Subdiv10,
                                                Key::Subdiv5, Key::Subdiv2, Key::Scale}));
        EXPECT_EQ(target.getSetting(Key::HGraduation, QString()), QStringLiteral("-10"));
        EXPECT_EQ(target.getSetting(Key::VGraduation, QString()), QStringLiteral("4"));
        EXPECT_EQ(target.getSetting(Key::Subdiv10, QString()), typed[0]);
        EXPECT_EQ(target.getSetting(Key::Subdiv5, QString()), typed[1]);
        EXPECT_EQ(target.getSetting(Key::Subdiv2, QString()), typed[2]);
        EXPECT_EQ(target.getSetting(Key::Scale, QString()), QString::fromLatin1(row.scale));
        EXPECT_EQ(target.reads, 6);  // only the six reads just above: OK reads nothing back
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(viewOf(*dialog).thresholds, typed);
        EXPECT_DOUBLE_EQ(dialog->corrections().horizontal, -0.01);
        EXPECT_DOUBLE_EQ(dialog->corrections().vertical, 0.004);
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(FrmConfigTest, AcceptedValuesComeBackFromATemporaryStore) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("lattora.ini"));
    {
        QSettingsStore first(path);
        open(first);
        button("rbMetric")->click();
        find<QSlider>(*dialog, QStringLiteral("sGradV"))->setValue(-7);
        threshold(2)->setText(QStringLiteral("0.25"));
        dialog->accept();
        ASSERT_FALSE(dialog->isVisible());
    }
    QSettingsStore second(path);
    open(second);
    EXPECT_EQ(viewOf(*dialog),
              (View{0, -7, {u"0.9906"_s, u"0.508"_s, u"0.25"_s}, u"Metric"_s, thrice(u"cm"_s)}));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(FrmConfigTest, CorrectionsArePositionsOverAThousand) {
    open();
    const struct {
        int position;
        double correction;
    } rows[] = {{-10, -0.01}, {-3, -0.003}, {0, 0.0}, {5, 0.005}, {10, 0.01}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.position);
        find<QSlider>(*dialog, QStringLiteral("sGradH"))->setValue(row.position);
        find<QSlider>(*dialog, QStringLiteral("sGradV"))->setValue(-row.position);
        EXPECT_DOUBLE_EQ(dialog->corrections().horizontal, row.correction);
        EXPECT_DOUBLE_EQ(dialog->corrections().vertical, -row.correction);
    }
}

TEST_F(FrmConfigTest, BadStoredGraduationIsReportedAndTheLoadGoesOn) {
    store.saveSetting(Key::HGraduation, QStringLiteral("abc"));
    store.saveSetting(Key::VGraduation, QStringLiteral("2"));
    store.saveSetting(Key::Subdiv10, QStringLiteral("1.25"));
    store.saveSetting(Key::Scale, QStringLiteral("Metric"));
    FrmConfig loaded(store, report);
    find<QSlider>(loaded, QStringLiteral("sGradH"))->setValue(3);

    loaded.LoadSettings();
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors()[0].contains(QStringLiteral("\"abc\"")));
    EXPECT_TRUE(boxes.errors()[0].contains(
        QStringLiteral("\r\nin LattoraGrid2021/08/31.frmConfig.LoadSettings at line ")));
    EXPECT_TRUE(boxes.messages().isEmpty());
    // The slider keeps its position; everything else is loaded.
    EXPECT_EQ(viewOf(loaded),
              (View{3, 2, {u"1.25"_s, u"0.51"_s, u"0.2"_s}, u"Metric"_s, thrice(u"cm"_s)}));
}

TEST_F(FrmConfigTest, ThresholdThatCannotBeConvertedIsReportedAndKept) {
    open();
    threshold(0)->setText(QStringLiteral("abc"));
    button("rbMetric")->click();
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors()[0].contains(
        QStringLiteral("in LattoraGrid2021/08/31.frmConfig.rbMetric_Click")));
    EXPECT_EQ(viewOf(*dialog),
              (View{0, 0, {u"abc"_s, u"0.508"_s, u"0.2032"_s}, u"Metric"_s, thrice(u"cm"_s)}));
    EXPECT_EQ(dialog->unitSystem(), UnitSystem::Metric);
}

TEST_F(FrmConfigTest, FailedSaveIsReportedAndOkStillFinishes) {
    RefusingStore refusing;
    open(refusing);
    dialog->show();
    press("PushButton2");
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors()[0].startsWith(QStringLiteral("Permission denied\r\n")));
    EXPECT_TRUE(boxes.errors()[0].contains(QStringLiteral("frmConfig.PushButton2_Click")));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(FrmConfigTest, SubdivisionLimitsReadTheLiveFieldTexts) {
    open();
    EXPECT_FLOAT_EQ(dialog->subdivisionLimits().ten, 0.39f);
    const QStringList typed{u"1.5"_s, u"0.75"_s, u"2.5e-1"_s};
    for (int i = 0; i < FrmConfig::kThresholdCount; ++i) {
        threshold(i)->setText(typed[i]);
    }
    const SubdivisionLimits limits = dialog->subdivisionLimits();
    EXPECT_FLOAT_EQ(limits.ten, 1.5f);
    EXPECT_FLOAT_EQ(limits.five, 0.75f);
    EXPECT_FLOAT_EQ(limits.two, 0.25f);
    EXPECT_TRUE(store.writes().isEmpty());

    for (const char* bad : {"", "abc", "1e39"}) {
        SCOPED_TRACE(bad);
        threshold(1)->setText(QString::fromLatin1(bad));
        EXPECT_THROW(dialog->subdivisionLimits(), Error);
    }
}

}  // namespace
}  // namespace lattora
