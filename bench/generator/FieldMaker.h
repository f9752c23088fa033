#pragma once
// Values of single fields shared by albums and songs: media, dates, playing times, shelf
// numbers, ratings, with the proportions a real collection shows.
#include <cstdint>
#include <string>
#include <string_view>

#include "bench/generator/Rng.h"

namespace cdz::gen {

class FieldMaker {
public:
    // One of the twelve media names, compact discs most often.
    static std::string_view media(Rng& rng);
    // "AB", "12" for media with sides (records, cassettes), empty otherwise.
    static std::string sideLetters(Rng& rng, std::string_view media);
    // A day number between 1950 and 2024, most around the late eighties.
    static int32_t releaseDate(Rng& rng);
    // A day number from `from` (a day number, or 0) to the end of 2024.
    static int32_t dayAfter(Rng& rng, int32_t from);
    // A song's playing time in whole seconds as a time value (hundredths + 1).
    static int32_t trackTime(Rng& rng);
    // A shelf number such as "CD-000123" or "Shelf 12, Box 3"; sometimes blank.
    static std::string fileNumber(Rng& rng, std::string_view media, int32_t number);
    // Blank, "1".."5" or "10".
    static std::string rating(Rng& rng);
};

}  // namespace cdz::gen
