#include "render/recordingtarget.h"

#include "sheet/numbertext.h"

namespace lattora {

namespace {

constexpr double kPointsPerInch = 72.0;

RecordingTarget::TextExtent fixedModel(const QString& text, double points) {
    return {0.6 * points * static_cast<double>(text.size()), 1.2 * points};
}

}  // namespace

RecordingTarget::RecordingTarget(int scaleMode, double pixelsPerInch, TextMetrics metrics)
    : scaleMode_(scaleMode),
      pixelsPerInch_(pixelsPerInch),
      metrics_(metrics ? std::move(metrics) : TextMetrics(fixedModel)) {}

float RecordingTarget::ScaleX(double length, int fromUnit, int toUnit) const {
    return convertLength(length, fromUnit, toUnit, pixelsPerInch_);
}

float RecordingTarget::ScaleY(double length, int fromUnit, int toUnit) const {
    return convertLength(length, fromUnit, toUnit, pixelsPerInch_);
}

void RecordingTarget::Line(double x1, double y1, double x2, double y2, ColorValue colour) {
    calls_.emplace_back(LineCall{x1, y1, x2, y2, colour});
}

double RecordingTarget::pointsToUnit(double points) const {
    return points / kPointsPerInch * unitsPerInch(scaleMode_, pixelsPerInch_);
}

double RecordingTarget::TextWidth(const QString& text) const {
    return pointsToUnit(metrics_(text, fontSize_).width);
}

double RecordingTarget::TextHeight(const QString& text) const {
    return pointsToUnit(metrics_(text, fontSize_).height);
}

void RecordingTarget::Print(double number) {
    calls_.emplace_back(LabelCall{currentX_, currentY_, numberText(number), fontSize_, number});
    currentX_ += TextWidth(printedText(number));
}

void RecordingTarget::PrintText(const QString& text) {
    calls_.emplace_back(LabelCall{currentX_, currentY_, text, fontSize_, 0, true});
    currentX_ += TextWidth(text);
}

std::vector<RecordingTarget::LineCall> RecordingTarget::lines() const {
    std::vector<LineCall> result;
    for (const Call& call : calls_) {
        if (const auto* line = std::get_if<LineCall>(&call)) {
            result.push_back(*line);
        }
    }
    return result;
}

std::vector<RecordingTarget::LabelCall> RecordingTarget::labels() const {
    std::vector<LabelCall> result;
    for (const Call& call : calls_) {
        if (const auto* label = std::get_if<LabelCall>(&call)) {
            result.push_back(*label);
        }
    }
    return result;
}

void RecordingTarget::replay(DrawTarget& target) const {
    for (const Call& call : calls_) {
        if (const auto* line = std::get_if<LineCall>(&call)) {
            target.Line(line->x1, line->y1, line->x2, line->y2, line->colour);
        } else {
            const auto& label = std::get<LabelCall>(call);
            target.FontSize(label.fontSize);
            target.CurrentX(label.x);
            target.CurrentY(label.y);
            if (label.isText) {
                target.PrintText(label.text);
            } else {
                target.Print(label.number);
            }
        }
    }
}

QString RecordingTarget::trace() const {
    QString out = QStringLiteral("unit %1\n").arg(scaleMode_);
    for (const Call& call : calls_) {
        if (const auto* line = std::get_if<LineCall>(&call)) {
            out += QStringLiteral("line %1 %2 %3 %4 %5\n")
                       .arg(formatNumber(line->x1), formatNumber(line->y1), formatNumber(line->x2),
                            formatNumber(line->y2), QString::number(line->colour));
        } else {
            const auto& label = std::get<LabelCall>(call);
            out += QStringLiteral("%1 %2 %3 %4\n")
                       .arg(label.isText ? QStringLiteral("text") : QStringLiteral("label"),
                            formatNumber(label.x), formatNumber(label.y), label.text);
        }
    }
    return out;
}

}  // namespace lattora
