#include "sheet/settingsstore.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "sheet/error.h"
#include "sheet/numbertext.h"

namespace lattora {

namespace {

constexpr qsizetype kExcerptLength = 40;

// tryParseNumber refuses a number beyond a double's range as it refuses
// words; the user is better told which of the two it was.
bool isOutOfRange(const QString& text) {
    const QByteArray latin = text.trimmed().toLatin1();
    const char* first = latin.constData();
    const char* last = first + latin.size();
    if (first != last && *first == '+') {
        ++first;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    return ec == std::errc::result_out_of_range && end == last;
}

QString instead(const QString& key, UnitSystem system) {
    const QString value = settingDefault(key, system);
    if (!value.isEmpty()) {
        return QStringLiteral("the default %1 is used").arg(value);
    }
    const SettingKey* row = findSettingKey(key);
    if (row != nullptr && row->whenAbsent != nullptr) {
        return QString::fromLatin1(row->whenAbsent);
    }
    return QStringLiteral("it is ignored");
}

}  // namespace

QString SettingsStore::getSetting(const QString& key, double defaultValue) const {
    return getSetting(key, formatNumber(defaultValue));
}

void saveInOrder(SettingsStore& store, std::initializer_list<std::pair<QString, QString>> values) {
    QStringList failed;
    QStringList reasons;
    for (const auto& [key, text] : values) {
        try {
            store.saveSetting(key, text);
        } catch (const Error& error) {
            failed << QLatin1Char('"') + key + QLatin1Char('"');
            reasons << error.description();
        }
    }
    if (!failed.isEmpty()) {
        // A file that cannot be written fails every key for the same reason.
        reasons.removeDuplicates();
        throw Error(
            QStringLiteral("These settings could not be saved: %1. %2")
                .arg(failed.join(QStringLiteral(", ")), reasons.join(QStringLiteral("; "))));
    }
}

std::optional<QString> unusableSettingReason(const QString& key, const QString& text) {
    const SettingKey* row = findSettingKey(key);
    if (row == nullptr || row->kind == SettingKind::Text) {
        return std::nullopt;
    }
    const std::optional<double> value = tryParseNumber(text);
    if (!value) {
        return isOutOfRange(text) ? QStringLiteral("is beyond the range of numbers")
                                  : QStringLiteral("is not a number");
    }
    if (row->kind == SettingKind::Single && !fitsSingle(*value)) {
        return QStringLiteral("is beyond single precision");
    }
    // A slider has no position between its ticks or past its ends, and one
    // moved there silently would print with a correction nobody chose.
    if (row->kind == SettingKind::Graduation &&
        (*value != std::trunc(*value) || *value < kMinGraduation || *value > kMaxGraduation)) {
        return QStringLiteral("is not a whole number from %1 to %2")
            .arg(kMinGraduation)
            .arg(kMaxGraduation);
    }
    return std::nullopt;
}

QString settingDefault(const QString& key, UnitSystem system) {
    const SettingKey* row = findSettingKey(key);
    if (row == nullptr || row->metricDefault == nullptr) {
        return {};
    }
    return QString::fromLatin1(system == UnitSystem::Metric ? row->metricDefault
                                                            : row->imperialDefault);
}

QString ignoredSettingText(const QString& key, const std::optional<QString>& text,
                           const QString& reason, UnitSystem system) {
    const QString what = text ? QStringLiteral("\"%1\": %2").arg(key, quotedExcerpt(*text))
                              : QStringLiteral("\"%1\"").arg(key);
    return QStringLiteral("%1 %2; %3").arg(what, reason, instead(key, system));
}

QString escapedControls(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QString quotedExcerpt(QStringView text) {
    QStringView shown = text.left(kExcerptLength);
    // Never end on half of a character that takes two code units.
    if (shown.size() < text.size() && !shown.isEmpty() && shown.back().isHighSurrogate()) {
        shown.chop(1);
    }
    if (shown.size() == text.size()) {
        return QLatin1Char('"') + escapedControls(shown) + QLatin1Char('"');
    }
    return QStringLiteral("\"%1\u2026\" (%2 characters)")
        .arg(escapedControls(shown), QString::number(text.size()));
}

bool isMetric(const SettingsStore& store) {
    return store.getSetting(Key::Scale, QString()) == kMetricWord;
}

UnitSystem unitSystem(const SettingsStore& store) {
    return isMetric(store) ? UnitSystem::Metric : UnitSystem::Imperial;
}

}  // namespace lattora
