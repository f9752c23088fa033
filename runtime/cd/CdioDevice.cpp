#include "runtime/cd/CdioDevice.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace cdz {

namespace {

bool endsWithCue(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".cue";
}

struct CdioFree {
    void operator()(char* text) const { cdio_free(text); }
};

// The tray reports open only through a drive's own commands; an image, or a drive that does
// not answer the question, counts as closed.
constexpr int kTrayOpen = 1;

// libcdio's own handler prints to standard error and ends the process on an error message (an
// image that is not one, for instance); here every such case is a fault the caller reports.
void quietLog(cdio_log_level_t, const char[]) {}

}  // namespace

void CdioDevice::Closer::operator()(_CdIo* cdio) const {
    cdio_destroy(cdio);
}

CdioDevice::CdioDevice(std::string source) : source_(std::move(source)) {}

CdioDevice::~CdioDevice() = default;

CdFault CdioDevice::open() {
    close();
    cdio_log_set_handler(&quietLog);
    if (source_.empty()) {
        const std::unique_ptr<char, CdioFree> drive(cdio_get_default_device(nullptr));
        if (!drive) return CdFault::NotAvailable;
        cdio_.reset(cdio_open(drive.get(), DRIVER_DEVICE));
    } else if (endsWithCue(source_)) {
        cdio_.reset(cdio_open_cue(source_.c_str()));
    } else {
        cdio_.reset(cdio_open(source_.c_str(), DRIVER_UNKNOWN));
    }
    return cdio_ ? CdFault::None : CdFault::NotAvailable;
}

CdFault CdioDevice::status() {
    if (!cdio_) return CdFault::NotAvailable;
    if (mmc_get_tray_status(cdio_.get()) == kTrayOpen) return CdFault::DoorOpen;
    const track_t tracks = cdio_get_num_tracks(cdio_.get());
    if (tracks == CDIO_INVALID_TRACK || tracks == 0) return CdFault::NotReady;
    return CdFault::None;
}

CdFault CdioDevice::contents(CdContents& out) {
    if (!cdio_) return CdFault::NotAvailable;
    const track_t first = cdio_get_first_track_num(cdio_.get());
    const track_t count = cdio_get_num_tracks(cdio_.get());
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return CdFault::NotReady;
    CdContents read;
    lsn_t start = cdio_get_track_lsn(cdio_.get(), first);
    const lsn_t discStart = start;
    for (int i = 0; i < count; ++i) {
        // The lead-out ends the last track.
        const int nextTrack = i + 1 < count ? first + i + 1 : CDIO_CDROM_LEADOUT_TRACK;
        const lsn_t next = cdio_get_track_lsn(cdio_.get(), static_cast<track_t>(nextTrack));
        if (start == CDIO_INVALID_LSN || next == CDIO_INVALID_LSN || next <= start)
            return CdFault::NotReady;
        read.trackFrames.push_back(next - start);
        start = next;
    }
    read.discFrames = start - discStart;
    out = std::move(read);
    return CdFault::None;
}

void CdioDevice::close() {
    cdio_.reset();
}

}  // namespace cdz
