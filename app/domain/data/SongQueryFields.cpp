#include "app/domain/data/SongQueryFields.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "app/domain/data/CatalogueFile.h"

namespace cdz {
namespace {

// A field offered, by its label, with what its declaration does not say.
struct Offered {
    const char* source;
    const char* picture = "";  // a number's picture; a text's follows its width
    const char* choices = "";  // the values of a drop list
    const char* name = "";     // the name offered, where it is not the field's own
};

constexpr Offered kMediaList{.source = "MED:Media", .name = "MediaList"};

// In the order the wizard lists them before sorting (the media list goes second).
constexpr Offered kOffered[] = {
    {.source = "CAT:Category"},
    {.source = "MUS:Artist"},
    {.source = "MUS:Title"},
    {.source = "MUS:Album"},
    {.source = "MUS:Media"},
    {.source = "MUS:FileNumber"},
    {.source = "MUS:ReleaseDate", .picture = "@d2"},
    {.source = "MUS:CategoryID", .picture = "@n-13"},
    {.source = "MUS:ChartNumber", .picture = "@n3"},
    {.source = "MUS:TrackNumber", .picture = "@n3"},
    {.source = "MUS:Side", .choices = " (N/A)|A|B|1|2"},
    {.source = "MUS:Time", .picture = "@t4"},
    // "User Defined Key" where the user gave the field no caption of their own.
    {.source = "MUS:UserDefinedKeyField", .name = "UserDefinedKey"},
    {.source = "MUS:AdditionalInformation1"},
    {.source = "MUS:AdditionalInformation2"},
    {.source = "MUS:AdditionalInformation3"},
    {.source = "MUS:BeatsPerMinute", .picture = "@n_4b"},
    {.source = "MUS:Style"},
    {.source = "MUS:Recording"},
    {.source = "MUS:Composer"},
    {.source = "MUS:PerformanceNotes"},
    {.source = "MUS:LastPlayed", .picture = "@d17-"},
    {.source = "MUS:Notes"},
    {.source = "MUS:Rating"},
};

// A memo is entered through a picture of this many characters at most.
constexpr int kLongestPicture = 255;

// The field with this label ("MUS:Artist") in the declaration of the file of its prefix.
const FieldDesc& declared(std::string_view label) {
    const std::string_view prefix = label.substr(0, label.find(':'));
    for (const CatalogueFileInfo& info : catalogueFiles()) {
        if (info.prefix != prefix) continue;
        if (const FieldDesc* field = declarationOf(info.file).column(label)) return *field;
    }
    throw std::logic_error("no declared field " + std::string(label));
}

QueryField describe(const Offered& offered) {
    const FieldDesc& f = declared(offered.source);
    if (!f.isText() && !*offered.picture) {
        throw std::logic_error("no picture for the number " + f.label);
    }
    QueryField q;
    q.name = *offered.name ? offered.name : f.name;
    q.source = f.label;
    q.picture = f.isText() ? "@s" + std::to_string(std::min(f.width, kLongestPicture))
                           : std::string(offered.picture);
    q.size = f.isMemo() ? f.width : f.bytes();
    q.dataKind = f.isText() ? 1 : 2;
    q.entryKind = *offered.choices ? 3 : 1;
    q.choices = offered.choices;
    return q;
}

}  // namespace

std::vector<QueryField> songQueryFields(bool withMediaList) {
    std::vector<QueryField> fields;
    for (const Offered& offered : kOffered) {
        fields.push_back(describe(offered));
        if (withMediaList && fields.size() == 1) fields.push_back(describe(kMediaList));
    }
    return fields;
}

}  // namespace cdz
