#include "app/albums/cd/TitleRelease.h"

#include <charconv>

#include "runtime/text/DateTime.h"

namespace cdz {

namespace {

// The number of `digits` digits at `at` of the date; 0 when they are not all there.
int datePart(const std::string& date, size_t at, size_t digits) {
    if (date.size() < at + digits) return 0;
    int value = 0;
    const char* begin = date.data() + at;
    const auto [end, error] = std::from_chars(begin, begin + digits, value);
    return error == std::errc() && end == begin + digits ? value : 0;
}

}  // namespace

int TitleRelease::year() const {
    return datePart(date, 0, 4);
}

int32_t TitleRelease::day() const {
    const int y = year();
    if (y <= 0) return 0;
    int month = date.size() >= 7 && date[4] == '-' ? datePart(date, 5, 2) : 0;
    int dayOfMonth = month > 0 && date.size() >= 10 && date[7] == '-' ? datePart(date, 8, 2) : 0;
    if (month < 1 || month > 12) month = 1;
    if (dayOfMonth < 1 || dayOfMonth > daysInMonth(y, month)) dayOfMonth = 1;
    return dateFromYmd(y, month, dayOfMonth);
}

std::string TitleRelease::describe() const {
    std::string out = title.empty() ? "(untitled)" : title;
    if (!artist.empty()) out += " / " + artist;
    std::string details;
    if (const int y = year(); y > 0) details = std::to_string(y);
    if (!country.empty()) details += (details.empty() ? "" : ", ") + country;
    details += (details.empty() ? "" : ", ") + std::to_string(tracks.size()) +
               (tracks.size() == 1 ? " track" : " tracks");
    return out + " (" + details + ")";
}

std::vector<std::string> TitleRelease::columns() const {
    const int y = year();
    const size_t count = tracks.empty() ? static_cast<size_t>(trackCount) : tracks.size();
    return {title,
            artist,
            format,
            country,
            y > 0 ? std::to_string(y) : std::string(),
            label,
            catalogueNumber,
            std::to_string(count)};
}

std::string TitleRelease::line() const {
    std::string out;
    for (const std::string& column : columns()) {
        if (!out.empty()) out += " | ";
        out += column;
    }
    return out;
}

}  // namespace cdz
