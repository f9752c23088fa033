#include "app/albums/cd/CdDisc.h"

#include "app/albums/cd/CdTime.h"
#include "runtime/text/Picture.h"
#include "runtime/text/Text.h"

namespace cdz {

namespace {

constexpr int kIdentifierLength = 24;
// Tracks whose lengths the identifier carries after the disc's.
constexpr size_t kIdentifierTracks = 3;

}  // namespace

CdFault CdDisc::read(CdDevice& device, CdDisc& disc) {
    CdContents contents;
    {
        const CdSession session(device);
        if (session.fault() != CdFault::None) return session.fault();
        if (const CdFault fault = device.status(); fault != CdFault::None) return fault;
        if (const CdFault fault = device.contents(contents); fault != CdFault::None) return fault;
    }
    CdDisc read;
    read.trackCount = static_cast<int>(contents.trackFrames.size());
    read.discTime = MsfToTime(cdFramesToMsf(contents.discFrames));
    for (int32_t frames : contents.trackFrames)
        read.trackTimes.push_back(MsfToTime(cdFramesToMsf(frames)));
    read.identifier = identifierOf(read.trackCount, read.discTime, read.trackTimes);
    read.text = contents.text;
    read.contents = std::move(contents);
    disc = std::move(read);
    return CdFault::None;
}

std::string CdDisc::identifierOf(int trackCount, int32_t discTime,
                                 const std::vector<int32_t>& trackTimes) {
    std::string id = formatPicture("@n2", static_cast<double>(trackCount));
    const auto append = [&id](int32_t time) { id = std::string(clip(id)) + std::to_string(time); };
    append(discTime);
    for (size_t i = 0; i < trackTimes.size() && i < kIdentifierTracks; ++i) append(trackTimes[i]);
    return std::string(cutChars(id, kIdentifierLength));
}

std::string_view cdFaultText(CdFault fault) {
    switch (fault) {
        case CdFault::None:
            return {};
        case CdFault::NotAvailable:
            return "CD player not available.";
        case CdFault::NotReady:
            return "CD player not ready.";
        case CdFault::DoorOpen:
            return "CD player door open.";
    }
    return {};
}

}  // namespace cdz
