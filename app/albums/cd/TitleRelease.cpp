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

}  // namespace cdz
