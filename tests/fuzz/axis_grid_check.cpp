// One axis of the grid drawn from arbitrary geometry: the renderer either
// draws a bounded number of finite lines along the axis or raises Error.
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/exportcommand.h"
#include "render/graph.h"
#include "render/recordingtarget.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "tests/fuzz/entries.h"

namespace lattora::fuzz {

namespace {

// The settings the renderer reads while drawing: the unit system and the
// three line widths, absent unless the case gives them.
class CaseStore : public SettingsStore {
public:
    explicit CaseStore(const AxisGridCase& c) {
        values_.insert(Key::Scale, c.metric ? kMetricWord : kImperialWord);
        const auto put = [this](const QString& key, const std::optional<double>& width) {
            if (width) {
                values_.insert(key, formatNumber(*width));
            }
        };
        put(Key::StyleWidthHeavy, c.widthHeavy);
        put(Key::StyleWidthMedium, c.widthMedium);
        put(Key::StyleWidthLight, c.widthLight);
    }
    QString getSetting(const QString& key, const QString& defaultValue) const override {
        return values_.value(key, defaultValue);
    }
    // Drawing never writes; a write is dropped rather than changing the case.
    void saveSetting(const QString&, const QString&) override {}
    using SettingsStore::getSetting;

private:
    QHash<QString, QString> values_;
};

template <typename T>
void read(Bytes input, std::size_t offset, T& field) {
    if (offset + sizeof(T) <= input.size()) {
        std::memcpy(&field, input.data() + offset, sizeof(T));
    }
}

void read(Bytes input, std::size_t offset, std::optional<double>& field) {
    double value = 0;
    if (offset + sizeof value <= input.size()) {
        read(input, offset, value);
        field = value;
    }
}

QString describeCase(const AxisGridCase& c) {
    QString text = QStringLiteral(
                       "%1 %2, unit %3, family %4 item %5, area %6 %7 %8 %9, divisions %10, "
                       "corrections %11 %12, limits %13 %14 %15, %16 dpi")
                       .arg(c.isAbscissa ? QStringLiteral("abscissa") : QStringLiteral("ordinate"),
                            c.metric ? QStringLiteral("metric") : QStringLiteral("imperial"))
                       .arg(c.scaleMode)
                       .arg(c.family)
                       .arg(c.item)
                       .arg(formatNumber(c.left), formatNumber(c.top), formatNumber(c.width),
                            formatNumber(c.height), formatNumber(c.divisions),
                            formatNumber(c.hCorrection), formatNumber(c.vCorrection))
                       .arg(formatSingle(c.limits.ten), formatSingle(c.limits.five),
                            formatSingle(c.limits.two))
                       .arg(c.pixelsPerInch);
    for (const auto& [name, width] :
         {std::pair{"heavy", c.widthHeavy}, {"medium", c.widthMedium}, {"light", c.widthLight}}) {
        if (width) {
            text += QStringLiteral(", %1 width %2").arg(QLatin1String(name), formatNumber(*width));
        }
    }
    return text;
}

}  // namespace

AxisGridCase decodeAxisGridCase(Bytes input) {
    AxisGridCase c;
    std::uint8_t flags = 0;
    read(input, 0, flags);
    if (!input.empty()) {
        c.isAbscissa = (flags & 1) != 0;
        c.metric = (flags & 2) != 0;
    }
    std::uint8_t mode = 0;
    if (input.size() > 1) {
        read(input, 1, mode);
        c.scaleMode = mode & 7;
    }
    read(input, 2, c.family);
    read(input, 4, c.item);
    double* const geometry[] = {&c.left,      &c.top,         &c.width,      &c.height,
                                &c.divisions, &c.hCorrection, &c.vCorrection};
    std::size_t offset = 6;
    for (double* field : geometry) {
        read(input, offset, *field);
        offset += sizeof(double);
    }
    read(input, 62, c.limits.ten);
    read(input, 66, c.limits.five);
    read(input, 70, c.limits.two);
    read(input, 74, c.widthHeavy);
    read(input, 82, c.widthMedium);
    read(input, 90, c.widthLight);
    std::uint16_t dpi = 0;
    if (input.size() >= 100) {
        read(input, 98, dpi);
        c.pixelsPerInch = kMinDpi + dpi % (kMaxDpi - kMinDpi + 1);
    }
    return c;
}

QString checkAxisGrid(Bytes input) {
    const AxisGridCase c = decodeAxisGridCase(input);
    const CaseStore store(c);
    // One colour a line class, none of them 0, so that every recorded colour
    // is known to come from the current line set.
    LineColors colours;
    colours.heavyColor = 1;
    colours.mediumColor = 2;
    colours.lightColor = 3;
    colours.subdivColor = 4;
    const FixedInputs inputs(colours, c.limits);
    const Graph graph(store, inputs);
    RecordingTarget target(c.scaleMode, c.pixelsPerInch);

    bool finished = true;
    QString outcome = QStringLiteral("drawn");
    try {
        graph.DrawAxisGrid(target, c.isAbscissa, c.family, c.item, c.left, c.top, c.width, c.height,
                           c.divisions, c.hCorrection, c.vCorrection);
    } catch (const Error& e) {
        // A refusal is a fine outcome; the lines drawn before it stay and are
        // checked like any others.
        finished = false;
        outcome = QStringLiteral("refused (%1)").arg(e.description());
    }

    const std::vector<RecordingTarget::LineCall> lines = target.lines();
    const auto report = [&](const QString& what, const RecordingTarget::LineCall& line) {
        return QStringLiteral("%1 from %2, %3 to %4, %5; %6, %7")
            .arg(what, formatNumber(line.x1), formatNumber(line.y1), formatNumber(line.x2),
                 formatNumber(line.y2), describeCase(c), outcome);
    };
    if (lines.size() > kMaxRecordedLines) {
        return QStringLiteral("%1 lines recorded, at most %2 expected; %3, %4")
            .arg(lines.size())
            .arg(kMaxRecordedLines)
            .arg(describeCase(c), outcome);
    }
    for (const RecordingTarget::LineCall& line : lines) {
        if (!std::isfinite(line.x1) || !std::isfinite(line.y1) || !std::isfinite(line.x2) ||
            !std::isfinite(line.y2)) {
            return report(QStringLiteral("a line not at a finite place"), line);
        }
        if (c.isAbscissa ? line.x1 != line.x2 : line.y1 != line.y2) {
            return report(QStringLiteral("a line across the axis"), line);
        }
        if (line.colour < 1 || line.colour > 4) {
            return report(QStringLiteral("a line in colour %1").arg(line.colour), line);
        }
    }

    // A finished axis ends with its two borders, and every line before them
    // spans the area between the borders' ends and lies between the borders,
    // give or take the rounding of the positions.
    if (finished && !lines.empty()) {
        if (lines.size() < 2) {
            return report(QStringLiteral("a single line"), lines.front());
        }
        const RecordingTarget::LineCall& near = lines[lines.size() - 2];
        const RecordingTarget::LineCall& far = lines.back();
        const double a = c.isAbscissa ? near.x1 : near.y1;
        const double b = c.isAbscissa ? far.x1 : far.y1;
        const double slack = 1e-9 * (std::fabs(a) + std::fabs(b));
        for (const RecordingTarget::LineCall& line : lines) {
            const bool spans = c.isAbscissa ? line.y1 == near.y1 && line.y2 == near.y2
                                            : line.x1 == near.x1 && line.x2 == near.x2;
            if (!spans) {
                return report(QStringLiteral("a line not spanning the area"), line);
            }
            const double p = c.isAbscissa ? line.x1 : line.y1;
            if (p < std::min(a, b) - slack || p > std::max(a, b) + slack) {
                return report(QStringLiteral("a line outside the borders at %1 and %2")
                                  .arg(formatNumber(a), formatNumber(b)),
                              line);
            }
        }
    }
    return {};
}

}  // namespace lattora::fuzz
