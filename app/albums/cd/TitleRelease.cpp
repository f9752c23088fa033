#include "app/albums/cd/TitleRelease.h"

#include "runtime/text/DateTime.h"

namespace cdz {

int TitleRelease::year() const {
    return ymdOfIsoDate(date).year;
}

int32_t TitleRelease::day() const {
    return dayOfIsoDate(date);
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
