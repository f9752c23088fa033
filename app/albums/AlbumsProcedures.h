#pragma once
// The procedures of the album catalogue, defined with the procedure starter when the frame is
// built: the album browse, which opens beside the other windows.
class QWidget;

namespace cdz {

class AppState;

void defineAlbumsProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
