#pragma once
// Where a window was and whether it was maximised, kept in its own section of the settings
// file (entries Maximize, XPosit, YPosit, Width, Height, in pixels). Every window of the program
// restores its place right after it opens and saves it right before it closes. A document
// window may pass its own widget: the MDI frame around it is what is placed.
#include <string_view>

class QWidget;

namespace cdz {

class IniFile;

class WindowPlacement {
public:
    // Nothing happens when XPosit is 0 or missing (the window stays where it opened). A window
    // that is not maximised now is moved (and sized, when it can be resized) to the saved
    // normal place if the saved values are usable; then it is maximised or not as saved. A
    // place that would leave the window wholly out of sight is not taken.
    static void restore(QWidget& window, const IniFile& settings, std::string_view section);

    // Writes nothing for a minimised window, so it keeps its previous place. Otherwise writes
    // Maximize ("Yes"/"No") and the normal position and size, also for a maximised window.
    // False when the file could not be written.
    static bool save(QWidget& window, IniFile& settings, std::string_view section);

    // The widget whose place is kept: the MDI frame of a document window, else the window.
    static QWidget& target(QWidget& window);
};

}  // namespace cdz
