#pragma once
// The import's assignment of source columns to fields: the file's columns with their pictures
// and the values of the line in view, the 23 song fields and the category's name a column can
// fill, and the header switch. The assignment window shows it; the command line fills it from
// a map.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/songs/csv/CsvLineReader.h"

namespace cdz {

struct ImportColumn {
    std::string name;     // "Field_1", "Field_2", ...
    std::string picture;  // "@S1000" unless changed
    std::string value;    // the field on the line in view
    std::string header;   // the field on the first line, its label when that is a header
};

struct ImportTarget {
    std::string label;  // "MUS:Artist"
    int column = -1;    // the column assigned, -1 for none
};

class ImportAssignment {
public:
    static constexpr const char* kTextPicture = "@S1000";
    static constexpr const char* kNumberPicture = "@N30.9";
    // The category's name: the import finds the category by it, or adds it, and gives the
    // song its number.
    static constexpr std::string_view kCategoryName = "CAT:Category";

    // The fields a column can fill, in the order the window lists them: the song's fields,
    // then the category's name.
    static std::span<const char* const> targetLabels();
    // "Alpha-num" for a text picture, "Numeric" for a number picture, else the picture.
    static std::string typeText(std::string_view picture);

    ImportAssignment();

    // One column per field of the first line, taking its value; a column whose field is
    // unquoted on the second line (when there is one) is proposed a number picture.
    void setColumns(std::span<const CsvField> first, std::span<const CsvField> second);
    // The values of another line (a column the line has no field for shows blank).
    void showLine(std::span<const CsvField> fields);

    const std::vector<ImportColumn>& columns() const { return columns_; }
    const std::vector<ImportTarget>& targets() const { return targets_; }
    void setPicture(int column, std::string picture);
    void assign(int target, int column);
    void unassign(int target);
    bool anyAssigned() const;
    // The target the column is assigned to, -1 for none.
    int targetOf(int column) const;

    // Every unassigned target takes the first column whose value on the line in view is its
    // label (or its bare name, "Artist"; "Genre" also names the category), ignoring case. The
    // header switch is set only when a column matched: a first line of data must not be
    // skipped. Gives the number assigned.
    int autoAssign();
    // Assigns from "Header=MUS:Field,...": each header names a column by its value on the line
    // in view or by its name ("Field_3"). The header switch is set when a header matched a
    // value. False with `why` when a header or a field is unknown.
    bool applyMap(std::string_view map, std::string* why);
    // "columns not imported: Length, Year": each column no target takes, by its label when
    // the first line is skipped as a header, else by its name; "" when every column is used.
    std::string unusedColumnsText() const;

    bool stripHeader() const { return stripHeader_; }
    void setStripHeader(bool on) { stripHeader_ = on; }

private:
    int columnByHeader(std::string_view header, bool* byValue) const;

    std::vector<ImportColumn> columns_;
    std::vector<ImportTarget> targets_;
    bool stripHeader_ = false;
};

}  // namespace cdz
