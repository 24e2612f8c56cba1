// Unit codes shared by the drawing targets, the sheet and the printer page,
// and the two unit systems of the program.
#pragma once

namespace lattora {

// Whole-number unit codes as they cross the drawing-target contract.
namespace Unit {
inline constexpr int Twip = 1;
inline constexpr int Pixel = 3;
inline constexpr int Inch = 5;
inline constexpr int Millimetre = 6;
inline constexpr int Centimetre = 7;
}  // namespace Unit

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kTwipsPerCentimetre = 1440.0 / 2.54;
inline constexpr double kMillimetresPerInch = 25.4;

enum class UnitSystem { Metric, Imperial };

// Centimetres under Metric, inches otherwise.
constexpr int sheetUnit(UnitSystem system) {
    return system == UnitSystem::Metric ? Unit::Centimetre : Unit::Inch;
}

// How many of `unitCode` make one inch; `pixelsPerInch` serves the pixel code.
// Returns 0 for a code the program does not use.
constexpr double unitsPerInch(int unitCode, double pixelsPerInch) {
    switch (unitCode) {
        case Unit::Twip: return kTwipsPerInch;
        case Unit::Pixel: return pixelsPerInch;
        case Unit::Inch: return 1.0;
        case Unit::Millimetre: return kMillimetresPerInch;
        case Unit::Centimetre: return kMillimetresPerInch / 10.0;
        default: return 0.0;
    }
}

}  // namespace lattora
