#pragma once
// The "Paste titles" button of the wizard's track list and the album form's song list: the
// clipboard's lines become the titles of the tracks in order, and the user is told how many
// lines were used and what was left over. The list itself does the writing.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

class AppState;

class TitlePaste {
public:
    // Writes `titles` onto the tracks in order, all or none, counting the tracks into
    // `trackCount`; 0 or a runtime code.
    using Write = std::function<int(const std::vector<std::string>& titles, int& trackCount)>;

    // Pastes the clipboard's text; true when titles were written.
    static bool fromClipboard(AppState& state, const Write& write);
    // The same for a given text (the clipboard's, or a test's).
    static bool fromText(AppState& state, std::string_view text, const Write& write);
};

}  // namespace cdz
