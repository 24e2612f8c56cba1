// An in-memory settings store for tests: no file, nothing shared.
#pragma once

#include <QMap>
#include <QStringList>

#include "sheet/settingsstore.h"

namespace lattora::test {

class MemoryStore : public SettingsStore {
public:
    MemoryStore() = default;
    MemoryStore(std::initializer_list<std::pair<QString, QString>> values);

    QString getSetting(const QString& key, const QString& defaultValue) const override;
    void saveSetting(const QString& key, const QString& value) override;
    using SettingsStore::getSetting;

    bool contains(const QString& key) const { return values_.contains(key); }
    void remove(const QString& key) { values_.remove(key); }
    // Keys in the order they were written, a key written twice listed twice.
    const QStringList& writes() const { return writes_; }

private:
    QMap<QString, QString> values_;
    QStringList writes_;
};

}  // namespace lattora::test
