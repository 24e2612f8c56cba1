// The values the line classes are drawn with: the decoded colours of one
// line set, the three line-class widths and the subdivision limits.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace lattora {

// A colour value laid out as 0x00BBGGRR (red in the low byte). Values with the
// top bit set name system colours instead.
using ColorValue = std::uint32_t;

enum class SubdivStyle { Dot = 0, Dash = 1, Solid = 2 };

struct LineColors {
    ColorValue heavyColor = 0;
    ColorValue mediumColor = 0;
    ColorValue lightColor = 0;
    ColorValue subdivColor = 0;
    std::optional<SubdivStyle> subdivStyle;  // empty: no style chosen

    friend bool operator==(const LineColors&, const LineColors&) = default;
};

// The widths as the user typed them; how drawing reads them depends on the
// unit system.
struct LineWidths {
    QString heavy;
    QString medium;
    QString light;

    friend bool operator==(const LineWidths&, const LineWidths&) = default;
};

// Lengths in the sheet unit above which an interval of a non-linear scale is
// cut into 10, 5 or 2 parts.
struct SubdivisionLimits {
    float ten = 0;
    float five = 0;
    float two = 0;
};

}  // namespace lattora
