// The template-list reader and the colour-string decoder against models
// written from their documented behaviour, and the stored text read back.
#include <QStringList>
#include <cstdint>
#include <limits>
#include <vector>

#include "linesets/templates.h"
#include "tests/fuzz/describe.h"
#include "tests/fuzz/entries.h"

namespace lattora::fuzz {

namespace {

// The list as the reader should see it, found by walking the text one
// character at a time: a line ends at CR LF, a lone CR or LF is part of it.
std::vector<LineSet> modelTemplates(const QString& text) {
    std::vector<LineSet> sets;
    QString carried;
    QString line;
    const auto finishLine = [&] {
        if (line.isEmpty()) {
            return;
        }
        const qsizetype first = line.indexOf(QLatin1Char('~'));
        if (first < 0) {
            sets.push_back({line, carried});
        } else {
            const qsizetype second = line.indexOf(QLatin1Char('~'), first + 1);
            carried = line.mid(first + 1, second < 0 ? -1 : second - first - 1);
            sets.push_back({line.left(first), carried});
        }
        line.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\r') && i + 1 < text.size() &&
            text.at(i + 1) == QLatin1Char('\n')) {
            finishLine();
            ++i;
        } else {
            line += text.at(i);
        }
    }
    finishLine();
    return sets;
}

// What one colour part should decode to: an optional sign and ASCII digits
// once the blanks around are gone, within the 32-bit signed range.
struct ExpectedPart {
    bool valid = false;
    std::int32_t value = 0;
};

ExpectedPart expectedPart(const QString& part) {
    QString digits = part.trimmed();
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.at(0) == QLatin1Char('-');
        digits.remove(0, 1);
    }
    if (digits.isEmpty()) {
        return {};
    }
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return {};
        }
    }
    while (digits.size() > 1 && digits.at(0) == QLatin1Char('0')) {
        digits.remove(0, 1);
    }
    // Eleven digits are beyond 32 bits whatever they are; ten fit a long long.
    if (digits.size() > 10) {
        return {};
    }
    const long long magnitude = digits.toLongLong();
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return {};
    }
    return {true, static_cast<std::int32_t>(value)};
}

QString checkColorString(const QString& colorString) {
    // Colours no part is likely to name and no style, so that a field left
    // alone is told apart from one that was set.
    LineColors colors;
    colors.heavyColor = 0xA1A1A1A1u;
    colors.mediumColor = 0xB2B2B2B2u;
    colors.lightColor = 0xC3C3C3C3u;
    colors.subdivColor = 0xD4D4D4D4u;
    LineColors expected = colors;
    const QStringList problems = DecodeColorString(colorString, colors);

    qsizetype expectedProblems = 0;
    if (!colorString.isEmpty()) {
        const QStringList parts = colorString.split(QLatin1Char('|'));
        ColorValue* const fields[] = {&expected.heavyColor, &expected.mediumColor,
                                      &expected.lightColor, &expected.subdivColor};
        for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
            const ExpectedPart part = expectedPart(parts.at(i));
            if (part.valid) {
                *fields[i] = static_cast<ColorValue>(part.value);
            } else {
                ++expectedProblems;
            }
        }
        if (parts.size() > 4) {
            const QString& word = parts.at(4);
            if (word == QLatin1String("dot")) {
                expected.subdivStyle = SubdivStyle::Dot;
            } else if (word == QLatin1String("dash")) {
                expected.subdivStyle = SubdivStyle::Dash;
            } else if (word == QLatin1String("solid")) {
                expected.subdivStyle = SubdivStyle::Solid;
            }
        }
    }
    if (colors != expected) {
        return QStringLiteral("colour string %1 decoded to other colours than its parts name")
            .arg(describe(colorString));
    }
    if (problems.size() != expectedProblems) {
        return QStringLiteral("colour string %1: %2 problems reported, %3 malformed parts")
            .arg(describe(colorString))
            .arg(problems.size())
            .arg(expectedProblems);
    }

    // Whatever was decoded is written out and read back unchanged and
    // without complaint.
    const QString written = GetCurrentColorString(colors);
    LineColors reread;
    const QStringList rereadProblems = DecodeColorString(written, reread);
    if (!rereadProblems.isEmpty() || reread != colors) {
        return QStringLiteral("colour string %1 written as %2 does not read back")
            .arg(describe(colorString), describe(written));
    }
    return {};
}

}  // namespace

QString checkTemplates(Bytes input) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(input.data()), std::ssize(input));

    const LineSetList sets = LoadTemplatesFromString(text);
    const std::vector<LineSet> model = modelTemplates(text);
    if (static_cast<std::size_t>(sets.size()) != model.size()) {
        return QStringLiteral("%1 sets read from %2, %3 lines in it")
            .arg(sets.size())
            .arg(describe(text))
            .arg(model.size());
    }
    for (qsizetype i = 0; i < sets.size(); ++i) {
        if (sets.at(i) != model[static_cast<std::size_t>(i)]) {
            return QStringLiteral("set %1 read from %2 as %3 ~ %4, its line says %5 ~ %6")
                .arg(QString::number(i), describe(text), describe(sets.at(i).name),
                     describe(sets.at(i).colorString),
                     describe(model[static_cast<std::size_t>(i)].name),
                     describe(model[static_cast<std::size_t>(i)].colorString));
        }
    }

    // Stored and read again, the list comes back with each name made
    // storable and every colour string as it was.
    const QString stored = TemplatesToString(sets);
    const LineSetList reread = LoadTemplatesFromString(stored);
    if (reread.size() != sets.size()) {
        return QStringLiteral("%1 sets stored as %2 read back as %3")
            .arg(sets.size())
            .arg(describe(stored))
            .arg(reread.size());
    }
    for (qsizetype i = 0; i < sets.size(); ++i) {
        const LineSet& before = sets.at(i);
        const LineSet& after = reread.at(i);
        if (after.name != storableLineSetName(before.name) ||
            after.colorString != before.colorString) {
            return QStringLiteral("set %1 (%2 ~ %3) read back as %4 ~ %5")
                .arg(QString::number(i), describe(before.name), describe(before.colorString),
                     describe(after.name), describe(after.colorString));
        }
    }
    if (TemplatesToString(reread) != stored) {
        return QStringLiteral("the text of %1 changes when stored a second time")
            .arg(describe(text));
    }

    // The decoder on the raw text and on each colour string read, once per
    // distinct string: sets read from lines without "~" share the one before.
    if (QString problem = checkColorString(text); !problem.isEmpty()) {
        return problem;
    }
    const QString* previous = nullptr;
    for (const LineSet& set : sets) {
        if (previous == nullptr || *previous != set.colorString) {
            if (QString problem = checkColorString(set.colorString); !problem.isEmpty()) {
                return problem;
            }
        }
        previous = &set.colorString;
    }
    return {};
}

}  // namespace lattora::fuzz
