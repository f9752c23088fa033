#pragma once
// A release the online title service knows a disc by: its title, artist, date and country, and
// the titles and artists of the tracks of the medium that is the disc.
#include <cstdint>
#include <string>
#include <vector>

namespace cdz {

struct TitleTrack {
    std::string title;
    std::string artist;
    int32_t lengthMs = 0;  // 0 when the service gives none
};

struct TitleRelease {
    std::string id;
    std::string title;
    std::string artist;
    std::string date;  // "1997-05-21", "1997-05", "1997" or empty
    std::string country;
    std::vector<TitleTrack> tracks;

    // The year of the date; 0 without one.
    int year() const;
    // The date as a day (1 for a month or year alone); 0 without a year.
    int32_t day() const;
    // "Title / Artist (1997, GB, 12 tracks)" for a list to choose from.
    std::string describe() const;
};

}  // namespace cdz
