#include "bench/generator/CatalogueStats.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <string_view>
#include <vector>

#include "bench/generator/TextCut.h"

namespace cdz::gen {

namespace {

bool hasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// FNV-1a: a fixed hash, so the duplicate count never depends on the standard library.
uint64_t pairHash(std::string_view artist, std::string_view title) {
    uint64_t h = 0xcbf29ce484222325ULL;
    auto feed = [&h](std::string_view text) {
        for (char c : text) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001b3ULL;
        }
    };
    feed(artist);
    feed(std::string_view("\0", 1));
    feed(title);
    return h;
}

double percent(int64_t part, int64_t whole) {
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

void CatalogueStats::addSong(const SongRecord& s, std::size_t lineChars) {
    ++songs_;
    ++perArtist_[s.Artist];
    if (!pairs_.insert(pairHash(s.Artist, s.Title)).second) ++repeatedPairs_;
    if (s.AlbumID == 0) ++looseSongs_;
    if (s.CategoryID == 0) ++noCategory_;
    if (s.Notes.empty()) ++emptyNotes_;
    if (hasNonAscii(s.Artist) || hasNonAscii(s.Title) || hasNonAscii(s.Album)) ++nonAscii_;
    if (s.Title.find('"') != std::string::npos) ++quotedTitles_;
    if (s.Title.find(',') != std::string::npos) ++commaTitles_;
    highestAlbumID_ = std::max(highestAlbumID_, s.AlbumID);
    longestLine_ = std::max(longestLine_, lineChars);
    for (const std::string* text : {&s.Notes, &s.Recording, &s.PerformanceNotes, &s.Composer}) {
        longestField_ = std::max(longestField_, charCount(*text));
    }
}

int64_t CatalogueStats::topArtistSongs() const {
    int64_t top = 0;
    for (const auto& [name, count] : perArtist_) top = std::max(top, count);
    return top;
}

int64_t CatalogueStats::medianArtistSongs() const {
    if (perArtist_.empty()) return 0;
    std::vector<int64_t> counts;
    counts.reserve(perArtist_.size());
    for (const auto& [name, count] : perArtist_) counts.push_back(count);
    const auto middle = counts.begin() + static_cast<std::ptrdiff_t>(counts.size() / 2);
    std::nth_element(counts.begin(), middle, counts.end());
    return *middle;
}

void CatalogueStats::write(std::ostream& out) const {
    out << std::fixed << std::setprecision(1);
    out << "songs                      " << songs_ << '\n';
    out << "distinct artists           " << artists() << '\n';
    out << "songs of the top artist    " << topArtistSongs() << '\n';
    out << "songs of the median artist " << medianArtistSongs() << '\n';
    out << "highest album number       " << highestAlbumID_ << '\n';
    out << "on no album                " << percent(looseSongs_, songs_) << " %\n";
    out << "without category           " << percent(noCategory_, songs_) << " %\n";
    out << "without notes              " << percent(emptyNotes_, songs_) << " %\n";
    out << "non-ASCII names            " << percent(nonAscii_, songs_) << " %\n";
    out << "titles with double quotes  " << quotedTitles_ << '\n';
    out << "titles with commas         " << commaTitles_ << '\n';
    out << "repeated artist and title  " << repeatedPairs_ << '\n';
    out << "longest line (characters)  " << longestLine_ << '\n';
    out << "longest memo (characters)  " << longestField_ << '\n';
}

}  // namespace cdz::gen
