#include "app/domain/settings/Settings.h"

#include <limits>

#include "runtime/ini/IniFile.h"
#include "runtime/text/Text.h"

namespace cdz {

namespace {

std::string readText(const IniFile& ini, std::string_view key, std::string_view fallback,
                     int width) {
    return std::string(cutChars(ini.read(Settings::kSection, key, fallback), width));
}

}  // namespace

int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max()) {  // a hand-edited file: saturate
            value = std::numeric_limits<int>::max();
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

Settings Settings::read(const IniFile& ini) {
    Settings s;
    s.suAlbums = leadingNumber(ini.read(kSection, "SU_Albums"));
    s.suSongs = leadingNumber(ini.read(kSection, "SU_Songs"));
    s.suPlaylists = leadingNumber(ini.read(kSection, "SU_Playlists"));
    s.suLabels = leadingNumber(ini.read(kSection, "SU_Labels"));
    s.autoAddToAlbums = readText(ini, "AutoAddToAlbums", "1", 20);
    s.addMode = readText(ini, "AddMode", "1", 20);
    s.labelArtistTitleOrder = readText(ini, "LabelArtistTitleOrder", "1", 20);
    s.delimiter = readText(ini, "GLO:Delimiter", ".", 1);
    s.udkPrompt = readText(ini, "UDKPrompt", kUdkPromptDefault, 24);
    s.notesLabel = readText(ini, "NotesLabel", "Notes", 20);
    s.dateFormat = readText(ini, "DateFormat", "d17", 6);
    s.logo = readText(ini, "Logo", "", 255);
    s.cdDevice = readText(ini, "CdDevice", "", 255);
    s.musicBrainzServer = readText(ini, "MusicBrainzServer", "", 255);
    s.musicBrainzTimeout = leadingNumber(ini.read(kSection, "MusicBrainzTimeout"));
    s.coverArtServer = readText(ini, "CoverArtServer", "", 255);
    return s;
}

}  // namespace cdz
