#include "app/albums/AlbumCdButtons.h"

#include "app/albums/cd/CdReader.h"
#include "app/engine/state/AppState.h"

namespace cdz {

bool AlbumCdButtons::loadSongs() {
    CdReader reader(state_);
    if (!reader.read(CdReader::Mode::AlbumUpdate)) return false;
    // Said only of what was written.
    if (reader.recordsWritten() == 0) {
        state_.dialogs().message("Process complete",
                                 reader.trackCount() == 0
                                     ? "The disc has no tracks: no song was written."
                                     : "The album's songs already match the disc: nothing was "
                                       "changed.",
                                 MessageIcon::Information, Button::Ok, Button::Ok);
        return false;
    }
    state_.dialogs().message("Process complete", "CD information updated.",
                             MessageIcon::Information, Button::Ok, Button::Ok);
    return true;
}

bool AlbumCdButtons::readSerial() {
    AlbumRecord& album = state_.catalogue().album();
    const std::string before(album.CDIdentifier.view());
    CdReader reader(state_);
    if (!reader.read(CdReader::Mode::IdentifierOnly)) return false;
    const bool changed = std::string(album.CDIdentifier.view()) != before;
    state_.dialogs().message(
        "Process complete",
        changed ? "CD Identification updated." : "CD Identification not updated.",
        MessageIcon::Information, Button::Ok, Button::Ok);
    return true;
}

}  // namespace cdz
