#pragma once
// A manual page in the man(7) format, written from the same table of options a program's --help
// prints, so that the page installed beside the program cannot tell other options than it has.
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

// A term and what it means: an option ("--pdf <file>"), a variable, a file.
struct ManualEntry {
    std::string term;
    std::string text;
};

// A section (OPTIONS, ENVIRONMENT, ...): its paragraphs, then its entries.
struct ManualSection {
    std::string title;
    std::vector<std::string> paragraphs = {};
    std::vector<ManualEntry> entries = {};
};

struct ManualPage {
    std::string name;                        // "cdzapp"
    std::string source;                      // the footer's program and version: "Orvanta 98 2.0a"
    std::string summary;                     // the NAME line after the dash
    std::vector<std::string> synopsis = {};  // one usage line each, without the program's name
    std::vector<ManualSection> sections = {};
};

// The page as roff text for section 1. Text is escaped so that no line of it is taken for a
// request (a leading "." or "'"), a backslash stays a backslash and a "-" prints as a minus
// sign that a reader can copy into a command.
std::string manualText(const ManualPage& page);

}  // namespace cdz
