#pragma once
// Builds one line of a comma-separated file field by field: texts in double quotes with every
// inner double quote doubled, numbers plain, formatted dates and times quoted like texts, so
// that the line reader gives every value back as it was.
#include <string>
#include <string_view>

namespace cdz {

class CsvFieldWriter {
public:
    void clear() {
        line_.clear();
        fields_ = 0;
    }
    // A text, its trailing blanks removed.
    void text(std::string_view value);
    // A number in plain notation, unquoted.
    void number(std::string_view plain);
    // A value formatted by a picture (a date, a time), quoted as it is.
    void formatted(std::string_view value);
    // A field name of the header line: quoted; in a name with "[" every comma and "[" becomes
    // "_" and every "]" a blank, so an array element's name stays one plain field.
    void headerName(std::string_view name);

    // The line so far, without its line end.
    const std::string& line() const { return line_; }

private:
    void separate() {
        if (fields_++ > 0) line_ += ',';
    }
    void quoted(std::string_view value);

    std::string line_;
    int fields_ = 0;
};

}  // namespace cdz
