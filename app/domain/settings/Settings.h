#pragma once
// The settings globals of section "Settings" of the settings file, read when the frame opens
// (and again when the Preferences window is cancelled). Texts are held to the lengths the
// program has always kept them at.
#include <string>
#include <string_view>

namespace cdz {

class IniFile;

struct Settings {
    static constexpr std::string_view kSection = "Settings";

    // Start-up browses, opened after the splash window when non-zero.
    int suAlbums = 0;
    int suSongs = 0;
    int suPlaylists = 0;
    int suLabels = 0;
    std::string autoAddToAlbums = "1";        // 20
    std::string addMode = "1";                // 20; its first letter decides
    std::string labelArtistTitleOrder = "1";  // 20
    std::string delimiter = ".";              // 1: between track number and title on labels
    // 24; the caption before the file has been read differs from the file's default. Either
    // default means the user has given the field no caption of their own.
    static constexpr std::string_view kUdkPromptDefault = "User Defined Key";
    static constexpr std::string_view kUdkPromptUnread = "User Defined Key Field";
    std::string udkPrompt = std::string(kUdkPromptUnread);
    std::string notesLabel = "Notes";  // 20
    std::string dateFormat = "d17";    // 6: a date picture
    std::string logo;                  // 255: path of the report logo picture
    std::string cdDevice;              // 255: the CD drive or disc image; empty: the default
    std::string musicBrainzServer;     // 255: the online title service; empty: the public one
    int musicBrainzTimeout = 0;        // seconds a lookup waits; 0: the default
    std::string coverArtServer;        // 255: the front covers' archive; empty: the public one

    // Every setting from the file, each missing key giving its default.
    static Settings read(const IniFile& ini);
};

// A number as the runtime reads one from text: leading blanks, an optional sign and the digits
// that follow; 0 when there are none (so an empty or missing entry is 0).
int leadingNumber(std::string_view text);

}  // namespace cdz
