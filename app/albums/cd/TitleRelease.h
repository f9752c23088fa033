#pragma once
// A release the online title service knows: its title, artist, date and country, and the titles
// and artists of its tracks (of the medium that is the disc, for a disc's lookup; of every
// medium, numbered by disc, for a release looked up by its identifier), with what a search
// shows of it and what the album keeps of it (format, label, catalogue number).
#include <cstdint>
#include <string>
#include <vector>

namespace cdz {

struct TitleTrack {
    std::string title;
    std::string artist;
    int32_t lengthMs = 0;  // 0 when the service gives none
    int disc = 0;          // the medium's number on a release of several; 0 on one of one
};

struct TitleRelease {
    std::string id;
    std::string title;
    std::string artist;
    std::string date;  // "1997-05-21", "1997-05", "1997" or empty
    std::string country;
    std::string format;  // "CD", "2xCD", "12\" Vinyl + CD": the media, as a search shows them
    std::string label;
    std::string catalogueNumber;
    std::string barcode;
    std::string releaseGroupId;
    bool frontCover = false;  // the picture archive holds a front cover of it
    int trackCount = 0;       // a search's count, where it gives no tracks
    int cutValues = 0;        // texts of the service's answer cut to fit their fields
    std::vector<TitleTrack> tracks;

    // The year of the date; 0 without one.
    int year() const;
    // The date as a day (1 for a month or year alone); 0 without a year.
    int32_t day() const;
    // "Title / Artist (1997, GB, 12 tracks)" for a list to choose from.
    std::string describe() const;
    // The columns of a list of candidates, in order: title, artist, format, country, year,
    // label, catalogue number, tracks.
    std::vector<std::string> columns() const;
    // The columns as one line ("|" between them), as `cdzapp --find-release` prints them.
    std::string line() const;
};

}  // namespace cdz
