// Choosing a colour, behind an interface so that tests answer instead of a
// person.
#pragma once

#include <optional>

#include "sheet/linevalues.h"

class QWidget;

namespace lattora {

class ColorChooser {
public:
    virtual ~ColorChooser() = default;
    // The chosen colour as 0x00BBGGRR, or nothing when the user cancels.
    virtual std::optional<ColorValue> chooseColor(QWidget* parent, ColorValue initial) = 0;
};

// The desktop's colour dialog.
class QtColorChooser : public ColorChooser {
public:
    std::optional<ColorValue> chooseColor(QWidget* parent, ColorValue initial) override;
};

}  // namespace lattora
