#pragma once
// Reads the audio disc in the drive into the album being edited: always its identifier; then,
// as asked, one work record per track for an add-album wizard, or the album's songs (times of
// the tracks it has, new songs for the ones it lacks). New tracks take the disc's CD-Text title
// and performer where it carries them, else "Track n" and the album's artist. Failures are told
// to the user.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/cd/CdDevice.h"

namespace cdz {

class AppState;
struct Settings;

class CdReader {
public:
    enum class Mode { IdentifierOnly, WorkFile, AlbumUpdate };

    // The environment variable that names the drive or disc image; it wins over the setting.
    static constexpr const char* kDeviceVariable = "CDZ_CD_DEVICE";

    // The device named by the CdDevice setting or CDZ_CD_DEVICE (the variable wins), else
    // libcdio's default drive.
    explicit CdReader(AppState& state);
    CdReader(AppState& state, std::unique_ptr<CdDevice> device);  // tests
    ~CdReader();
    CdReader(const CdReader&) = delete;
    CdReader& operator=(const CdReader&) = delete;

    // The drive or image the program reads: the variable, else the setting; empty for the
    // default drive.
    static std::string deviceSource(const Settings& settings);

    // Reads the disc. Always sets ALB:CDIdentifier in state.catalogue().album(); WorkFile
    // writes one AddWizard record per track for `instance` (existing ones get only the time);
    // AlbumUpdate creates or updates the songs of ALB:AlbumID (nothing when it is 0), all of
    // them or, when one cannot be written, none. Failures are shown in a box titled "Error" and
    // return false; the album buffer's other fields are untouched.
    bool read(Mode mode, int instance = 0);

    int trackCount() const { return trackCount_; }          // of the last read
    int recordsWritten() const { return recordsWritten_; }  // added or rewritten, committed
    const std::vector<int32_t>& trackLengths() const { return trackLengths_; }
    const CdText& text() const { return text_; }  // of the last read; empty without CD-Text

private:
    bool writeWorkFile(int instance);
    bool updateAlbum();
    void tell(std::string_view text);

    AppState& state_;
    std::unique_ptr<CdDevice> device_;
    int trackCount_ = 0;
    int recordsWritten_ = 0;
    std::vector<int32_t> trackLengths_;
    CdText text_;
};

}  // namespace cdz
