#include "linesets/templates.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "sheet/error.h"

namespace lattora {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QChar kNameSeparator = QLatin1Char('~');
const QChar kPartSeparator = QLatin1Char('|');

struct StyleWord {
    SubdivStyle style;
    QLatin1String word;
};
constexpr StyleWord kStyleWords[] = {
    {SubdivStyle::Dot, QLatin1String("dot")},
    {SubdivStyle::Dash, QLatin1String("dash")},
    {SubdivStyle::Solid, QLatin1String("solid")},
};

// A colour part: optional sign and decimal digits, blanks around allowed.
// Fractions and exponents are refused: a colour is a whole number.
struct ParsedColor {
    std::optional<ColorValue> value;
    bool overflow = false;
};

ParsedColor parseColorPart(QStringView part) {
    const QStringView text = part.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size()) {
        return {};
    }
    // Accumulate in 64 bits and stop once past the 32-bit range, so a long
    // run of digits cannot overflow the accumulator.
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    bool tooLarge = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return {};
        }
        if (!tooLarge) {
            magnitude = magnitude * 10 + (c.unicode() - u'0');
            tooLarge = magnitude > kLimit;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (tooLarge || value > std::numeric_limits<std::int32_t>::max()) {
        return {std::nullopt, true};
    }
    // The stored form is the signed reading of the same 32 bits.
    return {static_cast<ColorValue>(static_cast<std::int32_t>(value)), false};
}

}  // namespace

void LineSetList::checkIndex(qsizetype index) const {
    if (index < 0 || index >= sets_.size()) {
        throw Error(QStringLiteral("Invalid procedure call or argument: no line set at position %1")
                        .arg(index));
    }
}

const LineSet& LineSetList::at(qsizetype index) const {
    checkIndex(index);
    return sets_.at(index);
}

LineSet& LineSetList::operator[](qsizetype index) {
    checkIndex(index);
    return sets_[index];
}

void LineSetList::removeAt(qsizetype index) {
    checkIndex(index);
    sets_.removeAt(index);
}

qsizetype LineSetList::indexOf(const QString& name) const {
    for (qsizetype i = 0; i < sets_.size(); ++i) {
        if (sets_.at(i).name == name) {
            return i;
        }
    }
    return -1;
}

LineSetList builtInLineSets() {
    return {
        {QStringLiteral("Black Lines"), QStringLiteral("0|0|0|0|dot")},
        {QStringLiteral("Blue Lines"), QStringLiteral("16737843|16737843|16763904|16777164|solid")},
        {QStringLiteral("Dark Gray Lines"), QStringLiteral("8421504|8421504|8421504|8421504|dot")},
        {QStringLiteral("Green Lines"), QStringLiteral("32768|32768|10551200|10551200|dot")},
        {QStringLiteral("Light Gray Lines"),
         QStringLiteral("12632256|12632256|12632256|12632256|dot")},
        {QStringLiteral("Red Lines"), QStringLiteral("192|12624127|12624127|12624127|dot")},
        {QStringLiteral("Yellow Lines"), QStringLiteral("39423|39423|49344|49344|dot")},
    };
}

QString storableLineSetName(const QString& name) {
    QString stored = name;
    stored.replace(kNameSeparator, QLatin1Char('-'));
    stored.replace(QLatin1Char('\r'), QLatin1Char(' '));
    stored.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return stored;
}

QString TemplatesToString(const LineSetList& sets) {
    QString text;
    for (const LineSet& set : sets) {
        text += storableLineSetName(set.name) + kNameSeparator + set.colorString + kLineEnd;
    }
    return text;
}

LineSetList LoadTemplatesFromString(const QString& templateString) {
    LineSetList sets;
    QString colorString;  // carried over to a line that has none of its own
    // Views into the text, and only the two parts that are used: the stored
    // text may be large, and a line may hold any number of "~".
    for (const QStringView line :
         QStringView(templateString).tokenize(kLineEnd, Qt::SkipEmptyParts)) {
        const qsizetype first = line.indexOf(kNameSeparator);
        if (first < 0) {
            sets.append({line.toString(), colorString});
            continue;
        }
        const qsizetype second = line.indexOf(kNameSeparator, first + 1);
        colorString =
            line.sliced(first + 1, (second < 0 ? line.size() : second) - first - 1).toString();
        sets.append({line.first(first).toString(), colorString});
    }
    return sets;
}

QString GetCurrentColorString(const LineColors& colors) {
    QString text;
    for (const ColorValue color :
         {colors.heavyColor, colors.mediumColor, colors.lightColor, colors.subdivColor}) {
        text += QString::number(static_cast<std::int32_t>(color)) + kPartSeparator;
    }
    if (colors.subdivStyle) {
        for (const StyleWord& entry : kStyleWords) {
            if (entry.style == *colors.subdivStyle) {
                text += entry.word;
            }
        }
    }
    return text;
}

QStringList DecodeColorString(const QString& colorString, LineColors& colors) {
    QStringList problems;
    // A set read from a line without "~" may have no colour string at all:
    // it has no parts, so there is nothing to set and nothing wrong.
    if (colorString.isEmpty()) {
        return problems;
    }
    ColorValue* const fields[] = {&colors.heavyColor, &colors.mediumColor, &colors.lightColor,
                                  &colors.subdivColor};
    // Views into the text, and no more parts than are used: the stored text
    // may be large, and hold any number of "|".
    qsizetype index = 0;
    for (const QStringView part : QStringView(colorString).tokenize(kPartSeparator)) {
        if (index == 4) {
            for (const StyleWord& entry : kStyleWords) {
                if (part == entry.word) {
                    colors.subdivStyle = entry.style;
                }
            }
            break;
        }
        const ParsedColor parsed = parseColorPart(part);
        if (parsed.value) {
            *fields[index] = *parsed.value;
        } else if (parsed.overflow) {
            problems << QStringLiteral("Overflow: %1 is beyond a 32-bit colour value")
                            .arg(quotedExcerpt(part));
        } else {
            problems << QStringLiteral("Type mismatch: %1 is not a colour value")
                            .arg(quotedExcerpt(part));
        }
        ++index;
    }
    return problems;
}

namespace {

void useBuiltInSets(LineSetEditor& editor, QStringList& problems) {
    editor.storedSetsLoaded = false;
    editor.sets = builtInLineSets();
    problems << SelectLineSet(editor, 0);
}

}  // namespace

QString lineWidthUnitLabel(UnitSystem system) {
    return system == UnitSystem::Metric ? QStringLiteral("1/100 mm") : QStringLiteral("1/1000 in");
}

QStringList SelectLineSet(LineSetEditor& editor, qsizetype index) {
    if (index < 0 || index >= editor.sets.size()) {
        return {QStringLiteral("Invalid procedure call or argument: no line set at position %1")
                    .arg(index)};
    }
    const LineSet& set = editor.sets.at(index);
    editor.currentIndex = index;
    editor.nameField = set.name;
    return DecodeColorString(set.colorString, editor.colors);
}

QStringList LoadSettings(LineSetEditor& editor, const SettingsStore& store) {
    QStringList problems;
    const QString templates = store.getSetting(Key::StyleTemplates, QString());
    if (templates.isEmpty()) {
        useBuiltInSets(editor, problems);
        return problems;
    }
    editor.sets = LoadTemplatesFromString(templates);
    if (editor.sets.isEmpty()) {
        // Only line breaks were stored: there is no set to select, and an
        // editor without a current set would leave drawing without colours.
        useBuiltInSets(editor, problems);
        return problems;
    }

    editor.storedSetsLoaded = true;
    editor.nameField = store.getSetting(Key::CurrentStyle, QString());
    const qsizetype named = editor.sets.indexOf(editor.nameField);
    problems << SelectLineSet(editor, named >= 0 ? named : 0);

    editor.unitLabel = lineWidthUnitLabel(unitSystem(store));
    editor.widths.heavy = store.getSetting(Key::StyleWidthHeavy, QString());
    editor.widths.medium = store.getSetting(Key::StyleWidthMedium, QString());
    editor.widths.light = store.getSetting(Key::StyleWidthLight, QString());
    return problems;
}

void SaveSettings(const LineSetEditor& editor, SettingsStore& store) {
    // The current name is stored as the template text stores names, so the
    // next load finds the set.
    saveInOrder(store, {{Key::StyleTemplates, TemplatesToString(editor.sets)},
                        {Key::CurrentStyle, storableLineSetName(editor.nameField)},
                        {Key::StyleWidthHeavy, editor.widths.heavy},
                        {Key::StyleWidthMedium, editor.widths.medium},
                        {Key::StyleWidthLight, editor.widths.light}});
}

}  // namespace lattora
