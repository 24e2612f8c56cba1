#include "tests/support/memorystore.h"

namespace lattora::test {

MemoryStore::MemoryStore(std::initializer_list<std::pair<QString, QString>> values) {
    for (const auto& [key, value] : values) {
        values_.insert(key, value);
    }
}

QString MemoryStore::getSetting(const QString& key, const QString& defaultValue) const {
    return values_.value(key, defaultValue);
}

void MemoryStore::saveSetting(const QString& key, const QString& value) {
    values_.insert(key, value);
    writes_ << key;
}

}  // namespace lattora::test
