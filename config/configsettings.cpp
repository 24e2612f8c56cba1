#include "config/configsettings.h"

#include <utility>

#include "sheet/error.h"
#include "sheet/numbertext.h"

namespace lattora {

namespace {

constexpr double kCentimetresPerInch = 2.54;

// A number in single precision. Converting a double beyond the float range
// would be undefined, and the value is useless anyway, so it is refused.
float parseSingle(const QString& text) {
    const double value = parseNumber(text);
    if (!fitsSingle(value)) {
        throw Error(QStringLiteral("Overflow: \"%1\" is beyond single precision").arg(text));
    }
    return static_cast<float>(value);
}

void loadGraduation(const SettingsStore& store, const QString& key, int& position,
                    QStringList& problems) {
    const QString text = store.getSetting(key, QStringLiteral("0"));
    if (const auto reason = unusableSettingReason(key, text)) {
        problems << QStringLiteral("%1 under \"%2\" %3").arg(quotedExcerpt(text), key, *reason);
        return;
    }
    position = static_cast<int>(parseNumber(text));
}

void convertThreshold(QString& text, bool toMetric, QStringList& problems) {
    try {
        const double value = parseSingle(text);
        const double converted =
            toMetric ? value * kCentimetresPerInch : value / kCentimetresPerInch;
        if (!fitsSingle(converted)) {
            throw Error(
                QStringLiteral("Overflow: \"%1\" converted is beyond single precision").arg(text));
        }
        text = formatSingle(static_cast<float>(converted));
    } catch (const Error& error) {
        problems << error.description();
    }
}

}  // namespace

QString subdivUnitLabel(UnitSystem system) {
    return system == UnitSystem::Metric ? QStringLiteral("cm") : QStringLiteral("inch");
}

QStringList LoadSettings(ConfigSettings& settings, const SettingsStore& store) {
    QStringList problems;
    loadGraduation(store, Key::HGraduation, settings.hGraduation, problems);
    loadGraduation(store, Key::VGraduation, settings.vGraduation, problems);

    settings.unitSystem = unitSystem(store);
    for (auto [key, text] : {std::pair{&Key::Subdiv10, &settings.subdiv10},
                             std::pair{&Key::Subdiv5, &settings.subdiv5},
                             std::pair{&Key::Subdiv2, &settings.subdiv2}}) {
        *text = store.getSetting(*key, settingDefault(*key, settings.unitSystem));
    }
    return problems;
}

void SaveSettings(const ConfigSettings& settings, SettingsStore& store) {
    saveInOrder(store, {{Key::HGraduation, QString::number(settings.hGraduation)},
                        {Key::VGraduation, QString::number(settings.vGraduation)},
                        {Key::Subdiv10, settings.subdiv10},
                        {Key::Subdiv5, settings.subdiv5},
                        {Key::Subdiv2, settings.subdiv2},
                        {Key::Scale,
                         settings.unitSystem == UnitSystem::Metric ? kMetricWord : kImperialWord}});
}

QStringList SelectUnitSystem(ConfigSettings& settings, UnitSystem system) {
    QStringList problems;
    if (system == settings.unitSystem) {
        return problems;
    }
    const bool toMetric = system == UnitSystem::Metric;
    convertThreshold(settings.subdiv10, toMetric, problems);
    convertThreshold(settings.subdiv5, toMetric, problems);
    convertThreshold(settings.subdiv2, toMetric, problems);
    settings.unitSystem = system;
    return problems;
}

SubdivisionLimits subdivisionLimits(const ConfigSettings& settings) {
    return {parseSingle(settings.subdiv10), parseSingle(settings.subdiv5),
            parseSingle(settings.subdiv2)};
}

double graduationCorrection(int position) {
    return position / 1000.0;
}

GraduationCorrections graduationCorrections(const ConfigSettings& settings) {
    return {graduationCorrection(settings.hGraduation), graduationCorrection(settings.vGraduation)};
}

}  // namespace lattora
