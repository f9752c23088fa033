#include "runtime/process/ManualPage.h"

namespace cdz {
namespace {

void appendEscaped(std::string& out, char c) {
    if (c == '\\') {
        out += "\\e";
    } else if (c == '-') {
        out += "\\-";
    } else {
        out += c;
    }
}

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        lineStart = c == '\n';
        appendEscaped(out, c);
    }
    return out;
}

// An option's or a variable's name in bold, a value's name ("<file>") in italics.
std::string term(std::string_view text) {
    std::string out = "\\fB";
    bool inValue = false;
    for (const char c : text) {
        if (c == '<' && !inValue) {
            out += "\\fI";
            inValue = true;
        }
        appendEscaped(out, c);
        if (c == '>' && inValue) {
            out += "\\fB";
            inValue = false;
        }
    }
    return out + "\\fR";
}

}  // namespace

std::string manualText(const ManualPage& page) {
    std::string upper;
    for (const char c : page.name) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    std::string out =
        ".TH " + upper + " 1 \"\" \"" + escaped(page.source) + "\" \"User Commands\"\n";
    out += ".SH NAME\n" + escaped(page.name) + " \\- " + escaped(page.summary) + "\n";
    out += ".SH SYNOPSIS\n";
    for (const std::string& line : page.synopsis)
        out += ".br\n\\fB" + escaped(page.name) + "\\fR " + term(line) + "\n";
    for (const ManualSection& section : page.sections) {
        out += ".SH " + escaped(section.title) + "\n";
        for (const std::string& paragraph : section.paragraphs)
            out += ".PP\n" + escaped(paragraph) + "\n";
        for (const ManualEntry& entry : section.entries)
            out += ".TP\n" + term(entry.term) + "\n" + escaped(entry.text) + "\n";
    }
    return out;
}

}  // namespace cdz
