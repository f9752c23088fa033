#pragma once
// Reads a date as a user types it or a picture shows it: numbers in the picture's field order,
// month names (3 letters or full, any case, English or the desktop language), two-digit years
// placed in a window around the current year, and compact digit runs such as "19591031".
#include <cstdint>
#include <string_view>

#include <QString>

namespace cdz {

class DateReader {
public:
    // order lists the fields as they appear: 'D' day, 'M' month, 'Y' year ("MDY", "YM", ...).
    // A missing day field reads as the first of the month.
    DateReader(std::string_view order, int currentYear);

    // The day number of text, or 0 when it is blank or not a valid date.
    int32_t read(std::string_view text) const;
    int32_t read(const QString& text) const;

    // The field order of a Qt date format ("dd.MM.yy" -> "DMY"); day-of-week names are skipped.
    static std::string_view orderOfQtFormat(const QString& format, char (&buffer)[4]);
    // Year of a two-digit year: the one ending in yy within [currentYear-89, currentYear+10],
    // so that a catalogue's old releases come out in the past.
    static int expandYear(int yy, int currentYear);
    // "January".."December"; month 1..12.
    static std::string_view englishMonthName(int month);

private:
    int monthOfWord(const QString& word) const;

    char order_[4] = {};
    int fields_ = 0;
    int currentYear_;
};

}  // namespace cdz
