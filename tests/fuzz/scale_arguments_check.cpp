// The export command's argument reading: whatever it accepts names a scale
// the renderer knows, and whatever it refuses is refused with a one-line
// Error.
#include <QStringList>
#include <cmath>

#include "app/exportcommand.h"
#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "tests/fuzz/describe.h"
#include "tests/fuzz/entries.h"

namespace lattora::fuzz {

namespace {

QString describeScale(const AxisScale& scale) {
    return QStringLiteral("family %1 item %2 divisions %3")
        .arg(scale.family)
        .arg(scale.item)
        .arg(formatNumber(scale.divisions));
}

// A scale the lists could show: a family of the catalogue with one of its
// items, or "N divided" with a finite count. The text the lists would show
// for it reads back as the same scale.
QString checkScale(const AxisScale& scale, const QString& from) {
    const ScaleFamily* family = scaleFamily(scale.family);
    if (family == nullptr) {
        return QStringLiteral("%1 read as %2, a family outside the catalogue")
            .arg(describe(from), describeScale(scale));
    }
    QString canonical = QString::fromLatin1(family->text) + QLatin1Char(':');
    if (scale.family == Family::NDivided) {
        if (!std::isfinite(scale.divisions)) {
            return QStringLiteral("%1 read as %2").arg(describe(from), describeScale(scale));
        }
        canonical += formatNumber(scale.divisions);
    } else {
        const ScaleItem* item = scaleItem(scale.family, scale.item);
        if (item == nullptr) {
            return QStringLiteral("%1 read as %2, an item outside the family's list")
                .arg(describe(from), describeScale(scale));
        }
        canonical += QString::fromLatin1(item->text);
    }
    AxisScale again;
    try {
        again = parseScaleText(canonical);
    } catch (const Error& e) {
        return QStringLiteral("%1 read as %2, but its text %3 is refused: %4")
            .arg(describe(from), describeScale(scale), describe(canonical),
                 describe(e.description()));
    }
    if (again.family != scale.family || again.divisions != scale.divisions ||
        (scale.family != Family::NDivided && again.item != scale.item)) {
        return QStringLiteral("%1 read as %2, but its text %3 reads as %4")
            .arg(describe(from), describeScale(scale), describe(canonical), describeScale(again));
    }
    return {};
}

QString checkOneLine(const Error& e, const QString& what) {
    const QString& text = e.description();
    if (text.isEmpty()) {
        return QStringLiteral("%1 refused without a word").arg(what);
    }
    // One line on a terminal: no line break, no separator, and no other
    // control character that could move the cursor or clear the line.
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            return QStringLiteral("%1 refused with a message that is not one line: %2")
                .arg(what, describe(text));
        }
    }
    return {};
}

}  // namespace

QString checkScaleArguments(Bytes input) {
    QStringList arguments;
    const auto* bytes = reinterpret_cast<const char*>(input.data());
    std::size_t start = 0;
    for (std::size_t i = 0; i <= input.size(); ++i) {
        if (i == input.size() || input[i] == 0) {
            arguments << QString::fromUtf8(bytes + start, static_cast<qsizetype>(i - start));
            start = i + 1;
        }
    }

    for (const QString& argument : arguments) {
        try {
            const AxisScale scale = parseScaleText(argument);
            if (QString problem = checkScale(scale, argument); !problem.isEmpty()) {
                return problem;
            }
        } catch (const Error& e) {
            if (e.description().isEmpty()) {
                return QStringLiteral("scale text %1 refused without a word")
                    .arg(describe(argument));
            }
        }
    }

    const QString what = QStringLiteral("arguments %1").arg(describe(arguments.join(u' ')));
    try {
        const ExportRequest request = parseExportArguments(arguments);
        if (request.help) {
            return {};
        }
        for (const AxisScale* scale : {&request.abscissa, &request.ordinate}) {
            if (QString problem = checkScale(*scale, what); !problem.isEmpty()) {
                return problem;
            }
        }
        if (request.print) {
            if (!request.output.isEmpty() || !request.corrections) {
                return QStringLiteral("%1: --print with an output or without corrections")
                    .arg(what);
            }
        } else if (request.dpi < kMinDpi || request.dpi > kMaxDpi) {
            return QStringLiteral("%1 accepted with dpi %2").arg(what).arg(request.dpi);
        }
    } catch (const Error& e) {
        return checkOneLine(e, what);
    }
    return {};
}

}  // namespace lattora::fuzz
