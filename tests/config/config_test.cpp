// The configuration's data rules (load, save, thresholds in single precision,
// graduation corrections), then the configuration dialog over them, whose
// unit buttons are the one way to convert and so carry the conversion rows
// (its field checks are the validation tests').
#include "config/configsettings.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSlider>

#include "config/frmconfig.h"
#include "platform/ui/errorreport.h"
#include "sheet/error.h"
#include "tests/config/dialogscript.h"
#include "tests/support/memorystore.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

// Absent thresholds take the defaults of the stored unit system, stored texts
// are kept as typed. A graduation that is no slider position is told and
// keeps the position it had (4 and -4 here), and the load goes on. Loading
// never writes.
TEST(ConfigLoad, TakesStoredValuesOrDefaults) {
    // The store, then: graduations, thresholds, unit system, number of problems.
    const std::pair<MemoryStore, const char*> rows[] = {
        // clang-format off
        {{}, "0 0 0.39 0.2 0.08 Imperial 0"},
        {{{Key::Scale, kMetricWord}}, "0 0 0.99 0.51 0.2 Metric 0"},
        {{{Key::Scale, kMetricWord}, {Key::HGraduation, u"-3"_s}, {Key::VGraduation, u"10"_s}, {Key::Subdiv10, u"1.5"_s},
          {Key::Subdiv5, u".5"_s}, {Key::Subdiv2, u"1e-1"_s}}, "-3 10 1.5 .5 1e-1 Metric 0"},
        {{{Key::HGraduation, u"99"_s}, {Key::VGraduation, u"-2.5"_s}, {Key::Subdiv10, u"2"_s}}, "4 -4 2 0.2 0.08 Imperial 2"},
        // clang-format on
    };
    for (auto [store, expected] : rows) {
        ConfigSettings s{4, -4, u"x"_s, u"x"_s, u"x"_s, UnitSystem::Metric};
        const qsizetype problems = LoadSettings(s, store).size();
        EXPECT_EQ(u"%1 %2 %3 %4 %5 %6 %7"_s.arg(s.hGraduation)
                      .arg(s.vGraduation)
                      .arg(s.subdiv10, s.subdiv5, s.subdiv2,
                           s.unitSystem == UnitSystem::Metric ? u"Metric"_s : u"Imperial"_s)
                      .arg(problems)
                      .toStdString(),
                  expected);
        EXPECT_TRUE(store.writes().isEmpty());
    }
}

// The percent labels stand under their ticks, -1 % at the slider's left end.
TEST(ConfigDialog, TickLabelsRunLeftToRight) {
    MemoryStore store;
    RecordingBoxes boxes;
    ErrorReport report{boxes};
    FrmConfig dialog(store, report);
    dialog.show();
    const auto ticks =
        dialog.findChild<QSlider*>(u"sGradH"_s)->parentWidget()->findChildren<QLabel*>();
    ASSERT_EQ(ticks.size(), 5);
    for (int i = 1; i < 5; ++i)
        EXPECT_LT(ticks[i - 1]->x(), ticks[i]->x()) << i;
}

// Drawing reads the thresholds in single precision; what is no single fails;
// printing corrects by the graduation position over a thousand.
TEST(ConfigLimits, ThresholdsAreSinglesAndCorrectionsThousandths) {
    const ConfigSettings settings{-10, 3, u"0.99"_s, u" .51 "_s, u"2e-1"_s, UnitSystem::Metric};
    const SubdivisionLimits limits = subdivisionLimits(settings);
    EXPECT_TRUE(limits.ten == 0.99f && limits.five == 0.51f && limits.two == 0.2f);
    // Each bad text in one field, the others good.
    for (const auto& [ten, five, two] : {std::tuple{u"1e39"_s, u"1"_s, u"1"_s},
                                         {u"1"_s, u"0.5cm"_s, u"1"_s},
                                         {u"1"_s, u"1"_s, QString()}})
        EXPECT_THROW(subdivisionLimits({0, 0, ten, five, two, {}}), Error) << ten.toStdString();
    const GraduationCorrections corrections = graduationCorrections(settings);
    EXPECT_TRUE(corrections.horizontal == -0.01 && corrections.vertical == 0.003);
}

// Opens the dialog over `from` and runs `script`; then what the controls show,
// the values stored in the order they were written, the boxes shown and the
// dialog's state.
std::string afterScript(const MemoryStore& from, const QString& script) {
    MemoryStore store = from;
    RecordingBoxes boxes;
    ErrorReport report{boxes};
    FrmConfig dialog(store, report);
    dialog.findChild<QSlider*>(u"sGradH"_s)->setValue(3);  // kept when the stored one is no number
    dialog.LoadSettings();
    dialog.show();
    runScript(dialog, script);
    QStringList stored;
    for (const QString& key : store.writes())
        stored << key + u'=' + store.getSetting(key, QString());
    return u"%1 / %2 / %3 / %4"_s
        .arg(shownBy(dialog, {"sGradH", "sGradV", "tSubdiv0", "tSubdiv1", "tSubdiv2", "rbMetric",
                              "lblSubdiv0", "lblSubdiv1", "lblSubdiv2"}),
             stored.join(u','), toldBy(boxes, u"frmConfig"_s),
             dialog.isVisible()                     ? u"open"_s
             : dialog.result() == QDialog::Accepted ? u"accepted"_s
                                                    : u"rejected"_s)
        .toStdString();
}

// clang-format off
const MemoryStore kMetric{{Key::Scale, kMetricWord}, {Key::HGraduation, u"2"_s}, {Key::Subdiv10, u"5.08"_s}, {Key::Subdiv2, u"0.254"_s}};
// clang-format on

// Loading shows the stored values in the stored unit without converting (the
// fields held inches); a unit button converts once per real change (times or
// over 2.54, seven significant digits), keeping and telling a text that is no
// number or whose result leaves single precision; OK saves what the controls
// hold, six keys in order, the unit as its word; Cancel, the close box and
// Escape reload; a threshold that fails its check holds up OK; problems are
// reported from the handler that met them, and the rest goes on.
TEST(ConfigDialog, Scripts) {
    const std::tuple<MemoryStore, const char*, const char*> rows[] = {
        // clang-format off
        {kMetric, "", "2|0|5.08|0.51|0.254|true|cm|cm|cm /  /  / open"},
        {{}, "rbMetric;rbMetric", "0|0|0.9906|0.508|0.2032|true|cm|cm|cm /  /  / open"},
        {{}, "tSubdiv1=0.5cm;tSubdiv2=3e38;rbMetric", "0|0|0.9906|0.5cm|3e38|true|cm|cm|cm /  / rbMetric_Click,rbMetric_Click / open"},
        {kMetric, "tSubdiv1=abc;rbImperial", "2|0|2|abc|0.1|false|inch|inch|inch /  / rbImperial_Click / open"},
        {{{Key::HGraduation, u"abc"_s}, {Key::VGraduation, u"4"_s}}, "", "3|4|0.39|0.2|0.08|false|inch|inch|inch /  / LoadSettings / open"},
        {kMetric, "rbImperial;sGradH=-4;tSubdiv1=;PushButton1", "2|0|5.08|0.51|0.254|true|cm|cm|cm /  /  / rejected"},
        {kMetric, "sGradV=5;tSubdiv0=7;close", "2|0|5.08|0.51|0.254|true|cm|cm|cm /  /  / rejected"},
        {kMetric, "rbImperial;escape", "2|0|5.08|0.51|0.254|true|cm|cm|cm /  /  / rejected"},
        {{}, "tSubdiv0=;PushButton2;tSubdiv2=0.5cm;PushButton2;tSubdiv2=1e39;PushButton2", "0|0||0.2|1e39|false|inch|inch|inch /  / required,invalid,invalid / open"},
        {{}, "rbMetric;sGradH=-10;sGradV=4;tSubdiv0=1e-1;tSubdiv2=-0.25;PushButton2", "-10|4|1e-1|0.508|-0.25|true|cm|cm|cm / H_Graduation=-10,V_Graduation=4,Subdiv10=1e-1,Subdiv5=0.508,Subdiv2=-0.25,Scale=Metric /  / accepted"},
        {kMetric, "rbImperial;rbImperial;PushButton2", "2|0|2|0.2007874|0.1|false|inch|inch|inch / H_Graduation=2,V_Graduation=0,Subdiv10=2,Subdiv5=0.2007874,Subdiv2=0.1,Scale=Imperial /  / accepted"},
        // clang-format on
    };
    for (const auto& [from, script, expected] : rows)
        EXPECT_EQ(afterScript(from, QString::fromUtf8(script)), expected) << script;
}

}  // namespace
}  // namespace lattora::test
