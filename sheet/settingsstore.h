// The per-user settings store: text values addressed by key under the
// program's application and section names (the keys: settingkeys.h).
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <initializer_list>
#include <optional>
#include <utility>

#include "sheet/settingkeys.h"
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

    // What the store found but could not use when it read its file, one line
    // each for the user: a setting whose text cannot serve as its value (it
    // reads as absent, so its default applies) or a part of the file that
    // could not be read. Empty when everything could be used.
    virtual QStringList passedOver() const { return {}; }

    // The file the values are kept in, to name it to the user; empty for a
    // store without one.
    virtual QString fileName() const { return {}; }

    // Once, after a write that first had to keep a copy of the file as it
    // was (see QSettingsStore::saveSetting): a sentence saying where the copy
    // is. Empty otherwise.
    virtual QString takeSaveNotice() { return {}; }
};

// Saves each key's text, in the order given. A key the store cannot save does
// not stop the ones after it: once all were tried, one Error names every key
// that could not be saved and why, so a dialog tells them in one report.
void saveInOrder(SettingsStore& store, std::initializer_list<std::pair<QString, QString>> values);

// Why `text` cannot serve as the stored value of `key`, or nothing when it
// can. The graduations must be whole numbers from -10 to 10, the positions of
// their sliders; the subdivision thresholds and the line widths numbers
// within single precision, as drawing reads them. Any text serves the unit
// word, the line-set list and its current name.
std::optional<QString> unusableSettingReason(const QString& key, const QString& text);

// What the program takes for `key` when the store has no value, under
// `system`: "0" for the graduations, the thresholds and line widths drawing
// uses. Empty for the keys whose absence means something of its own (the unit
// word, the line-set list and its current name).
QString settingDefault(const QString& key, UnitSystem system);

// One line for the user: the stored `text` of `key` is not used, `reason`
// says why, and what is used instead. A long text is cut short; an absent
// one means the stored value is not text at all.
QString ignoredSettingText(const QString& key, const std::optional<QString>& text,
                           const QString& reason, UnitSystem system);

// `text` as a one-line message may show it: control characters and line or
// paragraph separators, which would break the line or act on the terminal,
// written as \uXXXX.
QString escapedControls(QStringView text);

// `text` in quotation marks for a message: cut short after 40 characters and
// with control characters escaped, so a damaged or huge value cannot swamp
// the message it appears in.
QString quotedExcerpt(QStringView text);

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
    QStringList passedOver() const override { return inner_.passedOver(); }
    QString fileName() const override { return inner_.fileName(); }

private:
    const SettingsStore& inner_;
};

}  // namespace lattora
