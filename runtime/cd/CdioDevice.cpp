#include "runtime/cd/CdioDevice.h"

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <QByteArray>
#include <QString>
#include <QUtf8StringView>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "runtime/text/Printable.h"

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

// libcdio reads the TITLE and PERFORMER lines of a CUE sheet as ISO-8859-1, so a sheet written
// in UTF-8 comes back with each accented letter turned into two ("CafÃ©"). A text that is
// entirely such pairs is turned back; any other is kept as read.
std::string undoubled(const char* read) {
    const QString text = QString::fromUtf8(read);
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) return read;
    }
    const QByteArray bytes = text.toLatin1();
    const bool multibyte = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (!multibyte || !QUtf8StringView(bytes).isValidUtf8()) return read;
    return bytes.toStdString();
}

// A CD-Text field of the disc (track 0) or of a track, without control characters or outer
// blanks, cut to the 40 characters of the catalogue's titles; empty when the disc does not
// give it.
std::string cdTextField(const cdtext_t* text, cdtext_field_t field, track_t track) {
    const char* read = cdtext_get_const(text, field, track);
    if (read == nullptr) return {};
    return printable(undoubled(read), 40);
}

// The disc's CD-Text for tracks first .. first + count - 1; empty without any.
CdText readCdText(_CdIo* cdio, track_t first, track_t count) {
    CdText out;
    const cdtext_t* text = cdio_get_cdtext(cdio);  // owned by the open device
    if (text == nullptr) return out;
    out.albumTitle = cdTextField(text, CDTEXT_FIELD_TITLE, 0);
    out.albumPerformer = cdTextField(text, CDTEXT_FIELD_PERFORMER, 0);
    for (int i = 0; i < count; ++i) {
        const auto track = static_cast<track_t>(first + i);
        out.trackTitles.push_back(cdTextField(text, CDTEXT_FIELD_TITLE, track));
        out.trackPerformers.push_back(cdTextField(text, CDTEXT_FIELD_PERFORMER, track));
    }
    if (out.empty()) return {};
    return out;
}

// Why the sheet's TRACK lines are not numbered one after another (the client library takes
// them by their place and would give a disc whose numbers are not the sheet's); "" when they are.
std::string trackOrderFault(std::istream& sheet) {
    int previous = 0;
    for (std::string line; std::getline(sheet, line);) {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (keyword != "TRACK") continue;
        std::string number;
        words >> number;
        int n = 0;
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
        if (ec != std::errc() || end != number.data() + number.size() || n < 1 || n > 99)
            return "the sheet's track number \"" + printable(number, 40) +
                   "\" is not one of 1 to 99";
        if (previous != 0 && n != previous + 1)
            return "the sheet's track " + std::to_string(n) + " follows track " +
                   std::to_string(previous) + "; tracks go in order";
        previous = n;
    }
    return {};
}

}  // namespace

void CdioDevice::Closer::operator()(_CdIo* cdio) const {
    cdio_destroy(cdio);
}

CdioDevice::CdioDevice(std::string source) : source_(std::move(source)) {}

CdioDevice::~CdioDevice() = default;

CdFault CdioDevice::open() {
    close();
    detail_.clear();
    cdio_log_set_handler(&quietLog);
    if (source_.empty()) {
        const std::unique_ptr<char, CdioFree> drive(cdio_get_default_device(nullptr));
        if (!drive) return CdFault::NotAvailable;
        cdio_.reset(cdio_open(drive.get(), DRIVER_DEVICE));
    } else if (endsWithCue(source_)) {
        std::ifstream sheet(source_);
        if (!sheet) {
            detail_ = "the sheet cannot be read: " + std::string(std::strerror(errno));
            return CdFault::NotAvailable;
        }
        if (detail_ = trackOrderFault(sheet); !detail_.empty()) return CdFault::NotAvailable;
        // The client library reads the data from the file of the sheet's own name, whatever
        // its FILE line says.
        const std::string data = source_.substr(0, source_.size() - 4) + ".bin";
        if (std::error_code ec; !std::filesystem::is_regular_file(data, ec)) {
            detail_ = "the sheet's data file must be named " +
                      std::filesystem::path(data).filename().string() + " and lie beside it";
            return CdFault::NotAvailable;
        }
        cdio_.reset(cdio_open_cue(source_.c_str()));
        if (!cdio_)
            detail_ =
                "the sheet is not one that can be read: it needs a FILE line naming a "
                "BINARY data file beside it, then TRACK and INDEX lines in order";
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
        if (start == CDIO_INVALID_LSN || next == CDIO_INVALID_LSN || next <= start) {
            detail_ = "track " + std::to_string(first + i) +
                      " has no length: it starts at or after the end of the disc's data";
            return CdFault::NotReady;
        }
        read.trackFrames.push_back(next - start);
        start = next;
    }
    read.discFrames = start - discStart;
    read.firstTrack = first;
    read.firstSector = discStart;
    while (read.trailingDataTracks < count &&
           cdio_get_track_format(
               cdio_.get(), static_cast<track_t>(first + count - 1 - read.trailingDataTracks)) !=
               TRACK_FORMAT_AUDIO)
        ++read.trailingDataTracks;
    if (read.trailingDataTracks == count) {
        detail_ = "the disc holds no audio track";
        return CdFault::NotReady;
    }
    read.text = readCdText(cdio_.get(), first, count);
    out = std::move(read);
    return CdFault::None;
}

void CdioDevice::close() {
    cdio_.reset();
}

}  // namespace cdz
