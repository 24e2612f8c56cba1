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
    // the user's settings. Only a regular file of at most 16 MB is read, and
    // never in a way that blocks; anything else (a pipe, a device, a folder
    // on the way that cannot be searched) is passed over with one line in
    // passedOver(), and every setting has its default.
    explicit QSettingsStore(const QString& path);
    ~QSettingsStore() override;

    // The stored text, or `defaultValue` when the key is absent, when its
    // value is not plain text, or when its text cannot serve as the key's
    // value (unusableSettingReason): such a value reads as absent, so every
    // reader falls back on the default a fresh store gives.
    QString getSetting(const QString& key, const QString& defaultValue) const override;

    // Written through at once; a file that cannot be written, or could not be
    // read when the store was opened, raises Error.
    //
    // QSettings writes the whole file anew, and drops on the way whatever it
    // could not read (lines without "=", bytes that are not UTF-8, the
    // earlier of two equal keys, lines taken into an unclosed quotation,
    // comments). So before the first write into a file that holds any of
    // that, the file as it was is copied beside it as "<file>.damaged"
    // (".damaged.2" and so on when that name is taken), and takeSaveNotice()
    // says so once. A copy that cannot be made raises Error and nothing is
    // written.
    void saveSetting(const QString& key, const QString& value) override;
    using SettingsStore::getSetting;

    // Worked out once, when the store is opened: the settings whose values
    // getSetting passes over and the parts of the file that could not be
    // read, at most ten lines of them listed one by one.
    QStringList passedOver() const override { return passedOver_; }
    QString fileName() const override;
    QString takeSaveNotice() override;

    // Where the copy of the file as it was went; empty until one was made.
    QString keptCopy() const { return keptCopy_; }

private:
    // What passedOver() tells of the file's `bytes` and of the `problem` met
    // reading it.
    QStringList inspect(QByteArrayView bytes, const QString& problem) const;
    void keepCopyIfRewriteLoses();

    QString file_;
    // Never made for a file that is not to be read (see readSettingsFile):
    // every value then has its default and nothing is saved.
    std::unique_ptr<QSettings> settings_;
    QStringList passedOver_;
    bool rewriteChecked_ = false;
    QString keptCopy_;
    QString saveNotice_;
};

}  // namespace lattora
