#include "bench/generator/FieldMaker.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "bench/generator/DayNumbers.h"
#include "bench/generator/MediaNames.h"

namespace cdz::gen {

namespace {

// Shares per thousand, in the order of mediaNames().
constexpr std::array<unsigned, 12> kMediaShare = {550, 150, 30, 30, 40, 60, 30, 10, 10, 10, 50, 30};

int32_t lastDay2024() {
    return dayFromCivil(2024, 12, 31);
}

}  // namespace

std::string_view FieldMaker::media(Rng& rng) {
    unsigned r = static_cast<unsigned>(rng.below(1000));
    for (std::size_t i = 0; i < kMediaShare.size(); ++i) {
        if (r < kMediaShare[i]) return mediaNames()[i];
        r -= kMediaShare[i];
    }
    return mediaNames()[0];
}

std::string FieldMaker::sideLetters(Rng& rng, std::string_view media) {
    const bool hasSides =
        media == "LP" || media == "EP" || media == "7\" Single" || media.starts_with("Cassette");
    if (!hasSides) return {};
    return rng.chance(800) ? "AB" : "12";
}

int32_t FieldMaker::releaseDate(Rng& rng) {
    const auto decades = rng.below(38);
    const int year = static_cast<int>(1950 + decades + rng.below(38));
    const int32_t first = dayFromCivil(year, 1, 1);
    const int32_t last = dayFromCivil(year, 12, 31);
    return static_cast<int32_t>(rng.range(first, last));
}

int32_t FieldMaker::dayAfter(Rng& rng, int32_t from) {
    const int32_t start = std::max(from, dayFromCivil(1990, 1, 1));
    const int32_t end = lastDay2024();
    return start >= end ? end : static_cast<int32_t>(rng.range(start, end));
}

int32_t FieldMaker::trackTime(Rng& rng) {
    int64_t seconds;
    if (rng.chance(10)) {
        seconds = rng.range(600, 2400);  // long pieces: suites, live jams
    } else {
        const auto a = rng.below(121);
        const auto b = rng.below(121);
        seconds = static_cast<int64_t>(60 + a + b + rng.below(101));
    }
    return static_cast<int32_t>(seconds * 100 + 1);
}

std::string FieldMaker::fileNumber(Rng& rng, std::string_view media, int32_t number) {
    const auto kind = rng.below(100);
    if (kind < 5) return {};
    char buf[40];
    if (kind < 15) {
        const auto shelf = static_cast<int>(rng.range(1, 40));
        const auto box = static_cast<int>(rng.range(1, 12));
        std::snprintf(buf, sizeof buf, "Shelf %d, Box %d", shelf, box);
        return buf;
    }
    const char* prefix = "X";
    if (media == "CD")
        prefix = "CD";
    else if (media == "LP")
        prefix = "LP";
    else if (media == "EP")
        prefix = "EP";
    else if (media == "CD Single")
        prefix = "CDS";
    else if (media == "7\" Single")
        prefix = "SG";
    else if (media.starts_with("Cassette"))
        prefix = "MC";
    std::snprintf(buf, sizeof buf, "%s-%06d", prefix, static_cast<int>(number));
    return buf;
}

std::string FieldMaker::rating(Rng& rng) {
    const auto r = rng.below(100);
    if (r < 55) return {};
    if (r < 58) return "10";
    return std::to_string(1 + rng.below(5));
}

}  // namespace cdz::gen
