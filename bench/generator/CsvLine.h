#pragma once
// Builds one line of the program's comma-separated format, field by field, as the export
// writes it: texts quoted with inner double quotes doubled, numbers plain, dates ("@d2",
// mm/dd/yyyy) and times ("@t4", h:mm:ss) quoted, blank when 0.
#include <cstdint>
#include <string>
#include <string_view>

namespace cdz::gen {

class CsvLine {
public:
    void clear() {
        line_.clear();
        fields_ = 0;
    }
    void addText(std::string_view text);
    void addNumber(int64_t value);
    // Hundredths as a decimal with two places ("12.99", "-0.50").
    void addCents(int64_t cents);
    void addDate(int32_t dayNumber);
    void addTime(int32_t timeValue);

    const std::string& text() const { return line_; }

private:
    void separate();

    std::string line_;
    int fields_ = 0;
};

}  // namespace cdz::gen
