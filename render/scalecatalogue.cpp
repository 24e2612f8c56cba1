#include "render/scalecatalogue.h"

#include <array>

namespace lattora {

namespace {

constexpr std::array kMetricItems{
    ScaleItem{"1 mm", 1, 0},
    ScaleItem{"2 mm", 2, 0},
    ScaleItem{"5 mm", 5, 0},
    ScaleItem{"10 mm", 10, 0},
};

constexpr std::array kImperialItems{
    ScaleItem{"Half-inch", 2, 0},  ScaleItem{"1/16 inch", 16, 0}, ScaleItem{"1/12 inch", 12, 0},
    ScaleItem{"1/10 inch", 10, 0}, ScaleItem{"1/8 inch", 8, 0},   ScaleItem{"1/4 inch", 4, 0},
};

constexpr std::array kTimeItems{
    ScaleItem{"12 months", 12, 0},
    ScaleItem{"31 days", 31, 0},
    ScaleItem{"24 hours", 24, 0},
    ScaleItem{"60 minutes", 60, 0},
};

constexpr std::array kLogarithmicItems{
    ScaleItem{"1 cycle", 1, 0},  ScaleItem{"2 cycles", 2, 0}, ScaleItem{"3 cycles", 3, 0},
    ScaleItem{"4 cycles", 4, 0}, ScaleItem{"5 cycles", 5, 0}, ScaleItem{"6 cycles", 6, 0},
};

// Quadratic and Square Root share their items.
constexpr std::array kRangeItems{
    ScaleItem{"0 to 10", 10, 1},
    ScaleItem{"0 to 20", 20, 5},
    ScaleItem{"0 to 50", 50, 10},
};

constexpr std::array kProbabilityItems{
    ScaleItem{"1% to 99%", 1, 10},
    ScaleItem{"0.1% to 99.9%", 0.1, 10},
};

const std::array<ScaleFamily, kFamilyCount> kFamilies{{
    {"Metric", kMetricItems, 0},
    {"Imperial", kImperialItems, 0},
    {"N divided", {}, -1},
    {"Time", kTimeItems, 1},
    {"Logarithmic", kLogarithmicItems, 1},
    {"Quadratic", kRangeItems, 1},
    {"Square Root", kRangeItems, 1},
    {"Probability", kProbabilityItems, 1},
}};

}  // namespace

const ScaleFamily* scaleFamily(int family) {
    if (family < 0 || family >= kFamilyCount) {
        return nullptr;
    }
    return &kFamilies[static_cast<std::size_t>(family)];
}

const ScaleItem* scaleItem(int family, int item) {
    const ScaleFamily* f = scaleFamily(family);
    if (f == nullptr || item < 0 || static_cast<std::size_t>(item) >= f->items.size()) {
        return nullptr;
    }
    return &f->items[static_cast<std::size_t>(item)];
}

QStringList familyTexts() {
    QStringList texts;
    for (const ScaleFamily& f : kFamilies) {
        texts << QString::fromLatin1(f.text);
    }
    return texts;
}

QStringList itemTexts(int family) {
    QStringList texts;
    if (const ScaleFamily* f = scaleFamily(family)) {
        for (const ScaleItem& i : f->items) {
            texts << QString::fromLatin1(i.text);
        }
    }
    return texts;
}

int findFamily(const QString& text) {
    return static_cast<int>(familyTexts().indexOf(text));
}

int findItem(int family, const QString& text) {
    return static_cast<int>(itemTexts(family).indexOf(text));
}

}  // namespace lattora
