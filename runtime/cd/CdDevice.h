#pragma once
// A drive that tells what audio disc it holds: the reader opens it, asks whether a disc can be
// read, reads the table of contents and closes it. The three ways a drive can refuse are told
// apart so that the user learns which one it was; a refusal is never read as a track count or
// a length.
#include <cstdint>
#include <string>
#include <vector>

namespace cdz {

enum class CdFault {
    None,
    NotAvailable,  // no drive or disc image by that name, or it cannot be opened
    NotReady,      // no disc, or a disc whose table of contents cannot be read
    DoorOpen,      // the drive's tray is open
};

// Audio frames per second of a compact disc.
constexpr int32_t kCdFramesPerSecond = 75;

// The titles and performers a disc carries as CD-Text, in UTF-8; empty where it gives none.
// The track lists hold one entry per track of the table of contents, or none without CD-Text.
struct CdText {
    std::string albumTitle;
    std::string albumPerformer;
    std::vector<std::string> trackTitles;
    std::vector<std::string> trackPerformers;

    // Blank for track `index` (from 0) when the disc names none.
    std::string trackTitle(size_t index) const;
    std::string trackPerformer(size_t index) const;
    bool empty() const;
};

// A disc's table of contents in audio frames: each track's length in track order, and the
// whole disc's (from the start of the first track to the lead-out); and its CD-Text. Where the
// first track starts and which tracks are data let an online title service know the disc.
struct CdContents {
    std::vector<int32_t> trackFrames;
    int32_t discFrames = 0;
    CdText text;
    int firstTrack = 1;          // the number of the first track
    int32_t firstSector = 0;     // its logical sector, after the two-second lead-in
    int trailingDataTracks = 0;  // data tracks after the audio ones (an enhanced disc's)
};

class CdDevice {
public:
    virtual ~CdDevice() = default;

    // NotAvailable when there is nothing to open; the device is open only after None.
    virtual CdFault open() = 0;
    // Whether the open drive holds a disc it can read: NotReady or DoorOpen when not.
    virtual CdFault status() = 0;
    // The open drive's table of contents; NotReady when it cannot be read.
    virtual CdFault contents(CdContents& out) = 0;
    // Closes an open device; does nothing when it is closed.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Why the last fault came, where the device knows more than the fault says ("the sheet
    // cannot be read: ..."); empty otherwise.
    virtual std::string faultDetail() const { return {}; }
};

// Holds a device open for one read and closes it when the read ends, on every path.
class CdSession {
public:
    explicit CdSession(CdDevice& device) : device_(device), fault_(device.open()) {}
    ~CdSession() { device_.close(); }
    CdSession(const CdSession&) = delete;
    CdSession& operator=(const CdSession&) = delete;

    // How the open went.
    CdFault fault() const { return fault_; }

private:
    CdDevice& device_;
    CdFault fault_;
};

// A length in frames as a drive shows it, "mm:ss:ff" (minutes in at least two digits).
std::string cdFramesToMsf(int32_t frames);

}  // namespace cdz
