#include "packaging/manualpage.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace lattora {

namespace {

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The code point of the UTF-8 sequence at `text[at]`, and its length.
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || at + length > text.size()) {
        return {U'\uFFFD', 1};
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    return {code, length};
}

// Typographic characters by troff's names for them; any other character
// beyond ASCII by its code point, which groff prints on every device.
std::string specialCharacter(char32_t code) {
    switch (code) {
        case U'\u201C': return "\\(lq";
        case U'\u201D': return "\\(rq";
        case U'\u2018': return "\\(oq";
        case U'\u2019': return "\\(cq";
        case U'\u00BD': return "\\(12";
        case U'\u00D7': return "\\(mu";
        case U'\u2013': return "\\(en";
        case U'\u2014': return "\\(em";
        default: break;
    }
    char name[16];
    std::snprintf(name, sizeof name, "\\[u%04X]", static_cast<unsigned>(code));
    return name;
}

// Appends `text` to the troff line `out`; `previous` is the character of the
// original text before it, '\n' at the start of a line. Every dash of a
// `typed` text (a command, an option, a file name) stays a minus sign, which
// can be typed as shown; elsewhere a dash inside a word is a hyphen, which
// may print as a typographic one.
void appendEscaped(std::string& out, std::string_view text, char& previous, bool typed) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const auto [code, length] = decodeUtf8(text, i);
            out += specialCharacter(code);
            i += length;
            previous = 'x';
            continue;
        }
        if (previous == '\n' && (c == '.' || c == '\'')) {
            out += "\\&";  // a request or macro otherwise
        }
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-' && (typed || !isWordChar(previous))) {
            out += "\\-";
        } else {
            out += c;
        }
        previous = c;
        ++i;
    }
}

// What is typed as shown, as it is set in a line of its own or in bold.
std::string typedText(std::string_view text) {
    std::string out;
    char previous = '\n';
    appendEscaped(out, text, previous, true);
    return out;
}

std::string bold(std::string_view text) {
    return "\\fB" + typedText(text) + "\\fR";
}

// An option's tag line: each spelling in bold, its placeholders in italics
// and the words it takes in bold.
std::string optionTag(const OptionInfo& option) {
    std::string tag;
    for (const std::string_view spelling : spellings(option)) {
        tag += (tag.empty() ? "" : ", ") + bold(spelling);
    }
    if (option.argument.empty()) {
        return tag;
    }
    tag += ' ';
    std::string_view rest = option.argument;
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && isWordChar(rest[end]) == isWordChar(rest.front())) {
            ++end;
        }
        const std::string_view token = rest.substr(0, end);
        if (!isWordChar(token.front())) {
            tag += troffText(token);
        } else if (std::isupper(static_cast<unsigned char>(token.front()))) {
            tag += "\\fI" + troffText(token) + "\\fR";
        } else {
            tag += bold(token);
        }
        rest.remove_prefix(end);
    }
    return tag;
}

void appendParagraphs(std::string& page, std::span<const std::string_view> paragraphs) {
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        page += (i == 0 ? "" : ".PP\n") + troffText(paragraphs[i]) + '\n';
    }
}

void appendEntries(std::string& page, std::span<const ManualEntry> entries) {
    for (const ManualEntry& entry : entries) {
        page += ".TP\n" + troffText(entry.term) + '\n' + troffText(entry.text) + '\n';
    }
}

void appendExamples(std::string& page, std::span<const ManualExample> examples) {
    for (std::size_t i = 0; i < examples.size(); ++i) {
        page += (i == 0 ? "" : ".PP\n") + troffText(examples[i].text) + "\n.PP\n.RS\n.EX\n" +
                typedText(examples[i].command) + "\n.EE\n.RE\n";
    }
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

std::string troffText(std::string_view marked) {
    std::string out;
    char previous = '\n';
    for (const MarkedSpan& span : markedSpans(marked)) {
        const char* font = span.style == MarkedSpan::Bold     ? "\\fB"
                           : span.style == MarkedSpan::Italic ? "\\fI"
                                                              : "";
        out += font;
        appendEscaped(out, span.text, previous, span.style == MarkedSpan::Bold);
        out += *font ? "\\fR" : "";
    }
    return out;
}

std::string manualPage(const ProgramInfo& program) {
    const Release release = currentRelease();
    std::string page = ".\\\" Written at build time from the program's own option tables.\n";
    page += ".TH " + upper(program.name) + " 1 \"" + std::string(release.date) + "\" \"Lattora " +
            std::string(release.version) + "\" \"User Commands\"\n";
    // No hyphenation, ragged right: options and file names stay whole.
    page += ".nh\n.ad l\n.SH NAME\n" + typedText(program.name) + " \\- " +
            troffText(program.purpose) + "\n.SH SYNOPSIS\n";
    for (std::size_t i = 0; i < program.synopsis.size(); ++i) {
        page += (i == 0 ? "" : ".br\n") + troffText(program.synopsis[i]) + '\n';
    }
    page += ".SH DESCRIPTION\n";
    appendParagraphs(page, program.description);
    page += ".SH OPTIONS\n";
    for (const OptionGroup& group : program.options) {
        if (!group.title.empty()) {
            page += ".SS " + troffText(group.title) + '\n';
        }
        appendParagraphs(page, group.intro);
        for (const OptionInfo& option : group.options) {
            page += ".TP\n" + optionTag(option) + '\n' + troffText(option.manual) + '\n';
        }
    }
    for (const ManualSection& section : program.sections) {
        page += ".SH " + std::string(section.title) + '\n';
        appendParagraphs(page, section.paragraphs);
        appendEntries(page, section.entries);
        appendExamples(page, section.examples);
    }
    return page;
}

std::string withRelease(std::string metainfo) {
    static constexpr std::string_view kPlace = "@RELEASE@";
    const std::size_t at = metainfo.find(kPlace);
    if (at == std::string::npos || metainfo.find(kPlace, at + 1) != std::string::npos) {
        throw std::invalid_argument("the metainfo needs exactly one @RELEASE@");
    }
    const Release release = currentRelease();
    return metainfo.replace(at, kPlace.size(),
                            "<release version=\"" + std::string(release.version) + "\" date=\"" +
                                std::string(release.date) + "\"/>");
}

}  // namespace lattora
