#include "app/songs/SongSearch.h"

#include <array>

#include "app/engine/state/WizardLabel.h"
#include "runtime/expr/Bindings.h"
#include "runtime/text/Text.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {
namespace {

struct Field {
    const char* label;
    const char* source;
    const char* picture;
    int size;
    int dataKind;   // 1 text, 2 number, date or time
    int entryKind;  // 1 typed, 3 chosen from the choices
    const char* choices;
};

// The fields in the order the wizard lists them before sorting: both media names (the media
// file's and the song's own) are offered, as users know either. The labels are the program's
// names, spelt as words when offered.
constexpr std::array<Field, 25> kFields = {{
    {"Category", "CAT:Category", "@s30", 30, 1, 1, ""},
    {"MediaList", "MED:Media", "@s20", 20, 1, 1, ""},
    {"Artist", "MUS:Artist", "@s40", 40, 1, 1, ""},
    {"Title", "MUS:Title", "@s40", 40, 1, 1, ""},
    {"Album", "MUS:Album", "@s40", 40, 1, 1, ""},
    {"Media", "MUS:Media", "@s20", 20, 1, 1, ""},
    {"FileNumber", "MUS:FileNumber", "@s20", 20, 1, 1, ""},
    {"ReleaseDate", "MUS:ReleaseDate", "@d2", 4, 2, 1, ""},
    {"CategoryID", "MUS:CategoryID", "@n-13", 4, 2, 1, ""},
    {"ChartNumber", "MUS:ChartNumber", "@n3", 1, 2, 1, ""},
    {"TrackNumber", "MUS:TrackNumber", "@n3", 1, 2, 1, ""},
    {"Side", "MUS:Side", "@s1", 1, 1, 3, " (N/A)|A|B|1|2"},
    {"Time", "MUS:Time", "@t4", 4, 2, 1, ""},
    {"UserDefinedKeyField", "MUS:UserDefinedKeyField", "@s30", 30, 1, 1, ""},
    {"AdditionalInformation1", "MUS:AdditionalInformation1", "@s80", 80, 1, 1, ""},
    {"AdditionalInformation2", "MUS:AdditionalInformation2", "@s80", 80, 1, 1, ""},
    {"AdditionalInformation3", "MUS:AdditionalInformation3", "@s80", 80, 1, 1, ""},
    {"BeatsPerMinute", "MUS:BeatsPerMinute", "@n_4b", 4, 2, 1, ""},
    {"Style", "MUS:Style", "@s30", 30, 1, 1, ""},
    {"Recording", "MUS:Recording", "@s255", 256, 1, 1, ""},
    {"Composer", "MUS:Composer", "@s80", 80, 1, 1, ""},
    {"PerformanceNotes", "MUS:PerformanceNotes", "@s255", 256, 1, 1, ""},
    {"LastPlayed", "MUS:LastPlayed", "@d17-", 4, 2, 1, ""},
    {"Notes", "MUS:Notes", "@s255", 2000, 1, 1, ""},
    {"Rating", "MUS:Rating", "@s2", 2, 1, 1, ""},
}};

// The library's value and entry separators ("¦" and "«").
constexpr const char* kValueEnd = "\u00a6";
constexpr const char* kEntryEnd = "\u00ab";

}  // namespace

std::string SongSearch::fieldDescription(std::string_view userKey) {
    std::string s;
    for (const Field& f : kFields) {
        const std::string label = std::string_view(f.source) == "MUS:UserDefinedKeyField"
                                      ? std::string(userKey)
                                      : wizardLabel(f.label);
        const std::string values[] = {label,
                                      "0",
                                      f.source,
                                      f.picture,
                                      std::to_string(f.size),
                                      std::to_string(f.dataKind),
                                      std::to_string(f.entryKind),
                                      "",
                                      f.choices};
        for (const std::string& v : values) s += v + kValueEnd;
        s += kEntryEnd;
    }
    return s;
}

SongSearch::SongSearch(Dialogs& dialogs, std::string_view userKey) {
    fields_.free();
    XR_ADDFIELDSQUEUEDATA(fields_, error_, fieldDescription(userKey));
    if (error_ != 0) {
        dialogs.message("Query Wizard Error# " + std::to_string(error_),
                        "An error has prevented the Query Wizard from initializing.",
                        MessageIcon::Warning, Button::Ok, Button::Ok);
        return;
    }
    XR_INITFIELDSQUEUE(fields_, kClassName);
}

std::optional<std::string> SongSearch::run(const std::string& filter, const Bindings& bindings) {
    if (!usable()) return std::nullopt;
    Text<1024> buffer(filter);
    XR_SETQWBINDINGS(&bindings);
    XR_QWIZARD(fields_, kClassName, buffer, nullptr, uint8_t{0}, uint8_t{0}, std::nullopt,
               uint8_t{0});
    XR_SETQWBINDINGS(nullptr);
    if (XRQW_Response() == 0) return std::nullopt;
    return std::string(clip(buffer.view()));
}

}  // namespace cdz
