#pragma once
// The catalogue's fields read from TagLib's unified property map, in which each format's own
// frames (ID3 TPE2, Vorbis ALBUMARTIST, MP4 aART, ASF WM/AlbumArtist...) meet under one key.
namespace TagLib {
class PropertyMap;
namespace RIFF::Info {
class Tag;
}
}  // namespace TagLib

namespace cdz {

struct AudioTags;

// Fills the text, number, date and MusicBrainz fields; those the map lacks are left as they are.
// Several values of one key are joined with "; ".
void readTagFields(const TagLib::PropertyMap& properties, AudioTags& tags);

// A WAV file's RIFF INFO chunk as properties, its fields taken as written: TagLib's own reading
// goes through numbers and loses a full date ("1997-09-22") and a track total.
TagLib::PropertyMap riffInfoProperties(const TagLib::RIFF::Info::Tag& info);

}  // namespace cdz
