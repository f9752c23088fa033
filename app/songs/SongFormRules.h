#pragma once
// What the song form does beyond the form engine, without widgets: the add mode that may hand a
// new song to an add-album wizard, "CD" for a song without media, the media and category lists,
// a category added on the spot, the album's values taken with "Default with Album Information",
// and the album link made once the song is written.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/engine/state/Request.h"

namespace cdz {

class AppState;

class SongFormRules {
public:
    static constexpr const char* kDefaultMedia = "CD";
    // The procedures the song form runs by name.
    static constexpr const char* kAddTypeQuestion = "SelectAddType";
    static constexpr const char* kCompilationWizard = "AddCompilation";
    static constexpr const char* kSingleArtistWizard = "AddSingleArtist";
    static constexpr const char* kAlbumPicker = "SelectAlbum";

    explicit SongFormRules(AppState& state);

    // Before the form starts, on the request it was called with: a blank media name becomes
    // "CD"; for an insert or a copy the add mode may run a wizard instead. False when a wizard
    // ran and the form ends; the program's request is as it was called either way.
    bool enter(Request request);

    // The media names, sorted; the category names, sorted (their numbers kept for the check).
    std::vector<std::string> mediaNames();
    std::vector<std::string> categoryNames();
    // The category buffer's name shows the song's category (blank when there is none).
    void showCategory();
    // The category typed or chosen: blank is none, a known name gives its number, an unknown
    // one is offered to be added. False when the form must stay on the control.
    bool acceptCategory();
    // The album picker; a chosen album's values go into the song.
    void defaultWithAlbum();
    // With automatic albums on, a written song without an album is put on the album with its
    // title and artist, which is added when there is none. The song is written again with the
    // link only once the album exists.
    void linkAlbum();

private:
    bool addCategory(const std::string& name);
    int64_t nextNumber(int file, const char* key, const char* field);

    AppState& state_;
    std::map<std::string, int64_t> categories_;
};

}  // namespace cdz
