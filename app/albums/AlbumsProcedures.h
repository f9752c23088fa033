#pragma once
// The procedures of the album catalogue, defined with the procedure starter when the frame is
// built: the album browse, which opens beside the other windows, the album form, and the
// housekeeping passes over songs and albums, each under its progress window.
class QWidget;

namespace cdz {

class AppState;

void defineAlbumsProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
