// Any bytes as the title service's answer for a six-track disc: the answer reads as malformed
// or as releases that each hold tracks, with trimmed texts, a day in the release's year, and a
// description; reading it again gives the same releases. The same bytes as a release search's
// answer and a release's lookup: at most the candidates asked for, trimmed texts, each track
// on a disc from 0 on, and the same again on a second reading.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/albums/cd/ReleaseAnswer.h"
#include "app/albums/cd/TitleAnswer.h"
#include "runtime/text/DateTime.h"

namespace {

const std::string kDiscId = "49HHV7Eb8UKF3aQiNmu1GR8vKTY-";
constexpr int kTracks = 6;

bool trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString() == text;
}

void checkReleases(std::string_view json) {
    constexpr int kMost = 5;
    const auto candidates = cdz::ReleaseAnswer::candidates(json, kMost);
    if (candidates) {
        if (candidates->size() > static_cast<size_t>(kMost)) std::abort();
        for (const cdz::TitleRelease& r : *candidates)
            if (!trimmed(r.title) || !trimmed(r.artist) || !trimmed(r.label) || r.line().empty() ||
                r.trackCount < 0)
                std::abort();
        const auto again = cdz::ReleaseAnswer::candidates(json, kMost);
        if (!again || again->size() != candidates->size()) std::abort();
    }
    const auto release = cdz::ReleaseAnswer::release(json);
    if (!release) return;
    for (const cdz::TitleTrack& t : release->tracks)
        if (!trimmed(t.title) || !trimmed(t.artist) || t.disc < 0 || t.lengthMs < 0) std::abort();
    if (release->trackCount != static_cast<int>(release->tracks.size()) || release->cutValues < 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    checkReleases(json);
    const auto read = cdz::TitleAnswer::read(json, kDiscId, kTracks);
    if (!read) return 0;
    for (const cdz::TitleRelease& r : *read) {
        if (r.tracks.empty() || r.describe().empty()) std::abort();
        if (!trimmed(r.id) || !trimmed(r.title) || !trimmed(r.artist) || !trimmed(r.date) ||
            !trimmed(r.country))
            std::abort();
        for (const cdz::TitleTrack& t : r.tracks)
            if (!trimmed(t.title) || !trimmed(t.artist) || (t.artist.empty() && !r.artist.empty()))
                std::abort();
        // A day for every year the program keeps dates of (1801 on), in the release's year.
        const int32_t day = r.day();
        if ((day != 0) != (r.year() >= 1801)) std::abort();
        if (day != 0 && cdz::ymdFromDate(day).year != r.year()) std::abort();
    }
    const auto again = cdz::TitleAnswer::read(json, kDiscId, kTracks);
    if (!again || again->size() != read->size()) std::abort();
    for (size_t i = 0; i < read->size(); ++i)
        if ((*again)[i].describe() != (*read)[i].describe()) std::abort();
    return 0;
}
