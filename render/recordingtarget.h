// A drawing target that only records what is drawn: the renderer's tests use
// it, and the export command writes its record as a trace.
#pragma once

#include <QString>
#include <functional>
#include <variant>
#include <vector>

#include "render/drawtarget.h"
#include "sheet/units.h"

namespace lattora {

class RecordingTarget : public DrawTarget {
public:
    struct LineCall {
        double x1, y1, x2, y2;
        ColorValue colour;
    };
    // A printed number or text: the current position when Print or
    // PrintText was called, the text (a number's without the blanks Print
    // adds) and the font size.
    struct LabelCall {
        double x, y;
        QString text;
        double fontSize;
        double number;        // what Print was given; 0 for a text
        bool isText = false;  // printed by PrintText
    };
    using Call = std::variant<LineCall, LabelCall>;

    // Extent of a text at a font size, both in points.
    struct TextExtent {
        double width;
        double height;
    };
    using TextMetrics = std::function<TextExtent(const QString& text, double points)>;

    // Without metrics the target measures text by a fixed model that needs no
    // font: every character 0.6 em wide, lines 1.2 em high.
    explicit RecordingTarget(int scaleMode = Unit::Centimetre, double pixelsPerInch = 96,
                             TextMetrics metrics = {});

    int ScaleMode() const override { return scaleMode_; }
    float ScaleX(double length, int fromUnit, int toUnit) const override;
    float ScaleY(double length, int fromUnit, int toUnit) const override;
    void Line(double x1, double y1, double x2, double y2, ColorValue colour) override;
    void FontSize(double points) override { fontSize_ = points; }
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    void CurrentX(double x) override { currentX_ = x; }
    void CurrentY(double y) override { currentY_ = y; }
    void Print(double number) override;
    void PrintText(const QString& text) override;

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<LineCall> lines() const;
    std::vector<LabelCall> labels() const;
    double fontSize() const { return fontSize_; }
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void clear() { calls_.clear(); }

    // Draws everything recorded, in order, on `target`: lines as they were
    // drawn, labels printed at their recorded position and size, numbers by
    // Print and texts by PrintText.
    void replay(DrawTarget& target) const;

    // One record a line: "unit U", then "line X1 Y1 X2 Y2 COLOUR", "label X Y
    // NUMBER" and "text X Y TEXT" (the rest of the line, blanks included) in
    // drawing order; numbers in shortest round-trip form.
    QString trace() const;

private:
    double pointsToUnit(double points) const;

    int scaleMode_;
    double pixelsPerInch_;
    TextMetrics metrics_;
    double fontSize_ = 8.25;
    double currentX_ = 0;
    double currentY_ = 0;
    std::vector<Call> calls_;
};

}  // namespace lattora
