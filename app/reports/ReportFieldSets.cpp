#include "app/reports/ReportFieldSets.h"

#include <array>

#include "app/domain/data/SongQueryFields.h"
#include "app/engine/state/WizardLabel.h"

namespace cdz {
namespace {

// The library's value and entry separators ("¦" and "«").
constexpr const char* kValueEnd = "\u00a6";
constexpr const char* kEntryEnd = "\u00ab";

void describe(std::string& out, const QueryField& f, const std::string& choices) {
    // A drop list with nothing to choose is typed instead.
    const int entryKind = f.entryKind == 3 && choices.empty() ? 1 : f.entryKind;
    const std::string values[] = {wizardLabel(f.name),
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

const std::array<QueryField, 18> kAlbumFields = {{
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

const QueryField kAlbumCategory{"Category", "CAT:Category", "@s30", 30, 1, 1, ""};

}  // namespace

std::string ReportFieldSets::albums(const std::vector<std::string>& mediaNames, bool withCategory) {
    std::string choices;
    for (const std::string& name : mediaNames) {
        if (name.empty()) continue;
        if (!choices.empty()) choices += "|";
        choices += name;
    }
    std::string out;
    for (const QueryField& f : kAlbumFields)
        describe(out, f, f.entryKind == 3 ? choices : f.choices);
    if (withCategory) describe(out, kAlbumCategory, "");
    return out;
}

const std::string& ReportFieldSets::songs() {
    static const std::string text = [] {
        std::string out;
        for (const QueryField& f : songQueryFields(false)) describe(out, f, f.choices);
        return out;
    }();
    return text;
}

}  // namespace cdz
