// The settings every benchmark runs under: the metric system, everything else
// at its default, nothing ever written.
#pragma once

#include "sheet/settingsstore.h"

namespace lattora::bench {

class MetricStore : public SettingsStore {
public:
    QString getSetting(const QString& key, const QString& defaultValue) const override {
        return key == Key::Scale ? kMetricWord : defaultValue;
    }
    void saveSetting(const QString&, const QString&) override {}
    using SettingsStore::getSetting;
};

}  // namespace lattora::bench
