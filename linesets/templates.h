// Line-set templates: the named sets, the text they are stored as, the colour
// string that carries one set's colours and subdivision style, and the
// line-set editor's load from and save to the settings store.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

#include "sheet/linevalues.h"
#include "sheet/settingsstore.h"
#include "sheet/units.h"

namespace lattora {

struct LineSet {
    QString name;         // compared exactly, case-sensitive
    QString colorString;  // kept as read or as last encoded; decoded on selection

    friend bool operator==(const LineSet&, const LineSet&) = default;
};

// The sets in display order. Two sets may carry the same name; every lookup by
// name takes the first of them. An index outside the list raises Error, so a
// command run with nothing selected is reported instead of touching memory.
class LineSetList {
public:
    LineSetList() = default;
    LineSetList(std::initializer_list<LineSet> sets) : sets_(sets) {}

    qsizetype size() const { return sets_.size(); }
    bool isEmpty() const { return sets_.isEmpty(); }
    const LineSet& at(qsizetype index) const;
    LineSet& operator[](qsizetype index);

    void append(LineSet set) { sets_.append(std::move(set)); }
    void removeAt(qsizetype index);
    void clear() { sets_.clear(); }

    // Position of the first set named exactly `name`, -1 when there is none.
    qsizetype indexOf(const QString& name) const;

    QList<LineSet>::const_iterator begin() const { return sets_.cbegin(); }
    QList<LineSet>::const_iterator end() const { return sets_.cend(); }

    friend bool operator==(const LineSetList&, const LineSetList&) = default;

private:
    void checkIndex(qsizetype index) const;

    QList<LineSet> sets_;
};

// The seven sets a fresh installation starts with, "Black Lines" first.
LineSetList builtInLineSets();

// Each set as name, "~", colour string and CR LF; an empty list gives an empty
// text. A "~" in a name becomes "-" and a line break a blank, because either
// would cut the name when read back and hand the rest of the line to the
// colour string.
QString TemplatesToString(const LineSetList& sets);

// The name exactly as TemplatesToString writes it.
QString storableLineSetName(const QString& name);

// Reads the sets back: lines end with CR LF, empty lines are skipped, a line
// is cut at "~" into name and colour string and anything after a second "~" is
// ignored. A line without "~" is all name and takes the colour string of the
// line before it (empty for the first line).
LineSetList LoadTemplatesFromString(const QString& templateString);

// The four colours in decimal, each followed by "|", then "dot", "dash",
// "solid" or nothing when no style is chosen. Colours with the top bit set (the
// system colours) are written as negative numbers, as 32-bit signed values.
QString GetCurrentColorString(const LineColors& colors);

// Decodes a colour string into `colors`: the first four parts are the heavy,
// medium, light and subdivision colours, the fifth the style word ("dot",
// "dash", "solid" exactly; any other word leaves the style alone), later parts
// are ignored and missing parts leave their fields alone. A colour part that is
// not a whole number within the 32-bit signed range is skipped, its colour
// kept, and described in the returned list (a long part cut short there); the
// parts after it are still decoded.
QStringList DecodeColorString(const QString& colorString, LineColors& colors);

// What the line-set editor holds between showings. Its colours are the
// program's current line colours.
struct LineSetEditor {
    LineSetList sets;
    qsizetype currentIndex = -1;  // -1: nothing selected
    QString nameField;
    LineColors colors;
    LineWidths widths{QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("2")};
    QString unitLabel;  // unit of the width fields; set by a load that finds stored sets
    // Whether the last load found stored sets, and so also read the unit and
    // the widths; a load that falls back on the built-in sets reads neither.
    bool storedSetsLoaded = false;
};

// The unit label of the width fields: "1/100 mm" under Metric, "1/1000 in"
// otherwise. The stored widths are never converted, only labelled.
QString lineWidthUnitLabel(UnitSystem system);

// Makes the set at `index` current: its name goes into the name field and its
// colour string is decoded into the editor's colours. Returns the decoding
// problems; an index outside the list is returned as a problem too and
// changes nothing.
QStringList SelectLineSet(LineSetEditor& editor, qsizetype index);

// The full load. When "StyleTemplates" is empty or absent the seven built-in
// sets are used, the first is selected, and nothing else is read, so the
// widths and the unit label keep what they held. Otherwise the stored sets
// are loaded, the set named by "CurrentStyle" (or the first) is selected, the
// unit label follows "Scale" and the widths are read ("" when absent). A
// stored text that holds no set at all counts as absent. Nothing is written:
// a "CurrentStyle" naming no set selects the first set on every load alike,
// and the settings file stays as the user left it until something is saved.
// Returns the problems met on the way (a malformed colour part), each to be
// reported; the load always completes.
QStringList LoadSettings(LineSetEditor& editor, const SettingsStore& store);

// Writes, in this order, "StyleTemplates", "CurrentStyle" (the name field,
// made storable as the names in the template text are), "StyleWidthHeavy",
// "StyleWidthMedium" and "StyleWidthLight". Keys that cannot be saved raise
// one Error naming them all, after the others are saved (saveInOrder).
void SaveSettings(const LineSetEditor& editor, SettingsStore& store);

// The colours the renderer draws with: those of the editor.
inline LineColors currentLineColors(const LineSetEditor& editor) {
    return editor.colors;
}

}  // namespace lattora
