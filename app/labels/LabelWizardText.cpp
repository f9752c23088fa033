#include "app/labels/LabelWizardText.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "app/domain/data/AlbumRecord.h"
#include "app/domain/data/LabelRecord.h"
#include "app/domain/data/SongRecord.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kJoin = " - ";
constexpr std::string_view kFileNumber = "File Number ";
constexpr int kTextWidth = 80;

std::string trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return std::string(clip(s));
}

std::string joined(std::string_view first, std::string_view second, std::string_view between) {
    return std::string(first) + std::string(between) + std::string(second);
}

// "A" and "B" are the sides 1 and 2 a cassette's songs are also given as.
std::string sideOf(std::string_view stored) {
    std::string side = toUpper(trimmed(stored));
    if (side == "A") return "1";
    if (side == "B") return "2";
    return side;
}

int memoWidth(const char* memo) {
    return LabelRecord::declaration().column(memo)->width;
}

// One listing being filled: lines are added whole while they fit its memo.
struct Listing {
    std::string* memo;
    const char* name;
    int width;
    bool cut = false;

    void add(const std::string& line) {
        if (cut) return;
        std::string next =
            memo->empty() ? line : std::string(clip(*memo)) + std::string(kLineEnd) + line;
        if (static_cast<int>(next.size()) > width) {
            cut = true;
            return;
        }
        *memo = std::move(next);
    }
};

}  // namespace

bool LabelWizardText::isVarious(std::string_view artist) {
    return toUpper(trimmed(artist)) == "VARIOUS";
}

void LabelWizardText::fromAlbum(LabelRecord& label, const AlbumRecord& album, bool artistFirst) {
    const std::string a = trimmed(album.Artist.view());
    const std::string b = trimmed(album.Album.view());
    label.LabelDescription = joined(b, a, kJoin);
    label.AlbumID = album.AlbumID;
    std::string line = artistFirst ? joined(a, b, kJoin) : joined(b, a, kJoin);
    std::string lines = artistFirst ? joined(a, b, kLineEnd) : joined(b, a, kLineEnd);
    if (isVarious(a)) line = lines = b;
    label.CDSpine = line;
    label.CDTitle = line;
    label.CassetteFlap = lines;
    label.CassetteTitle = lines;
}

void LabelWizardText::fromSong(LabelRecord& label, const SongRecord& song, bool artistFirst) {
    // The file number is stored padded to its width; the label carries the number alone.
    const std::string f = std::string(kFileNumber) + trimmed(song.FileNumber.view());
    const std::string a = trimmed(song.Artist.view());
    const std::string b = trimmed(song.Album.view());
    label.LabelDescription = f;
    label.AlbumID = 0;
    const std::string line = f + " " + (artistFirst ? joined(a, b, kJoin) : joined(b, a, kJoin));
    const std::string lines = artistFirst ? f + std::string(kLineEnd) + joined(a, b, kJoin)
                                          : f + std::string(kLineEnd) + joined(b, a, kLineEnd);
    label.CDSpine = line;
    label.CDTitle = line;
    label.CassetteFlap = lines;
    label.CassetteTitle = lines;
}

std::string LabelWizardText::lengthSuffix(std::int32_t time, std::string_view information) {
    if (time > 0) {
        // Stored as hundredths of a second plus one.
        const std::int64_t seconds = (std::int64_t{time} - 1) / 100;
        const std::int64_t hours = seconds / 3600;
        const std::int64_t minutes = seconds / 60 % 60;
        char text[32];
        if (hours > 0) {
            std::snprintf(text, sizeof text, " (%lld:%02lld:%02lld)", static_cast<long long>(hours),
                          static_cast<long long>(minutes), static_cast<long long>(seconds % 60));
        } else {
            std::snprintf(text, sizeof text, " (%lld:%02lld)", static_cast<long long>(minutes),
                          static_cast<long long>(seconds % 60));
        }
        return text;
    }
    if (information.find(':') != std::string_view::npos &&
        information.find("00:00") == std::string_view::npos)
        return " (" + std::string(clip(information)) + ")";
    return {};
}

std::string LabelWizardText::songText(const SongRecord& song, bool withArtist, bool artistFirst) {
    const std::string title = trimmed(song.Title.view());
    const std::string artist = trimmed(song.Artist.view());
    std::string text = title;
    if (withArtist)
        text = artistFirst ? joined(artist, title, kJoin) : joined(title, artist, kJoin);
    text += lengthSuffix(song.Time, song.AdditionalInformation1.view());
    return std::string(cutChars(text, kTextWidth));
}

std::vector<std::string> LabelWizardText::listings(LabelRecord& label,
                                                   std::vector<LabelWizardSong> songs,
                                                   std::string_view delimiter) {
    const std::string chosen = trimmed(delimiter);
    const std::string mark =
        (chosen.empty() ? std::string(".") : std::string(cutChars(chosen, 1))) + " ";
    for (LabelWizardSong& s : songs) s.side = sideOf(s.side);
    std::stable_sort(songs.begin(), songs.end(), [](const auto& x, const auto& y) {
        return std::tie(x.side, x.track, x.text) < std::tie(y.side, y.track, y.text);
    });
    label.CDCoverText.clear();
    label.CDInsideText.clear();
    label.CassetteContentsA.clear();
    label.CassetteContentsB.clear();
    Listing cover{&label.CDCoverText, "back cover", memoWidth("CDCoverText")};
    Listing inside{&label.CDInsideText, "front cover", memoWidth("CDInsideText")};
    Listing sideA{&label.CassetteContentsA, "Side A", memoWidth("CassetteContentsA")};
    Listing sideB{&label.CassetteContentsB, "Side B", memoWidth("CassetteContentsB")};
    for (const LabelWizardSong& s : songs) {
        const std::string line = std::to_string(s.track) + mark + s.text;
        cover.add(line);
        inside.add(line);
        if (s.side != "2") sideA.add(line);
        if (s.side != "1") sideB.add(line);
    }
    std::vector<std::string> notices;
    for (const Listing* l : {&cover, &inside, &sideA, &sideB})
        if (l->cut)
            notices.push_back(std::string("The ") + l->name + " listing is full at " +
                              std::to_string(l->width) +
                              " characters: it ends at the last song that fits.");
    return notices;
}

}  // namespace cdz
