#include "app/songs/csv/ImportAssignment.h"

#include <array>

#include "runtime/text/Text.h"

namespace cdz {
namespace {

constexpr std::array<const char*, 24> kTargets = {
    "MUS:Artist",
    "MUS:Title",
    "MUS:Album",
    "MUS:Media",
    "MUS:FileNumber",
    "MUS:ReleaseDate",
    "MUS:CategoryID",
    "MUS:ChartNumber",
    "MUS:TrackNumber",
    "MUS:Side",
    "MUS:Time",
    "MUS:UserDefinedKeyField",
    "MUS:AdditionalInformation1",
    "MUS:AdditionalInformation2",
    "MUS:AdditionalInformation3",
    "MUS:BeatsPerMinute",
    "MUS:Style",
    "MUS:Recording",
    "MUS:Composer",
    "MUS:PerformanceNotes",
    "MUS:LastPlayed",
    "MUS:Notes",
    "MUS:Rating",
    ImportAssignment::kCategoryName.data(),
};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string_view trimmed(std::string_view s) {
    const size_t from = s.find_first_not_of(' ');
    if (from == std::string_view::npos) return {};
    return clip(s.substr(from));
}

// The label ("MUS:Artist") or bare name ("Artist") names the target; other programs call the
// category a genre.
bool namesTarget(std::string_view text, std::string_view label) {
    text = trimmed(text);
    if (label == ImportAssignment::kCategoryName && sameIgnoringCase(text, "Genre")) return true;
    return sameIgnoringCase(text, label) || sameIgnoringCase(text, label.substr(4));
}

char kindOf(std::string_view picture) {
    if (picture.size() < 2 || picture[0] != '@') return 0;
    return picture[1];
}

}  // namespace

std::span<const char* const> ImportAssignment::targetLabels() {
    return kTargets;
}

std::string ImportAssignment::typeText(std::string_view picture) {
    const char kind = kindOf(picture);
    if (kind == 'S' || kind == 's') return "Alpha-num";
    if (kind == 'N' || kind == 'n') return "Numeric";
    return std::string(picture);
}

ImportAssignment::ImportAssignment() {
    for (const char* label : kTargets) targets_.push_back({label, -1});
}

void ImportAssignment::setColumns(std::span<const CsvField> first,
                                  std::span<const CsvField> second) {
    columns_.clear();
    for (size_t i = 0; i < first.size(); ++i) {
        const bool number = i < second.size() && !second[i].quoted;
        columns_.push_back({"Field_" + std::to_string(i + 1),
                            number ? kNumberPicture : kTextPicture, first[i].value,
                            first[i].value});
    }
    for (ImportTarget& t : targets_) t.column = -1;
}

void ImportAssignment::showLine(std::span<const CsvField> fields) {
    for (size_t i = 0; i < columns_.size(); ++i)
        columns_[i].value = i < fields.size() ? fields[i].value : std::string();
}

void ImportAssignment::setPicture(int column, std::string picture) {
    columns_.at(static_cast<size_t>(column)).picture = std::move(picture);
}

void ImportAssignment::assign(int target, int column) {
    targets_.at(static_cast<size_t>(target)).column = column;
}

void ImportAssignment::unassign(int target) {
    targets_.at(static_cast<size_t>(target)).column = -1;
}

bool ImportAssignment::anyAssigned() const {
    for (const ImportTarget& t : targets_)
        if (t.column >= 0) return true;
    return false;
}

int ImportAssignment::targetOf(int column) const {
    for (size_t i = 0; i < targets_.size(); ++i)
        if (targets_[i].column == column) return static_cast<int>(i);
    return -1;
}

int ImportAssignment::autoAssign() {
    int matched = 0;
    for (ImportTarget& t : targets_) {
        if (t.column >= 0) continue;
        for (size_t c = 0; c < columns_.size(); ++c) {
            if (namesTarget(columns_[c].value, t.label)) {
                t.column = static_cast<int>(c);
                ++matched;
                break;
            }
        }
    }
    if (matched > 0) stripHeader_ = true;
    return matched;
}

int ImportAssignment::columnByHeader(std::string_view header, bool* byValue) const {
    header = trimmed(header);
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (trimmed(columns_[c].value) == header) {
            *byValue = true;
            return static_cast<int>(c);
        }
    }
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (sameIgnoringCase(columns_[c].name, header)) {
            *byValue = false;
            return static_cast<int>(c);
        }
    }
    return -1;
}

bool ImportAssignment::applyMap(std::string_view map, std::string* why) {
    bool headerMatched = false;
    std::vector<bool> named(targets_.size(), false);
    while (!map.empty()) {
        const size_t comma = map.find(',');
        const std::string_view pair = map.substr(0, comma);
        map = comma == std::string_view::npos ? std::string_view() : map.substr(comma + 1);
        if (trimmed(pair).empty()) continue;
        const size_t eq = pair.rfind('=');
        if (eq == std::string_view::npos) {
            *why = "\"" + std::string(pair) + "\" is not HEADER=MUS:Field";
            return false;
        }
        const std::string_view header = pair.substr(0, eq);
        const std::string_view field = trimmed(pair.substr(eq + 1));
        int target = -1;
        for (size_t t = 0; t < targets_.size(); ++t)
            if (namesTarget(field, targets_[t].label)) target = static_cast<int>(t);
        if (target < 0) {
            *why = "\"" + std::string(field) + "\" is not a song field the import fills";
            return false;
        }
        // Two columns for one field would leave only the last one's values, without a word.
        if (named[static_cast<size_t>(target)]) {
            *why = "\"" + std::string(field) + "\" is named twice";
            return false;
        }
        named[static_cast<size_t>(target)] = true;
        bool byValue = false;
        const int column = columnByHeader(header, &byValue);
        if (column < 0) {
            *why = "the first line has no column \"" + std::string(trimmed(header)) + "\"";
            return false;
        }
        headerMatched = headerMatched || byValue;
        targets_[static_cast<size_t>(target)].column = column;
    }
    if (headerMatched) stripHeader_ = true;
    return true;
}

std::string ImportAssignment::unusedColumnsText() const {
    std::string names;
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (targetOf(static_cast<int>(c)) >= 0) continue;
        const std::string_view label = trimmed(columns_[c].header);
        if (!names.empty()) names += ", ";
        names += stripHeader_ && !label.empty() ? std::string(label) : columns_[c].name;
    }
    return names.empty() ? names : "columns not imported: " + names;
}

}  // namespace cdz
