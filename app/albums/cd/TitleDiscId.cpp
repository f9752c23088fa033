#include "app/albums/cd/TitleDiscId.h"

#include <discid/discid.h>

#include <array>
#include <memory>

namespace cdz {

namespace {

// Sectors are counted from the start of the lead-in, two seconds before logical sector 0.
constexpr int32_t kLeadIn = 2 * kCdFramesPerSecond;
// An enhanced disc's audio ends this long before its data session begins: the lead-out, the
// lead-in and the pre-gap between the two sessions.
constexpr int32_t kSessionGap = 11400;
constexpr int kMaxTracks = 99;

struct DiscIdFree {
    void operator()(::DiscId* disc) const { discid_free(disc); }
};

// offsets[0] is the lead-out, offsets[n] the start of track n; false when there is no audio.
bool offsetsOf(const CdContents& contents, int& first, int& last,
               std::array<int, kMaxTracks + 1>& offsets) {
    const int tracks = static_cast<int>(contents.trackFrames.size());
    const int audio = tracks - contents.trailingDataTracks;
    if (audio <= 0 || contents.firstTrack < 1 || contents.firstTrack + audio - 1 > kMaxTracks)
        return false;
    offsets.fill(0);
    first = contents.firstTrack;
    last = first + audio - 1;
    int32_t start = contents.firstSector + kLeadIn;
    for (int i = 0; i < tracks; ++i) {
        if (i < audio) offsets[static_cast<size_t>(first) + static_cast<size_t>(i)] = start;
        if (i == audio) {
            offsets[0] = start - kSessionGap;  // the first data track's start
            return true;
        }
        start += contents.trackFrames[static_cast<size_t>(i)];
    }
    offsets[0] = start;
    return true;
}

}  // namespace

std::string TitleDiscId::of(const CdContents& contents) {
    int first = 0, last = 0;
    std::array<int, kMaxTracks + 1> offsets{};
    if (!offsetsOf(contents, first, last, offsets)) return {};
    const std::unique_ptr<::DiscId, DiscIdFree> disc(discid_new());
    if (!disc || !discid_put(disc.get(), first, last, offsets.data())) return {};
    return discid_get_id(disc.get());
}

std::string TitleDiscId::tocText(const CdContents& contents) {
    int first = 0, last = 0;
    std::array<int, kMaxTracks + 1> offsets{};
    if (!offsetsOf(contents, first, last, offsets)) return {};
    std::string toc =
        std::to_string(first) + "+" + std::to_string(last) + "+" + std::to_string(offsets[0]);
    for (int t = first; t <= last; ++t)
        toc += "+" + std::to_string(offsets[static_cast<size_t>(t)]);
    return toc;
}

}  // namespace cdz
