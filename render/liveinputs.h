// What the renderer asks of the program while it draws: the current line
// colours and the subdivision limits.
#pragma once

#include "sheet/linevalues.h"

namespace lattora {

// Values the renderer takes live from the program's dialogs: the colours of
// the current line set and the subdivision limits. Both are asked anew for
// every line, so an implementation should answer cheaply. Either may raise
// Error (a limit field whose text is not a number).
class LiveInputs {
public:
    virtual ~LiveInputs() = default;
    virtual LineColors currentLineColors() const = 0;
    virtual SubdivisionLimits subdivisionLimits() const = 0;
};

// Fixed answers: for batch output and tests.
class FixedInputs : public LiveInputs {
public:
    FixedInputs() = default;
    FixedInputs(LineColors colors, SubdivisionLimits limits) : colors_(colors), limits_(limits) {}
    LineColors currentLineColors() const override { return colors_; }
    SubdivisionLimits subdivisionLimits() const override { return limits_; }
    void setColors(const LineColors& colors) { colors_ = colors; }
    void setLimits(const SubdivisionLimits& limits) { limits_ = limits; }

private:
    LineColors colors_;
    SubdivisionLimits limits_;
};

}  // namespace lattora
