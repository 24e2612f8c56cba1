#include "render/graph.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"

namespace lattora {

namespace {

enum class LineClass { Heavy, Medium, Light, Subdivision };

ColorValue colourOf(const LineColors& colors, LineClass lineClass) {
    switch (lineClass) {
        case LineClass::Heavy: return colors.heavyColor;
        case LineClass::Medium: return colors.mediumColor;
        case LineClass::Light: return colors.lightColor;
        case LineClass::Subdivision: return colors.subdivColor;
    }
    return colors.subdivColor;
}

struct LineWidthThresholds {
    float heavy;
    float medium;
    float light;
};

// The line widths double as the running distances after which a fixed-pitch
// line is promoted. Metric reads them as whole millimetres, imperial as
// thousandths of an inch, both converted through the target (single precision).
LineWidthThresholds readThresholds(const SettingsStore& store, const DrawTarget& target,
                                   bool metric) {
    const UnitSystem system = metric ? UnitSystem::Metric : UnitSystem::Imperial;
    const auto read = [&](const QString& key) {
        const double number = parseNumber(store.getSetting(key, settingDefault(key, system)));
        return metric ? target.ScaleX(number, Unit::Millimetre, Unit::Centimetre)
                      : target.ScaleX(number / 1000, Unit::Inch, Unit::Inch);
    };
    return {read(Key::StyleWidthHeavy), read(Key::StyleWidthMedium), read(Key::StyleWidthLight)};
}

// Draws the lines and labels of one axis across the graph area. Edges and
// positions are in the target's unit.
class AxisPainter {
public:
    AxisPainter(DrawTarget& target, const LiveInputs& inputs, bool isAbscissa, double left,
                double top, double right, double bottom)
        : target_(target),
          inputs_(inputs),
          isAbscissa_(isAbscissa),
          left_(left),
          top_(top),
          right_(right),
          bottom_(bottom) {}

    void line(double p, LineClass lineClass) {
        const ColorValue colour = colourOf(inputs_.currentLineColors(), lineClass);
        if (isAbscissa_) {
            target_.Line(p, top_, p, bottom_, colour);
        } else {
            target_.Line(left_, p, right_, p, colour);
        }
    }

    // Below the area centred on an abscissa line; right of the area centred on
    // an ordinate line.
    void label(double p, double value) {
        const QString text = numberText(value);
        target_.FontSize(6);
        if (isAbscissa_) {
            target_.CurrentX(p - target_.TextWidth(text) / 2);
            target_.CurrentY(bottom_);
        } else {
            target_.CurrentX(right_);
            target_.CurrentY(p - target_.TextHeight(text) / 2);
        }
        target_.Print(value);
    }

    void borders() {
        const ColorValue heavy = inputs_.currentLineColors().heavyColor;
        if (isAbscissa_) {
            target_.Line(left_, top_, left_, bottom_, heavy);
            target_.Line(right_, top_, right_, bottom_, heavy);
        } else {
            target_.Line(left_, top_, right_, top_, heavy);
            target_.Line(left_, bottom_, right_, bottom_, heavy);
        }
    }

private:
    DrawTarget& target_;
    const LiveInputs& inputs_;
    bool isAbscissa_;
    double left_, top_, right_, bottom_;
};

struct AxisContext {
    DrawTarget& target;
    const LiveInputs& inputs;
    bool isAbscissa;
    int family;
    int sheetUnit;
    int workingUnit;
    double start;  // working unit
    double end;    // working unit
    LineWidthThresholds thresholds;
    AxisPainter& painter;

    float scale(double length, int from, int to) const {
        return isAbscissa ? target.ScaleX(length, from, to) : target.ScaleY(length, from, to);
    }
};

// Lines of a fixed pitch fall at start, start + pitch, ... up to the end edge,
// the offset growing by repeated addition.
int countFixedPitchLines(double start, double end, double pitch, double tolerance) {
    int count = 0;
    for (double offset = 0; start + offset <= end + tolerance; offset += pitch) {
        if (++count > kMaxLinesPerAxis) {
            break;
        }
    }
    return count;
}

void walkFixedPitch(const AxisContext& ax, const ScaleItem* item, double divisions) {
    const double extent = ax.end - ax.start;
    double pitch = 0;
    switch (ax.family) {
        case Family::Metric: pitch = item->value; break;
        case Family::Imperial: pitch = 1.0 / item->value; break;
        case Family::NDivided: pitch = extent / divisions; break;
        case Family::Time: pitch = extent / (item->value - 1); break;
    }
    // A pitch that does not advance would never reach the far edge.
    if (!(pitch > 0)) {
        return;
    }
    if (!std::isfinite(pitch)) {
        throw Error(QStringLiteral("Overflow"));
    }
    // Where the pitch divides the extent exactly, the summed offsets can land
    // a rounding error past the far edge: that last line belongs on the edge.
    // Metric and imperial pitches keep the strict test, since there a last,
    // narrower cell is what the user asked for.
    const bool dividesExtent = ax.family == Family::NDivided || ax.family == Family::Time;
    const double tolerance = dividesExtent ? pitch * 1e-6 : 0.0;
    if (countFixedPitchLines(ax.start, ax.end, pitch, tolerance) > kMaxLinesPerAxis) {
        throw Error(QStringLiteral("Too many grid lines"));
    }

    // Each line adds the pitch, in the sheet unit, to three running distances;
    // a distance that reaches its threshold promotes the line and starts over.
    const int pitchUnit = ax.family == Family::Metric     ? Unit::Millimetre
                          : ax.family == Family::Imperial ? Unit::Inch
                                                          : ax.target.ScaleMode();
    const double pitchInSheetUnit = ax.scale(pitch, pitchUnit, ax.sheetUnit);
    const bool positionsInWorkingUnit =
        ax.family == Family::Metric || ax.family == Family::Imperial;

    double dH = 0, dM = 0, dL = 0;
    int counter = 0;
    for (double offset = 0; ax.start + offset <= ax.end + tolerance; offset += pitch) {
        dH += pitchInSheetUnit;
        dM += pitchInSheetUnit;
        dL += pitchInSheetUnit;
        LineClass lineClass = LineClass::Subdivision;
        if (dL >= ax.thresholds.light) {
            lineClass = LineClass::Light;
            dL = 0;
        }
        if (dM >= ax.thresholds.medium) {
            lineClass = LineClass::Medium;
            dM = 0;
        }
        if (dH >= ax.thresholds.heavy) {
            lineClass = LineClass::Heavy;
            dH = 0;
        }
        const double position = std::min(ax.start + offset, ax.end);
        const double p = positionsInWorkingUnit
                             ? ax.scale(position, ax.workingUnit, ax.target.ScaleMode())
                             : position;
        ax.painter.line(p, lineClass);
        if (ax.family == Family::Time) {
            ax.painter.label(p, ++counter);
        }
    }
}

// Main lines of the non-linear scales, each preceded by the subdivisions of
// the interval it closes.
class MainLineWalker {
public:
    explicit MainLineWalker(const AxisContext& ax) : ax_(ax) {}

    void mainLine(double offset, LineClass lineClass, std::optional<double> label = {}) {
        const SubdivisionLimits limits = ax_.inputs.subdivisionLimits();
        const double interval = offset - previous_;
        // Intervals are judged by their horizontal length on both axes.
        const float length = ax_.target.ScaleX(interval, ax_.target.ScaleMode(), ax_.sheetUnit);
        int parts = 0;
        if (length > limits.two) {
            parts = 2;
        }
        if (length > limits.five) {
            parts = 5;
        }
        if (length > limits.ten) {
            parts = 10;
        }
        for (int j = 1; j < parts; ++j) {
            ax_.painter.line(ax_.start + previous_ + j * interval / parts, LineClass::Subdivision);
        }
        ax_.painter.line(ax_.start + offset, lineClass);
        if (label) {
            ax_.painter.label(ax_.start + offset, *label);
        }
        previous_ = offset;
    }

private:
    const AxisContext& ax_;
    double previous_ = 0;
};

void walkLogarithmic(MainLineWalker& walker, double extent, int cycles) {
    const double k = extent / cycles;
    for (int c = 0; c < cycles; ++c) {
        for (int j = 1; j <= 10; ++j) {
            const double offset = extent * c / cycles + k * std::log(j) / std::log(10.0);
            walker.mainLine(offset, LineClass::Light, j);
        }
        walker.mainLine(extent * (c + 1) / cycles, LineClass::Medium);
    }
}

void walkQuadratic(MainLineWalker& walker, double extent, int maximum, int labelStep) {
    const double k = extent / (static_cast<double>(maximum) * maximum);
    for (int i = 0; i <= maximum; ++i) {
        const double offset = static_cast<double>(i) * i * k;
        if (i % labelStep == 0) {
            walker.mainLine(offset, LineClass::Medium, i);
        } else {
            walker.mainLine(offset, LineClass::Light);
        }
    }
}

void walkSquareRoot(MainLineWalker& walker, double extent, int maximum, int labelStep) {
    const double k = extent / std::sqrt(static_cast<double>(maximum));
    for (int i = 1; i <= maximum; ++i) {
        const double offset = std::sqrt(static_cast<double>(i)) * k;
        if (i % labelStep == 0) {
            walker.mainLine(offset, LineClass::Medium, i);
        } else {
            walker.mainLine(offset, LineClass::Light);
        }
    }
}

// Percentages advance by the first percentage on the abscissa and by whole
// points on the ordinate, summed in double precision: with 0.1 steps a sum
// rarely lands exactly on a multiple of 10, so such lines stay unlabelled.
void walkProbability(MainLineWalker& walker, double extent, double firstPercent, double labelStep,
                     bool isAbscissa) {
    const double lo = LogLogTransform(firstPercent / 100);
    const double hi = LogLogTransform((100 - firstPercent) / 100);
    const double step = isAbscissa ? firstPercent : 1.0;
    double p = firstPercent;
    do {
        const double offset = (LogLogTransform(p / 100) - lo) * extent / (hi - lo);
        const bool major = p == std::nearbyint(p) && std::fmod(p, labelStep) == 0;
        if (major) {
            walker.mainLine(offset, LineClass::Medium, p);
        } else {
            walker.mainLine(offset, LineClass::Light);
        }
        p += step;
    } while (p < 99);
}

// Walks the lines of `family`'s scale between the context's edges. Callers
// pass list positions and a validated count; anything else draws the borders
// alone rather than looping on a pitch that never advances.
void walkScale(const AxisContext& ax, std::int16_t family, const ScaleItem* entry,
               double divisions) {
    switch (family) {
        case Family::Metric:
        case Family::Imperial:
        case Family::Time:
            if (entry != nullptr) {
                walkFixedPitch(ax, entry, divisions);
            }
            return;
        case Family::NDivided:
            if (divisions > 0) {
                walkFixedPitch(ax, nullptr, divisions);
            }
            return;
        default: break;
    }
    if (entry == nullptr) {
        return;
    }
    MainLineWalker walker(ax);
    const double extent = ax.end - ax.start;
    const auto value = static_cast<int>(entry->value);
    const auto step = static_cast<int>(entry->labelStep);
    switch (family) {
        case Family::Logarithmic: walkLogarithmic(walker, extent, value); break;
        case Family::Quadratic: walkQuadratic(walker, extent, value, step); break;
        case Family::SquareRoot: walkSquareRoot(walker, extent, value, step); break;
        case Family::Probability:
            walkProbability(walker, extent, entry->value, entry->labelStep, ax.isAbscissa);
            break;
    }
}

}  // namespace

double LogLogTransform(double q) {
    if (q == 1) {
        throw Error(QStringLiteral("Division by zero"));
    }
    if (!(q > 0 && q < 1)) {
        throw Error(QStringLiteral("Invalid procedure call or argument: LogLogTransform(%1)")
                        .arg(formatNumber(q)));
    }
    const double result = std::log(std::log(1 / (1 - q)));
    if (!std::isfinite(result)) {
        throw Error(QStringLiteral("Invalid procedure call or argument: LogLogTransform(%1)")
                        .arg(formatNumber(q)));
    }
    return result;
}

void Graph::DrawAxisGrid(DrawTarget& target, bool isAbscissa, std::int16_t family,
                         std::int16_t item, double left, double top, double width, double height,
                         double divisions, double hCorrection, double vCorrection) const {
    requireFinite(left, "left");
    requireFinite(top, "top");
    requireFinite(width, "width");
    requireFinite(height, "height");
    requireFinite(hCorrection, "the horizontal correction");
    requireFinite(vCorrection, "the vertical correction");
    if (family == Family::NDivided) {
        requireFinite(divisions, "the number of divisions");
    }

    // A correction c moves the near edge by c and the far edge by 2c.
    left += hCorrection;
    width += hCorrection;
    top += vCorrection;
    height += vCorrection;

    const bool metric = isMetric(store_);
    const int sheet = sheetUnit(metric ? UnitSystem::Metric : UnitSystem::Imperial);
    const LineWidthThresholds thresholds = readThresholds(store_, target, metric);

    const double right = left + width;
    const double bottom = top + height;
    requireFinite(right, "right");
    requireFinite(bottom, "bottom");

    const int mode = target.ScaleMode();
    const int working = family == Family::Metric     ? Unit::Millimetre
                        : family == Family::Imperial ? Unit::Inch
                                                     : mode;
    const double wLeft = target.ScaleX(left, sheet, working);
    const double wRight = target.ScaleX(right, sheet, working);
    const double wTop = target.ScaleY(top, sheet, working);
    const double wBottom = target.ScaleY(bottom, sheet, working);

    const ScaleFamily* scale = scaleFamily(family);
    if (scale == nullptr) {
        return;
    }

    // The edges as the target draws them.
    const bool convert = family == Family::Metric || family == Family::Imperial;
    AxisPainter painter(target, inputs_, isAbscissa,
                        convert ? target.ScaleX(wLeft, working, mode) : wLeft,
                        convert ? target.ScaleY(wTop, working, mode) : wTop,
                        convert ? target.ScaleX(wRight, working, mode) : wRight,
                        convert ? target.ScaleY(wBottom, working, mode) : wBottom);

    const AxisContext ax{target,
                         inputs_,
                         isAbscissa,
                         family,
                         sheet,
                         working,
                         isAbscissa ? wLeft : wTop,
                         isAbscissa ? wRight : wBottom,
                         thresholds,
                         painter};
    walkScale(ax, family, scaleItem(family, item), divisions);
    painter.borders();
}

}  // namespace lattora
