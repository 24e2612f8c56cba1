#include "sheet/settingsstore.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "sheet/numbertext.h"

namespace lattora {

namespace {

constexpr qsizetype kExcerptLength = 40;

bool isGraduation(const QString& key) {
    return key == Key::HGraduation || key == Key::VGraduation;
}

// The keys drawing reads in single precision.
bool isSingle(const QString& key) {
    return key == Key::Subdiv10 || key == Key::Subdiv5 || key == Key::Subdiv2 ||
           key == Key::StyleWidthHeavy || key == Key::StyleWidthMedium ||
           key == Key::StyleWidthLight;
}

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
    if (key == Key::Scale) {
        return QStringLiteral("imperial units are used");
    }
    if (key == Key::StyleTemplates) {
        return QStringLiteral("the built-in line sets are used");
    }
    if (key == Key::CurrentStyle) {
        return QStringLiteral("the first line set is used");
    }
    return QStringLiteral("it is ignored");
}

}  // namespace

QString SettingsStore::getSetting(const QString& key, double defaultValue) const {
    return getSetting(key, formatNumber(defaultValue));
}

std::optional<QString> unusableSettingReason(const QString& key, const QString& text) {
    if (!isGraduation(key) && !isSingle(key)) {
        return std::nullopt;
    }
    const std::optional<double> value = tryParseNumber(text);
    if (!value) {
        return isOutOfRange(text) ? QStringLiteral("is beyond the range of numbers")
                                  : QStringLiteral("is not a number");
    }
    if (isSingle(key) && std::fabs(*value) > std::numeric_limits<float>::max()) {
        return QStringLiteral("is beyond single precision");
    }
    return std::nullopt;
}

QString settingDefault(const QString& key, UnitSystem system) {
    const bool metric = system == UnitSystem::Metric;
    struct Default {
        const QString& key;
        const char* metric;
        const char* imperial;
    };
    static const Default kDefaults[] = {
        {Key::HGraduation, "0", "0"},      {Key::VGraduation, "0", "0"},
        {Key::Subdiv10, "0.99", "0.39"},   {Key::Subdiv5, "0.51", "0.2"},
        {Key::Subdiv2, "0.2", "0.08"},     {Key::StyleWidthHeavy, "13", "5"},
        {Key::StyleWidthMedium, "8", "3"}, {Key::StyleWidthLight, "5", "2"},
    };
    for (const Default& entry : kDefaults) {
        if (entry.key == key) {
            return QString::fromLatin1(metric ? entry.metric : entry.imperial);
        }
    }
    return {};
}

QString ignoredSettingText(const QString& key, const std::optional<QString>& text,
                           const QString& reason, UnitSystem system) {
    const QString what = text ? QStringLiteral("\"%1\": %2").arg(key, quotedExcerpt(*text))
                              : QStringLiteral("\"%1\"").arg(key);
    return QStringLiteral("%1 %2; %3").arg(what, reason, instead(key, system));
}

QString quotedExcerpt(QStringView text) {
    QString shown = text.left(kExcerptLength).toString();
    // Never end on half of a character that takes two code units.
    if (shown.size() < text.size() && !shown.isEmpty() && shown.back().isHighSurrogate()) {
        shown.chop(1);
    }
    for (QChar& c : shown) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            c = QChar(QChar::ReplacementCharacter);
        }
    }
    if (shown.size() == text.size()) {
        return QLatin1Char('"') + shown + QLatin1Char('"');
    }
    return QStringLiteral("\"%1\u2026\" (%2 characters)").arg(shown, QString::number(text.size()));
}

bool isMetric(const SettingsStore& store) {
    return store.getSetting(Key::Scale, QString()) == kMetricWord;
}

UnitSystem unitSystem(const SettingsStore& store) {
    return isMetric(store) ? UnitSystem::Metric : UnitSystem::Imperial;
}

}  // namespace lattora
