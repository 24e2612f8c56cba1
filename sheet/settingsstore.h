// The per-user settings store: text values addressed by key under the
// program's application and section names, and every key the program uses.
#pragma once

#include <QString>

#include "sheet/units.h"

namespace lattora {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text of `key`, or `defaultValue` when the key does not exist.
    virtual QString getSetting(const QString& key, const QString& defaultValue) const = 0;

    // Creates or replaces the text of `key`.
    virtual void saveSetting(const QString& key, const QString& value) = 0;

    // As getSetting, with a numeric default written in the store's number form.
    QString getSetting(const QString& key, double defaultValue) const;
};

// Every key the program reads or writes, declared once.
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

// The stored word of each unit system.
inline const QString kMetricWord = QStringLiteral("Metric");
inline const QString kImperialWord = QStringLiteral("Imperial");

// Metric exactly when "Scale" holds "Metric" (case-sensitive); anything else,
// a missing key included, is imperial. Read at the moment of use, never cached.
bool isMetric(const SettingsStore& store);
UnitSystem unitSystem(const SettingsStore& store);

// Forwards reads and drops writes: for batch work that must leave the user's
// settings exactly as it found them.
class ReadOnlySettings : public SettingsStore {
public:
    explicit ReadOnlySettings(const SettingsStore& inner) : inner_(inner) {}
    QString getSetting(const QString& key, const QString& defaultValue) const override {
        return inner_.getSetting(key, defaultValue);
    }
    void saveSetting(const QString&, const QString&) override {}
    using SettingsStore::getSetting;

private:
    const SettingsStore& inner_;
};

}  // namespace lattora
