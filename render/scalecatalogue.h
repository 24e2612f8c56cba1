// The fixed catalogue of axis scales: eight families, their item texts and the
// constants behind each item. The main window's lists, the renderer and the
// export command all read this one table.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace lattora {

namespace Family {
inline constexpr int Metric = 0;
inline constexpr int Imperial = 1;
inline constexpr int NDivided = 2;
inline constexpr int Time = 3;
inline constexpr int Logarithmic = 4;
inline constexpr int Quadratic = 5;
inline constexpr int SquareRoot = 6;
inline constexpr int Probability = 7;
}  // namespace Family

inline constexpr int kFamilyCount = 8;

// One entry of a family's item list. What `value` means depends on the family:
// Metric: pitch in mm; Imperial: the divisor of an inch (pitch = 1 / value);
// Time: line count; Logarithmic: cycles; Quadratic and Square Root: the
// maximum value; Probability: the first percentage. `labelStep` serves the
// families that label only some lines.
struct ScaleItem {
    const char* text;
    double value;
    double labelStep;
};

struct ScaleFamily {
    const char* text;
    std::span<const ScaleItem> items;  // empty for "N divided"
    int selectedAfterFilling;          // item a list selects when the family is chosen
};

// nullptr for an index outside the catalogue.
const ScaleFamily* scaleFamily(int family);

// nullptr for an index outside the family's list.
const ScaleItem* scaleItem(int family, int item);

QStringList familyTexts();
QStringList itemTexts(int family);

// Exact, case-sensitive look-ups of the texts the lists show; -1 when absent.
int findFamily(const QString& text);
int findItem(int family, const QString& text);

}  // namespace lattora
