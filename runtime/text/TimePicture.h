#pragma once
// Time pictures @t1..@t8: t1 hh:mm, t2 hhmm, t3 h:mmAM/PM, t4 h:mm:ss (a length: what is typed
// in two parts, "3:45", is minutes and seconds), t5 hhmmss,
// t6 h:mm:ssAM/PM, t7/t8 the desktop's short/long time. An optional separator ("-", ".", "_"
// for a space) replaces the colon; "b" also blanks the zero time (value 1). Value 0 (no time)
// always shows blank. Durations past 24 hours keep counting hours, except in the clock styles
// (t3, t6, t7, t8), which show the time of day.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace cdz {

class TimePicture {
public:
    // Parses the part after the kind letter ("4", "4b", "1-"); nullopt when malformed.
    static std::optional<TimePicture> parse(std::string_view rest);

    int style() const { return style_; }
    bool blankWhenZero() const { return blankWhenZero_; }
    // Characters of a typical formatted time (for column widths).
    int width() const;

    // Blank for 0; '#' repeated for a negative value.
    std::string format(int64_t value) const;
    std::string format(double value) const;
    std::string format(std::string_view stored) const;
    // Reads hours, minutes and seconds from the left, with AM/PM anywhere; the time value as
    // text, "0" for blank or invalid text. A length (t4) reads the parts from the right:
    // "3:45" and "345" are minutes and seconds, "45" minutes, "1:02:03" hours too.
    std::string deformat(std::string_view shown) const;
    static int32_t read(std::string_view shown);
    static int32_t readLength(std::string_view shown);

private:
    int style_ = 0;
    char separator_ = 0;  // 0: the colon
    bool blankWhenZero_ = false;
    QString localeFormat_;  // t7 / t8 only
};

}  // namespace cdz
