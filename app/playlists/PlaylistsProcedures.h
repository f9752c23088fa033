#pragma once
// The procedures of the playlists, defined with the procedure starter when the frame is built:
// the playlist browse and its forms, the playlist generator and the chart copy.
class QWidget;

namespace cdz {

class AppState;

void definePlaylistsProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
