#include "app/shell/settings/PreferencesApply.h"

#include "app/domain/settings/DateFormatChoices.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "runtime/ini/IniFile.h"

namespace cdz {

void PreferencesApply::ok(const Settings& edited, const std::string& openedWith) {
    IniFile& ini = state_.settingsFile();
    const std::string_view section = Settings::kSection;
    ini.write(section, "AutoAddToAlbums", edited.autoAddToAlbums);
    ini.write(section, "AddMode", edited.addMode);
    ini.write(section, "LabelArtistTitleOrder", edited.labelArtistTitleOrder);
    ini.write(section, "GLO:Delimiter", edited.delimiter);
    ini.write(section, "UDKPrompt", edited.udkPrompt);
    ini.write(section, "NotesLabel", edited.notesLabel);
    ini.write(section, "Setup", "1");
    ini.write(section, "SU_Albums", std::to_string(edited.suAlbums));
    ini.write(section, "SU_Songs", std::to_string(edited.suSongs));
    ini.write(section, "SU_Playlists", std::to_string(edited.suPlaylists));
    ini.write(section, "SU_Labels", std::to_string(edited.suLabels));
    ini.write(section, "Logo", edited.logo);

    std::string picture = edited.dateFormat;
    const int chosen = dateFormatIndex(picture);
    const bool yearOnly =
        dateFormatChoices()[static_cast<size_t>(chosen)].picture == kYearOnlyPicture;
    const bool wasYearOnly = dateFormatIndex(openedWith) == chosen;
    // Years shown for dates that were never converted would be day numbers: without the
    // conversion the format stays as it was.
    if (yearOnly && !wasYearOnly) {
        // No is the default: Enter must not throw away every day and month of the catalogue.
        const Button answer =
            state_.dialogs().message(kYearOnlyTitle, kYearOnlyQuestion, MessageIcon::Question,
                                     Button::Yes | Button::No, Button::No);
        if (answer == Button::Yes) {
            state_.starter().run(proc::kConvertSongDatesToYears);
            state_.starter().run(proc::kConvertAlbumDatesToYears);
        } else {
            picture = openedWith;
        }
    }
    if (dateFormatIndex(picture) != dateFormatIndex(openedWith)) {
        state_.dialogs().message(kDateNoticeTitle, kDateNotice, MessageIcon::None, Button::Ok,
                                 Button::Ok);
    }
    picture =
        std::string(dateFormatChoices()[static_cast<size_t>(dateFormatIndex(picture))].picture);
    ini.write(section, "DateFormat", picture);
    state_.readSettings();
}

void PreferencesApply::cancel() {
    state_.readSettings();
}

}  // namespace cdz
