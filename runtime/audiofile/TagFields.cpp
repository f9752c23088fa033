#include "runtime/audiofile/TagFields.h"

#include <taglib/infotag.h>
#include <taglib/tpropertymap.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "runtime/audiofile/AudioTags.h"
#include "runtime/audiofile/TagText.h"

namespace cdz {

namespace {

// The values of the first of `keys` the map holds, each cleaned, joined with "; ".
std::string joinedValues(const TagLib::PropertyMap& properties,
                         std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const auto found = properties.find(key);
        if (found == properties.end()) continue;
        std::string joined;
        for (const TagLib::String& value : found->second) {
            const std::string text = cleanTagText(value.to8Bit(true));
            if (text.empty()) continue;
            if (!joined.empty()) joined += "; ";
            joined += text;
        }
        if (!joined.empty()) return joined;
    }
    return {};
}

// A number and its total, the total also found under its own keys (Vorbis TRACKTOTAL, ...).
NumberOfTotal numberOfTotal(const TagLib::PropertyMap& properties, const char* numberKey,
                            std::initializer_list<const char*> totalKeys) {
    NumberOfTotal read = parseNumberOfTotal(joinedValues(properties, {numberKey}));
    if (read.total == 0) read.total = parseTagNumber(joinedValues(properties, totalKeys));
    return read;
}

void setIfTagged(std::string& field, std::string value) {
    if (!value.empty()) field = std::move(value);
}

}  // namespace

void readTagFields(const TagLib::PropertyMap& properties, AudioTags& tags) {
    setIfTagged(tags.title, joinedValues(properties, {"TITLE"}));
    setIfTagged(tags.artist, joinedValues(properties, {"ARTIST"}));
    setIfTagged(tags.albumArtist, joinedValues(properties, {"ALBUMARTIST", "ALBUM ARTIST"}));
    setIfTagged(tags.album, joinedValues(properties, {"ALBUM"}));
    setIfTagged(tags.genre, joinedValues(properties, {"GENRE"}));
    setIfTagged(tags.composer, joinedValues(properties, {"COMPOSER"}));
    setIfTagged(tags.comment, joinedValues(properties, {"COMMENT"}));

    const NumberOfTotal track =
        numberOfTotal(properties, "TRACKNUMBER", {"TRACKTOTAL", "TOTALTRACKS"});
    tags.track = track.number;
    tags.trackTotal = track.total;
    const NumberOfTotal disc = numberOfTotal(properties, "DISCNUMBER", {"DISCTOTAL", "TOTALDISCS"});
    tags.disc = disc.number;
    tags.discTotal = disc.total;

    // Only the first date counts: "1997-09-22; 2004" is one release's date and a reissue's.
    const auto dates = properties.value("DATE", properties.value("YEAR"));
    if (!dates.isEmpty()) {
        const TagDate date = parseTagDate(dates.front().to8Bit(true));
        tags.year = date.year;
        tags.month = date.month;
        tags.day = date.day;
    }

    setIfTagged(tags.recordingId, joinedValues(properties, {"MUSICBRAINZ_TRACKID"}));
    setIfTagged(tags.releaseId, joinedValues(properties, {"MUSICBRAINZ_ALBUMID"}));
    setIfTagged(tags.releaseGroupId, joinedValues(properties, {"MUSICBRAINZ_RELEASEGROUPID"}));
    setIfTagged(tags.artistId, joinedValues(properties, {"MUSICBRAINZ_ARTISTID"}));
    setIfTagged(tags.albumArtistId, joinedValues(properties, {"MUSICBRAINZ_ALBUMARTISTID"}));
    setIfTagged(tags.trackId, joinedValues(properties, {"MUSICBRAINZ_RELEASETRACKID"}));
}

TagLib::PropertyMap riffInfoProperties(const TagLib::RIFF::Info::Tag& info) {
    // INFO has no album artist, disc or MusicBrainz fields; IMUS is where composers are kept.
    constexpr std::pair<const char*, const char*> kInfoKeys[] = {
        {"INAM", "TITLE"}, {"IART", "ARTIST"},      {"IPRD", "ALBUM"},
        {"IGNR", "GENRE"}, {"IMUS", "COMPOSER"},    {"ICMT", "COMMENT"},
        {"ICRD", "DATE"},  {"ITRK", "TRACKNUMBER"}, {"IPRT", "TRACKNUMBER"},
    };
    TagLib::PropertyMap properties;
    for (const auto& [id, key] : kInfoKeys) {
        const TagLib::String text = info.fieldText(id);
        if (text.isEmpty() || properties.contains(key)) continue;
        properties.insert(key, TagLib::StringList(text));
    }
    return properties;
}

}  // namespace cdz
