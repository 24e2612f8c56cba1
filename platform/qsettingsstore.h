// The settings store backed by QSettings in INI format: by default the user's
// $XDG_CONFIG_HOME/Tarnhill/Lattora.conf, section "Lattora".
#pragma once

#include <QSettings>
#include <memory>

#include "sheet/settingsstore.h"

namespace lattora {

class QSettingsStore : public SettingsStore {
public:
    // The user's own store.
    QSettingsStore();
    // A store in the INI file at `path`: tests and tools that must not touch
    // the user's settings.
    explicit QSettingsStore(const QString& path);
    ~QSettingsStore() override;

    QString getSetting(const QString& key, const QString& defaultValue) const override;
    // Written through at once; a file that cannot be written raises Error.
    void saveSetting(const QString& key, const QString& value) override;
    using SettingsStore::getSetting;

    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace lattora
