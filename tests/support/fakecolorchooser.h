// A colour chooser that answers every request as cancelled: for windows driven
// without a person (tests, screenshots, benchmarks) that never pick a colour.
#pragma once

#include "platform/ui/colorchooser.h"

namespace lattora {

class NoColorChooser : public ColorChooser {
public:
    std::optional<ColorValue> chooseColor(QWidget*, ColorValue) override { return std::nullopt; }
};

}  // namespace lattora
