// Every key the program keeps in the settings store, declared once: its name,
// the kind of value it holds and its defaults. The store, the INI reader, the
// loaders of the dialogs and the tests all read this one table.
//
// Adding a key: a name constant below and a row in the table (settingkeys.cpp).
#pragma once

#include <QString>
#include <QStringView>
#include <span>

#include "sheet/units.h"

namespace lattora {

namespace Key {
inline const QString Scale = QStringLiteral("Scale");
inline const QString HGraduation = QStringLiteral("H_Graduation");
inline const QString VGraduation = QStringLiteral("V_Graduation");
inline const QString Subdiv10 = QStringLiteral("Subdiv10");
inline const QString Subdiv5 = QStringLiteral("Subdiv5");
inline const QString Subdiv2 = QStringLiteral("Subdiv2");
inline const QString StyleTemplates = QStringLiteral("StyleTemplates");
inline const QString CurrentStyle = QStringLiteral("CurrentStyle");
inline const QString StyleWidthHeavy = QStringLiteral("StyleWidthHeavy");
inline const QString StyleWidthMedium = QStringLiteral("StyleWidthMedium");
inline const QString StyleWidthLight = QStringLiteral("StyleWidthLight");
}  // namespace Key

// The positions of a graduation correction's slider.
inline constexpr int kMinGraduation = -10;
inline constexpr int kMaxGraduation = 10;

enum class SettingKind {
    Text,        // any text serves
    Number,      // a number within a double's range
    Single,      // a number within single precision, as drawing reads it
    Graduation,  // a whole number from kMinGraduation to kMaxGraduation
};

struct SettingKey {
    const QString& name;
    SettingKind kind;
    // What the program takes when the store has no value, under each unit
    // system; nullptr for the keys whose absence means something of its own.
    const char* metricDefault;
    const char* imperialDefault;
    // For those keys: what the program does without a value, for messages.
    const char* whenAbsent;
};

// Every key, in the order the settings file is checked.
std::span<const SettingKey> settingKeys();

// The row of `name`, or nullptr when it is none of the program's keys.
const SettingKey* findSettingKey(QStringView name);

}  // namespace lattora
