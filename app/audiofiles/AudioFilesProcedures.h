#pragma once
// The procedures of the audio files: "Add Audio Files..." (the folder scan with its window),
// started from the File menu and the song browse.
class QWidget;

namespace cdz {

class AppState;

void defineAudioFilesProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
