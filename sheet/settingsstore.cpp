#include "sheet/settingsstore.h"

#include "sheet/numbertext.h"

namespace lattora {

QString SettingsStore::getSetting(const QString& key, double defaultValue) const {
    return getSetting(key, formatNumber(defaultValue));
}

bool isMetric(const SettingsStore& store) {
    return store.getSetting(Key::Scale, QString()) == kMetricWord;
}

UnitSystem unitSystem(const SettingsStore& store) {
    return isMetric(store) ? UnitSystem::Metric : UnitSystem::Imperial;
}

}  // namespace lattora
