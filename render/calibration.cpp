#include "render/calibration.h"

#include <QString>
#include <cmath>

#include "sheet/error.h"
#include "sheet/linevalues.h"
#include "sheet/numbertext.h"
#include "sheet/units.h"

namespace lattora {

namespace {

constexpr ColorValue kInk = 0x000000;
// The square's inner grid is lighter, so its outline stays the edge to measure.
constexpr ColorValue kInnerGrid = 0x909090;

constexpr double kTitlePoints = 11;
constexpr double kSubtitlePoints = 8;
constexpr double kCaptionPoints = 8;
constexpr double kNumberPoints = 7;
constexpr double kNotePoints = 7;

// The layout, in millimetres from the printable area's top-left corner. The
// page must fit the printable area of an A5 sheet (138 x 200 mm with 5 mm
// margins): the horizontal rules reach about 130 mm across, the vertical ones
// about 155 mm down.
constexpr double kTitleTopMm = 2;
constexpr double kRuleLeftMm = 15;  // zero of the horizontal rules
constexpr double kMillimetreRuleTopMm = 15;
constexpr double kInchRuleTopMm = 31;
constexpr double kVerticalTopMm = 52;  // zero of the vertical rules
constexpr double kVerticalMillimetreLeftMm = 15;
constexpr double kVerticalInchLeftMm = 37;
constexpr double kSquareLeftMm = 62;
constexpr double kSquareTopMm = kVerticalTopMm;
constexpr double kSquareSideMm = 50;
constexpr double kSquareGridMm = 10;
constexpr double kNotesTopMm = 112;

constexpr double kLongTickMm = 5;
constexpr double kNumberGapMm = 0.8;   // between the longest tick and a number
constexpr double kCaptionGapMm = 3;    // between a rule and its caption
constexpr double kCaptionRaiseMm = 2;  // between a caption and what it stands above

// One rule: its length divided into equal steps, how long each step's tick
// is and which ticks carry a number.
struct Rule {
    double lengthMm;
    int steps;
    int stepsPerNumber;
    double numberStep;  // how much the numbers grow from one to the next
    double (*tickMm)(int step);
    const char* caption;
};

double millimetreTick(int step) {
    if (step % 10 == 0) {
        return kLongTickMm;
    }
    return step % 5 == 0 ? 3.5 : 2;
}

double eighthInchTick(int step) {
    if (step % 8 == 0) {
        return kLongTickMm;
    }
    if (step % 4 == 0) {
        return 3.5;
    }
    return step % 2 == 0 ? 2.75 : 2;
}

constexpr Rule kMillimetreRule{100, 100, 10, 10, millimetreTick, "100 mm"};
constexpr Rule kInchRule{4 * kMillimetresPerInch, 32, 8, 1, eighthInchTick, "4 in"};

// How the target's unit is named in the notes.
QString unitName(int unitCode) {
    switch (unitCode) {
        case Unit::Centimetre: return QStringLiteral("cm");
        case Unit::Millimetre: return QStringLiteral("mm");
        case Unit::Inch: return QStringLiteral("in");
        case Unit::Twip: return QStringLiteral("twip");
        case Unit::Pixel: return QStringLiteral("pixel");
        default: return QStringLiteral("unit");
    }
}

// A slider position as the configuration dialog shows it: a whole number
// unless a correction was set some other way.
QString sliderPosition(double correction) {
    return QString::number(correction * 1000, 'g', 6);
}

class CalibrationPainter {
public:
    CalibrationPainter(DrawTarget& target, double hCorrection, double vCorrection)
        : target_(target), h_(hCorrection), v_(vCorrection) {
        const int unit = target.ScaleMode();
        // Exact unit sizes rather than the target's single-precision
        // conversions: a rule's length is what the page is about.
        const auto perMillimetre = [unit](double pixelsPerInch) {
            return unitsPerInch(unit, pixelsPerInch) / kMillimetresPerInch;
        };
        perMmX_ = perMillimetre(target.ScaleX(1, Unit::Inch, Unit::Pixel));
        perMmY_ = perMillimetre(target.ScaleY(1, Unit::Inch, Unit::Pixel));
        if (!(perMmX_ > 0) || !(perMmY_ > 0)) {
            throw Error(QStringLiteral("Invalid property value: scale mode %1").arg(unit));
        }
    }

    double x(double mm) const { return mm * perMmX_; }
    double y(double mm) const { return mm * perMmY_; }

    void title() {
        target_.FontSize(kTitlePoints);
        const QString title = QStringLiteral("Lattora calibration page");
        text(x(kRuleLeftMm), y(kTitleTopMm), title);
        const double below = y(kTitleTopMm) + target_.TextHeight(title);
        target_.FontSize(kSubtitlePoints);
        text(x(kRuleLeftMm), below,
             QStringLiteral("horizontal correction %1, vertical correction %2")
                 .arg(sliderPosition(h_), sliderPosition(v_)));
    }

    // Ticks hang below the rule, numbers below the ticks; the caption follows
    // the rule's far end.
    void horizontalRule(const Rule& rule, double leftMm, double topMm) {
        const double start = x(leftMm) + h_;
        const double end = x(leftMm + rule.lengthMm) + 2 * h_;
        const double base = y(topMm);
        target_.Line(start, base, end, base, kInk);
        for (int step = 0; step <= rule.steps; ++step) {
            const double p = along(start, end, step, rule.steps);
            target_.Line(p, base, p, base + y(rule.tickMm(step)), kInk);
        }
        target_.FontSize(kNumberPoints);
        for (int step = 0; step <= rule.steps; step += rule.stepsPerNumber) {
            const double number = step / rule.stepsPerNumber * rule.numberStep;
            // Print pads a number with a blank on either side, so the padded
            // text centred on the tick centres the digits too.
            const double p = along(start, end, step, rule.steps);
            target_.CurrentX(p - target_.TextWidth(printedText(number)) / 2);
            target_.CurrentY(base + y(kLongTickMm + kNumberGapMm));
            target_.Print(number);
        }
        target_.FontSize(kCaptionPoints);
        const QString caption = QString::fromLatin1(rule.caption);
        text(end + x(kCaptionGapMm), base - target_.TextHeight(caption) / 2, caption);
    }

    // Ticks to the right of the rule, numbers right of the ticks; the caption
    // stands above the rule's zero.
    void verticalRule(const Rule& rule, double leftMm, double topMm) {
        const double start = y(topMm) + v_;
        const double end = y(topMm + rule.lengthMm) + 2 * v_;
        const double base = x(leftMm);
        target_.Line(base, start, base, end, kInk);
        for (int step = 0; step <= rule.steps; ++step) {
            const double p = along(start, end, step, rule.steps);
            target_.Line(base, p, base + x(rule.tickMm(step)), p, kInk);
        }
        target_.FontSize(kNumberPoints);
        for (int step = 0; step <= rule.steps; step += rule.stepsPerNumber) {
            const double number = step / rule.stepsPerNumber * rule.numberStep;
            const double p = along(start, end, step, rule.steps);
            target_.CurrentX(base + x(kLongTickMm + kNumberGapMm));
            target_.CurrentY(p - target_.TextHeight(printedText(number)) / 2);
            target_.Print(number);
        }
        caption(base, y(topMm), QString::fromLatin1(rule.caption));
    }

    void square(double leftMm, double topMm) {
        const double left = x(leftMm) + h_;
        const double right = x(leftMm + kSquareSideMm) + 2 * h_;
        const double top = y(topMm) + v_;
        const double bottom = y(topMm + kSquareSideMm) + 2 * v_;
        const int cells = static_cast<int>(std::lround(kSquareSideMm / kSquareGridMm));
        for (int i = 1; i < cells; ++i) {
            const double across = along(left, right, i, cells);
            target_.Line(across, top, across, bottom, kInnerGrid);
            const double down = along(top, bottom, i, cells);
            target_.Line(left, down, right, down, kInnerGrid);
        }
        target_.Line(left, top, right, top, kInk);
        target_.Line(right, top, right, bottom, kInk);
        target_.Line(right, bottom, left, bottom, kInk);
        target_.Line(left, bottom, left, top, kInk);
        caption(x(leftMm), y(topMm), QStringLiteral("50 mm square"));
    }

    // What a slider step does, in the unit the corrections are given in.
    void notes(double leftMm, double topMm) {
        const QString unit = unitName(target_.ScaleMode());
        const QString lines[] = {
            QStringLiteral("Measure each rule from its 0 to its last tick."),
            QStringLiteral("One slider step lengthens a rule by 0.001 %1:").arg(unit),
            QStringLiteral("its 0 moves by 0.001 %1, its end by 0.002 %1.").arg(unit),
        };
        target_.FontSize(kNotePoints);
        double top = y(topMm);
        for (const QString& line : lines) {
            text(x(leftMm), top, line);
            top += target_.TextHeight(line);
        }
    }

private:
    // Step `step` of `steps` equal steps from `start` to `end`.
    static double along(double start, double end, int step, int steps) {
        return start + (end - start) * step / steps;
    }

    void text(double left, double top, const QString& text) {
        target_.CurrentX(left);
        target_.CurrentY(top);
        target_.PrintText(text);
    }

    // A caption whose box ends a little above `top`, from `left` on.
    void caption(double left, double top, const QString& caption) {
        target_.FontSize(kCaptionPoints);
        text(left, top - y(kCaptionRaiseMm) - target_.TextHeight(caption), caption);
    }

    DrawTarget& target_;
    double h_;
    double v_;
    double perMmX_ = 0;
    double perMmY_ = 0;
};

}  // namespace

void DrawCalibrationPage(DrawTarget& target, double hCorrection, double vCorrection) {
    requireFinite(hCorrection, "the horizontal correction");
    requireFinite(vCorrection, "the vertical correction");
    CalibrationPainter page(target, hCorrection, vCorrection);
    page.title();
    page.horizontalRule(kMillimetreRule, kRuleLeftMm, kMillimetreRuleTopMm);
    page.horizontalRule(kInchRule, kRuleLeftMm, kInchRuleTopMm);
    page.verticalRule(kMillimetreRule, kVerticalMillimetreLeftMm, kVerticalTopMm);
    page.verticalRule(kInchRule, kVerticalInchLeftMm, kVerticalTopMm);
    page.square(kSquareLeftMm, kSquareTopMm);
    page.notes(kSquareLeftMm, kNotesTopMm);
}

}  // namespace lattora
