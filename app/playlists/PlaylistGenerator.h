#pragma once
// Makes a new playlist of songs drawn at random from the catalogue, limited by release date
// and category and biased towards recent or older additions or releases. The songs a draw
// may land on are those that exist and meet the dates and the category, chosen by the data
// files (never a stale record in a gap of the record numbers); the playlist and its entries
// are written in one transaction, so a playlist is added whole or not at all.
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace cdz {

class Catalogue;

enum class PlaylistWeighting { None, RecentAddition, RecentRelease, OlderAddition, OlderRelease };

struct PlaylistGeneratorChoice {
    int size = 0;           // songs wanted, 0 to 99
    int32_t startDate = 0;  // release bounds: 0 none, below 3000 a year, else a day number
    int32_t endDate = 0;
    std::string category;  // a category name; blank for every song
    PlaylistWeighting weighting = PlaylistWeighting::None;
};

struct PlaylistGeneratorOutcome {
    enum class Result { Generated, NoSongs, BadChoice, UnknownCategory, NotWritten };
    Result result = Result::NotWritten;
    int32_t playlistId = 0;
    std::string name;  // "Play List #7"
    int entries = 0;
    int draws = 0;
    std::string message;  // what the user is told when nothing was generated
};

class PlaylistGenerator {
public:
    static constexpr int kMaxSize = 99;
    // Draws stop after this many even when the playlist is short (rejected draws count).
    static constexpr int kDrawLimit = 1001;
    static constexpr int kRecentDays = 90;
    static constexpr const char* kNoSongs = "There are no songs to select from";
    static constexpr const char* kNamePrefix = "Play List #";
    // The weightings as the window offers them, in the order of PlaylistWeighting.
    static constexpr std::array<const char*, 5> kWeightings = {
        "No Weighting", "Recent Addition", "Recent Release", "Older Addition", "Older Release"};
    // Every category name, sorted, for the window's drop-down list; none when unreadable.
    static std::vector<std::string> categoryNames(Catalogue& catalogue);

    // `random` is the source of every draw; a test seeds its own.
    PlaylistGenerator(Catalogue& catalogue, std::mt19937_64& random)
        : catalogue_(catalogue), random_(random) {}

    // Draws and writes the playlist; `today` dates it and tells recent releases from older.
    PlaylistGeneratorOutcome generate(const PlaylistGeneratorChoice& choice, int32_t today);

private:
    Catalogue& catalogue_;
    std::mt19937_64& random_;
};

}  // namespace cdz
