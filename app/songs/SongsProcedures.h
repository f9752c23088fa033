#pragma once
// The procedures of the song catalogue, defined with the procedure starter when the frame is
// built: the song browse, the category and media browses (started from the frame, or run to
// pick a record), their forms, the song form, and the album and song pickers.
class QWidget;

namespace cdz {

class AppState;

void defineSongsProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
