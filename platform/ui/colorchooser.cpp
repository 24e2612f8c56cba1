#include "platform/ui/colorchooser.h"

#include <QColorDialog>

#include "platform/output/qtcolor.h"

namespace lattora {

std::optional<ColorValue> QtColorChooser::chooseColor(QWidget* parent, ColorValue initial) {
    const QColor chosen = QColorDialog::getColor(qColorFromValue(initial), parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return static_cast<ColorValue>(chosen.red()) | static_cast<ColorValue>(chosen.green()) << 8 |
           static_cast<ColorValue>(chosen.blue()) << 16;
}

}  // namespace lattora
