#pragma once
// Date pictures @d1..@d18 with an optional separator ("-", ".", "_" for a space; "/" when
// none is given) and "b" for blank when zero. Day number 0 (no date) always shows blank; d17
// and d18 are the desktop's short and long date formats, taken when the picture is parsed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace cdz {

class DatePicture {
public:
    // Parses the part after the kind letter ("17-", "2", "6b"); nullopt when malformed.
    static std::optional<DatePicture> parse(std::string_view rest);

    int style() const { return style_; }
    // Day number 0 shows blank whether or not "b" was given; kept for callers that ask.
    bool blankWhenZero() const { return blankWhenZero_; }
    // Characters of a typical formatted date (for column widths).
    int width() const;

    // Blank for 0; a bare year (1 .. kLastBareYear) as the year itself; '#' repeated for a day
    // number beyond 31 December 9999 or below 1.
    std::string format(int64_t day) const;
    std::string format(double day) const;
    std::string format(std::string_view stored) const;
    // The day number as text; "0" for blank or invalid text. Two-digit years are placed
    // around currentYear (today's year when 0). Four digits alone from 1000 to kLastBareYear
    // are a bare year, as a bare year shows, before any shorthand of the picture's fields.
    // Text the picture's own order does not read is tried as people commonly type dates:
    // yyyy-mm-dd, then mm/dd/yyyy, then dd/mm/yyyy (reached only when the day is above 12).
    std::string deformat(std::string_view shown, int currentYear = 0) const;
    int32_t read(std::string_view shown, int currentYear = 0) const;

private:
    std::string_view order() const;
    int32_t readCommonForm(std::string_view shown, int currentYear) const;
    std::string numeric(int year, int month, int day) const;

    int style_ = 0;
    char separator_ = 0;  // 0: the format's own
    bool blankWhenZero_ = false;
    QString localeFormat_;  // d17 / d18 only
    char localeOrder_[4] = {};
};

}  // namespace cdz
