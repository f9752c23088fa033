#pragma once
// The text of one profile (INI) file, parsed for lookups and edited in place: a change touches
// only the line of its key, so every other section, key, blank line and comment is written
// back byte for byte (line endings and a leading byte-order mark included).
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cdz {

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    // The value of key in section, matched without regard to case; nullopt when either is
    // missing. A value is everything after the first "=" with surrounding blanks removed.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the value of an existing key, or adds the key at the end of its section, or the
    // section at the end of the text. The caller checks names and value with canStore first.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Why section/key/value cannot be stored (a line break would split the line, a "]" would end
    // the section name, ...); empty when they can.
    static std::string canStore(std::string_view section, std::string_view key,
                                std::string_view value);

    std::string text() const;

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        std::string body;  // without its line ending
        std::string ending;
        Kind kind = Kind::Other;
        std::string folded;  // folded section or key name
        int section = -1;    // index of the header line this line belongs to
    };

    void parseLine(Line& line, int currentSection) const;
    void reindex();
    void endLastLine();
    int findSection(const std::string& folded) const;
    int findEntry(const std::string& foldedSection, const std::string& foldedKey) const;
    static std::string lookupKey(const std::string& foldedSection, const std::string& foldedKey);

    std::string bom_;
    std::string newline_ = "\n";
    std::vector<Line> lines_;
    // First header of each folded section name, and first entry of each (section, key).
    std::unordered_map<std::string, int> sections_;
    std::unordered_map<std::string, int> entries_;
};

}  // namespace cdz
