#include "sheet/settingkeys.h"

#include <array>

namespace lattora {

namespace {

using enum SettingKind;

const std::array kKeys{
    SettingKey{Key::Scale, Text, nullptr, nullptr, "imperial units are used"},
    SettingKey{Key::HGraduation, Graduation, "0", "0", nullptr},
    SettingKey{Key::VGraduation, Graduation, "0", "0", nullptr},
    SettingKey{Key::Subdiv10, Single, "0.99", "0.39", nullptr},
    SettingKey{Key::Subdiv5, Single, "0.51", "0.2", nullptr},
    SettingKey{Key::Subdiv2, Single, "0.2", "0.08", nullptr},
    SettingKey{Key::StyleTemplates, Text, nullptr, nullptr, "the built-in line sets are used"},
    SettingKey{Key::CurrentStyle, Text, nullptr, nullptr, "the first line set is used"},
    SettingKey{Key::StyleWidthHeavy, Single, "13", "5", nullptr},
    SettingKey{Key::StyleWidthMedium, Single, "8", "3", nullptr},
    SettingKey{Key::StyleWidthLight, Single, "5", "2", nullptr},
};

}  // namespace

std::span<const SettingKey> settingKeys() {
    return kKeys;
}

const SettingKey* findSettingKey(QStringView name) {
    for (const SettingKey& key : kKeys) {
        if (key.name == name) {
            return &key;
        }
    }
    return nullptr;
}

}  // namespace lattora
