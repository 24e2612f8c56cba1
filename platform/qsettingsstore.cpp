#include "platform/qsettingsstore.h"

#include <QStandardPaths>

#include "sheet/error.h"

namespace lattora {

namespace {

const QString kSection = QStringLiteral("Lattora");

QString path(const QString& key) {
    return kSection + QLatin1Char('/') + key;
}

}  // namespace

// QSettings would name an INI file ".ini"; the store's file is Lattora.conf
// under the organisation's folder of the user's configuration directory.
QSettingsStore::QSettingsStore()
    : QSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/Tarnhill/Lattora.conf")) {}

QSettingsStore::QSettingsStore(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::getSetting(const QString& key, const QString& defaultValue) const {
    const QVariant value = settings_->value(path(key));
    if (!value.isValid()) {
        return defaultValue;
    }
    // An INI value with unquoted commas (edited by hand, say "0,5") reads back
    // as a list; the user meant the text as written.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

void QSettingsStore::saveSetting(const QString& key, const QString& value) {
    settings_->setValue(path(key), value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        throw Error(QStringLiteral("The setting \"%1\" could not be saved to %2")
                        .arg(key, settings_->fileName()));
    }
}

QString QSettingsStore::fileName() const {
    return settings_->fileName();
}

}  // namespace lattora
