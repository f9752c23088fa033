#pragma once
// The procedures of the song catalogue, defined with the procedure starter when the frame is
// built: the song browse, the category and media browses (started from the frame, or run to
// pick a record) and their forms.
class QWidget;

namespace cdz {

class AppState;

void defineSongsProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
