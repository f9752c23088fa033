#include "app/reports/ReportFieldSets.h"

#include <array>

#include "app/engine/state/WizardLabel.h"

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

// The library's value and entry separators ("¦" and "«").
constexpr const char* kValueEnd = "\u00a6";
constexpr const char* kEntryEnd = "\u00ab";

void describe(std::string& out, const Field& f, const std::string& choices) {
    // A drop list with nothing to choose is typed instead.
    const int entryKind = f.entryKind == 3 && choices.empty() ? 1 : f.entryKind;
    const std::string values[] = {wizardLabel(f.label),
                                  "0",
                                  f.source,
                                  f.picture,
                                  std::to_string(f.size),
                                  std::to_string(f.dataKind),
                                  std::to_string(entryKind),
                                  "",
                                  choices};
    for (const std::string& v : values) out += v + kValueEnd;
    out += kEntryEnd;
}

constexpr std::array<Field, 18> kAlbumFields = {{
    {"Artist", "ALB:Artist", "@s40", 40, 1, 1, ""},
    {"Album", "ALB:Album", "@s40", 40, 1, 1, ""},
    {"Media", "ALB:Media", "@s20", 20, 1, 3, ""},
    {"FileNumber", "ALB:FileNumber", "@s20", 20, 1, 1, ""},
    {"ReleaseDate", "ALB:ReleaseDate", "@d2", 4, 2, 1, ""},
    {"AssociatedWAVFile", "ALB:AssociatedWAVFile", "@s128", 128, 1, 1, ""},
    {"AssociatedImage", "ALB:AssociatedImage", "@s128", 128, 1, 1, ""},
    {"CDIdentifier", "ALB:CDIdentifier", "@s24", 24, 1, 1, ""},
    {"XCCD", "ALB:XCCD", "@s32", 32, 1, 1, ""},
    {"Playlist", "ALB:Playlist", "@s70", 70, 1, 1, ""},
    {"Recording", "ALB:Recording", "@s255", 256, 1, 1, ""},
    {"Performance", "ALB:Performance", "@s255", 256, 1, 1, ""},
    {"Notes", "ALB:Notes", "@s255", 2000, 1, 1, ""},
    {"TotalTime", "ALB:TotalTime", "@n-13", 4, 2, 1, ""},
    {"Rating", "ALB:Rating", "@s2", 2, 1, 1, ""},
    {"PurPrice", "ALB:PurPrice", "@n-10.2", 7, 2, 1, ""},
    {"PurchaseDate", "ALB:PurchaseDate", "@d2", 4, 2, 1, ""},
    {"Value", "ALB:Value", "@n-10.2", 7, 2, 1, ""},
}};

constexpr Field kAlbumCategory{"Category", "CAT:Category", "@s30", 30, 1, 1, ""};

constexpr std::array<Field, 24> kSongFields = {{
    {"Category", "CAT:Category", "@s30", 30, 1, 1, ""},
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
    {"UserDefinedKey", "MUS:UserDefinedKeyField", "@s30", 30, 1, 1, ""},
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

}  // namespace

std::string ReportFieldSets::albums(const std::vector<std::string>& mediaNames, bool withCategory) {
    std::string choices;
    for (const std::string& name : mediaNames) {
        if (name.empty()) continue;
        if (!choices.empty()) choices += "|";
        choices += name;
    }
    std::string out;
    for (const Field& f : kAlbumFields) describe(out, f, f.entryKind == 3 ? choices : f.choices);
    if (withCategory) describe(out, kAlbumCategory, "");
    return out;
}

const std::string& ReportFieldSets::songs() {
    static const std::string text = [] {
        std::string out;
        for (const Field& f : kSongFields) describe(out, f, f.choices);
        return out;
    }();
    return text;
}

}  // namespace cdz
