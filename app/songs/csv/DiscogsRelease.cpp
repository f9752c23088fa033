#include "app/songs/csv/DiscogsRelease.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "runtime/text/DateTime.h"
#include "runtime/text/Printable.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

using ColumnOf = size_t DiscogsColumns::*;

constexpr std::array<std::pair<std::string_view, ColumnOf>, 10> kFixedColumns = {{
    {"Catalog#", &DiscogsColumns::catalogNumber},
    {"Artist", &DiscogsColumns::artist},
    {"Title", &DiscogsColumns::title},
    {"Label", &DiscogsColumns::label},
    {"Format", &DiscogsColumns::format},
    {"Rating", &DiscogsColumns::rating},
    {"Released", &DiscogsColumns::released},
    {"release_id", &DiscogsColumns::releaseId},
    {"CollectionFolder", &DiscogsColumns::folder},
    {"Date Added", &DiscogsColumns::dateAdded},
}};
constexpr std::string_view kCollection = "Collection ";

// The audio formats of a file release, as Discogs writes them, and the media name each gives
// (the names an audio files scan gives where it knows them).
constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kAudioFormats = {{
    {"AAC", "AAC"},
    {"AIFF", "AIFF"},
    {"ALAC", "ALAC"},
    {"APE", "APE"},
    {"DFF", "DFF"},
    {"DSF", "DSF"},
    {"FLAC", "FLAC"},
    {"MP3", "MP3"},
    {"Ogg Vorbis", "OGG"},
    {"Opus", "OPUS"},
    {"WAV", "WAV"},
    {"WMA", "WMA"},
}};

// Longest value a refusal quotes.
constexpr int kQuotedChars = 40;

// One line of text from the file: no control characters, no outer blanks.
std::string oneLine(std::string_view value) {
    return printable(value, CsvLineReader::kMaxFieldChars);
}

// Text of several lines: each made as oneLine() makes a line, empty ones at either end gone.
std::string severalLines(std::string_view value) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += value[i];
        }
    }
    std::string out;
    for (const std::string& line : lines) {
        if (!out.empty()) out += '\n';
        out += oneLine(line);
    }
    const size_t from = out.find_first_not_of('\n');
    if (from == std::string::npos) return {};
    return out.substr(from, out.find_last_not_of('\n') - from + 1);
}

std::string_view withoutOuterBlanks(std::string_view s) {
    const size_t from = s.find_first_not_of(' ');
    return from == std::string_view::npos ? std::string_view() : clip(s.substr(from));
}

std::string quotedForWords(std::string_view value) {
    const std::string_view cut = cutChars(value, kQuotedChars);
    return "\"" + std::string(cut) + (cut.size() < value.size() ? "...\"" : "\"");
}

bool startsFolded(std::string_view text, std::string_view start) {
    return text.size() > start.size() && equalsFolded(text.substr(0, start.size()), start);
}

std::optional<int64_t> positiveNumber(std::string_view text) {
    int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number <= 0)
        return std::nullopt;
    return number;
}

// Parts joined by line breaks, the empty ones left out.
std::string joinLines(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts) {
        if (part.empty()) continue;
        if (!out.empty()) out += '\n';
        out += part;
    }
    return out;
}

std::string_view withoutTrailingBreaks(std::string_view s) {
    const size_t last = s.find_last_not_of(" \n");
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

int notesChars() {
    static const int most = AlbumRecord::declaration().column("ALB:Notes")->width;
    return most;
}

// Stores `value` into a text field; 1 when it had to be cut.
int storeCounted(TextField& field, std::string_view value) {
    field = value;
    return field.clipped() == clip(value) ? 0 : 1;
}

}  // namespace

std::optional<DiscogsColumns> DiscogsColumns::of(std::span<const CsvField> header) {
    DiscogsColumns c;
    c.count = header.size();
    std::array<bool, kFixedColumns.size()> seen{};
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string label = oneLine(header[i].value);
        const auto fixed =
            std::find_if(kFixedColumns.begin(), kFixedColumns.end(),
                         [&](const auto& f) { return equalsFolded(label, f.first); });
        if (fixed != kFixedColumns.end()) {
            bool& already = seen[static_cast<size_t>(fixed - kFixedColumns.begin())];
            if (already) return std::nullopt;
            already = true;
            c.*(fixed->second) = i;
            continue;
        }
        if (!startsFolded(label, kCollection)) return std::nullopt;
        const std::string name(
            withoutOuterBlanks(std::string_view(label).substr(kCollection.size())));
        if (equalsFolded(name, "Media Condition")) {
            c.mediaCondition = i;
        } else if (equalsFolded(name, "Sleeve Condition")) {
            c.sleeveCondition = i;
        } else if (equalsFolded(name, "Notes")) {
            c.notes = i;
        } else {
            c.extras.push_back({name, i});
        }
    }
    if (std::find(seen.begin(), seen.end(), false) != seen.end()) return std::nullopt;
    return c;
}

int DiscogsAlbum::storeInto(AlbumRecord& album) const {
    album.ReleaseDate = releaseDate;
    album.Notes = notes;
    return storeCounted(album.Artist, artist) + storeCounted(album.Album, title) +
           storeCounted(album.Media, media) + storeCounted(album.Rating, rating) +
           (notesCut ? 1 : 0);
}

std::string DiscogsRelease::artistName(std::string_view artist) {
    artist = clip(artist);
    const size_t open = artist.rfind(" (");
    if (open == std::string_view::npos || artist.back() != ')') return std::string(artist);
    const std::string_view digits = artist.substr(open + 2, artist.size() - open - 3);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return std::string(artist);
    return std::string(clip(artist.substr(0, open)));
}

std::string DiscogsRelease::mediaName(std::string_view format) {
    std::vector<std::string_view> tokens;
    for (size_t from = 0; from <= format.size();) {
        const size_t comma = std::min(format.find(',', from), format.size());
        tokens.push_back(withoutOuterBlanks(format.substr(from, comma - from)));
        from = comma + 1;
    }
    std::string_view first = tokens.front();
    // "2xCD": the count of discs is no part of the media.
    const size_t digits = first.find_first_not_of("0123456789");
    if (digits != 0 && digits != std::string_view::npos && first[digits] == 'x' &&
        digits + 1 < first.size())
        first.remove_prefix(digits + 1);
    if (equalsFolded(first, "Cass")) return "Cassette";
    if (equalsFolded(first, "File")) {
        for (const auto& [name, media] : kAudioFormats) {
            if (tokens.size() > 1 && equalsFolded(tokens[1], name)) return std::string(media);
        }
        return "File";
    }
    return std::string(first);
}

std::string DiscogsRelease::notes(const std::vector<std::string>& labelled, std::string_view text,
                                  const std::string& releaseLine, int mostChars, bool* cut) {
    std::string head;
    for (const std::string& line : labelled) head = joinLines({head, line});
    std::string whole = joinLines({head, text, releaseLine});
    *cut = charCount(whole) > mostChars;
    if (!*cut) return whole;
    // The release line stays whole: it is how the album is found on Discogs again.
    const int room = mostChars - charCount(releaseLine) - 1;
    if (room <= 0) return std::string(cutChars(releaseLine, mostChars));
    const std::string_view keptHead = withoutTrailingBreaks(cutChars(head, room));
    const int left = room - charCount(keptHead) - (keptHead.empty() ? 0 : 1);
    const std::string_view keptText =
        left > 0 ? withoutTrailingBreaks(cutChars(text, left)) : std::string_view();
    return joinLines({keptHead, keptText, releaseLine});
}

std::optional<DiscogsAlbum> DiscogsRelease::read(const DiscogsColumns& columns,
                                                 std::span<const CsvField> fields,
                                                 std::string* why) {
    if (fields.size() != columns.count) {
        *why = std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") +
               " where the header has " + std::to_string(columns.count);
        return std::nullopt;
    }
    const auto value = [&](size_t column) { return oneLine(fields[column].value); };
    const std::string id = value(columns.releaseId);
    const std::optional<int64_t> release = positiveNumber(id);
    if (!release) {
        *why = "the release id " + quotedForWords(id) + " is not a positive number";
        return std::nullopt;
    }
    DiscogsAlbum album;
    album.artist = artistName(value(columns.artist));
    album.title = value(columns.title);
    if (album.artist.empty() && album.title.empty()) {
        *why = "the line names neither an artist nor a title";
        return std::nullopt;
    }
    album.media = mediaName(value(columns.format));
    album.releaseDate = dayOfIsoDate(value(columns.released));
    // Discogs rates 1 to 5; 0 is a release not rated.
    if (const std::string rating = value(columns.rating);
        rating.size() == 1 && rating >= "1" && rating <= "5") {
        album.rating = rating;
    } else if (!rating.empty() && rating != "0") {
        album.remark =
            "the rating " + quotedForWords(rating) + " is not 0 to 5; the album has none";
    }
    std::vector<std::string> labelled;
    const auto add = [&](std::string_view label, std::optional<size_t> column) {
        if (!column) return;
        if (const std::string v = value(*column); !v.empty())
            labelled.push_back(std::string(label) + ": " + v);
    };
    add("Label", columns.label);
    add("Catalogue number", columns.catalogNumber);
    add("Media condition", columns.mediaCondition);
    add("Sleeve condition", columns.sleeveCondition);
    add("Folder", columns.folder);
    for (const DiscogsColumns::Extra& extra : columns.extras) add(extra.name, extra.column);
    const std::string text = columns.notes ? severalLines(fields[*columns.notes].value) : "";
    album.notes = notes(labelled, text, "Discogs release: " + std::to_string(*release),
                        notesChars(), &album.notesCut);
    return album;
}

}  // namespace cdz
