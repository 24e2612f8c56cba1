// The configuration: printer graduation corrections, the subdivision
// thresholds of the non-linear scales and the unit system, with their load
// from and save to the settings store.
#pragma once

#include <QString>
#include <QStringList>

#include "sheet/linevalues.h"
#include "sheet/settingsstore.h"
#include "sheet/units.h"

namespace lattora {

// What the configuration dialog holds; its values are the program's live ones.
// The initial texts are those the fields show before the first load.
struct ConfigSettings {
    int hGraduation = 0;  // tenths of a per cent, kMinGraduation to kMaxGraduation
    int vGraduation = 0;
    QString subdiv10 = QStringLiteral("0.39");  // lengths in the sheet unit, as typed
    QString subdiv5 = QStringLiteral("0.20");
    QString subdiv2 = QStringLiteral("0.08");
    UnitSystem unitSystem = UnitSystem::Imperial;
};

// The unit label beside each threshold: "cm" under Metric, "inch" otherwise.
QString subdivUnitLabel(UnitSystem system);

// The full load: both graduations (0 when absent), the thresholds with the
// defaults of the stored unit system (0.99, 0.51, 0.2 under Metric; 0.39, 0.2,
// 0.08 under Imperial) and the unit system itself. Loading never converts.
//
// A stored graduation that is not a slider position (unusableSettingReason:
// no number, a fraction, beyond -10..10) leaves that graduation as it was and
// is described in the returned list; the load goes on with the rest. The
// user's settings file never gets that far: its store reads such a value as
// absent, 0, and the start-up notice names it.
QStringList LoadSettings(ConfigSettings& settings, const SettingsStore& store);

// Writes, in this order, "H_Graduation", "V_Graduation" (whole numbers),
// "Subdiv10", "Subdiv5", "Subdiv2" (the texts as typed) and "Scale" ("Metric"
// or "Imperial"). Keys that cannot be saved raise one Error naming them all,
// after the others are saved (saveInOrder).
void SaveSettings(const ConfigSettings& settings, SettingsStore& store);

// The user picks a unit system. Only an actual change converts: each threshold
// is read in single precision, multiplied by 2.54 (to centimetres) or divided
// by it (to inches) and written back with at most seven significant digits. A
// threshold that is not a number (or whose result no longer fits single
// precision) keeps its text and is described in the returned list; the others
// are still converted and the unit changes regardless. Nothing is stored.
QStringList SelectUnitSystem(ConfigSettings& settings, UnitSystem system);

// The thresholds as the renderer uses them, read in single precision. A text
// that is not a number, or one beyond the single-precision range, raises Error.
SubdivisionLimits subdivisionLimits(const ConfigSettings& settings);

// The correction printing applies for a graduation position: position / 1000,
// so 10 gives 0.01.
double graduationCorrection(int position);

struct GraduationCorrections {
    double horizontal = 0;
    double vertical = 0;
};
GraduationCorrections graduationCorrections(const ConfigSettings& settings);

}  // namespace lattora
