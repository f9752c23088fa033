#pragma once
// The names kept in the media file, for the album set's Media choices: every medium the user
// keeps can be chosen, not just a fixed few.
#include <string>
#include <vector>

namespace cdz {

class AppState;

// The media file's names in order; empty when the file cannot be opened (the wizard then lets
// the medium be typed). The shared media buffer and the error state are left as they were.
std::vector<std::string> reportMediaNames(AppState& state);

}  // namespace cdz
