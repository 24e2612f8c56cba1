// An in-memory settings store for tests: no file, nothing shared.
#pragma once

#include <QMap>
#include <QStringList>

#include "sheet/error.h"
#include "sheet/settingsstore.h"

namespace lattora::test {

class MemoryStore : public SettingsStore {
public:
    MemoryStore(std::initializer_list<std::pair<QString, QString>> values = {}) : values_(values) {}
    using SettingsStore::getSetting;
    QString getSetting(const QString& key, const QString& fallback) const override {
        return values_.value(key, fallback);
    }
    void saveSetting(const QString& key, const QString& value) override {
        if (refused.contains(key))
            throw Error(key + QStringLiteral(" refused"));
        values_.insert(key, value), writes_ << key;
    }
    // Keys whose saving fails, as in a file that cannot be written.
    QStringList refused;
    // Keys in the order they were written, a key written twice listed twice.
    const QStringList& writes() const { return writes_; }

private:
    QMap<QString, QString> values_;
    QStringList writes_;
};

}  // namespace lattora::test
