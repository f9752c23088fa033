// Tags read from real files of every format: made from silent templates and tagged with TagLib,
// or encoded with the Debian encoders' own tag options.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/audiofile/AudioTags.h"
#include "tests/runtime/audiofile/ReadBack.h"
#include "tests/support/TempDir.h"
#include "tests/support/audio/AudioFileMaker.h"

namespace cdz {
namespace {

using test::AudioFormat;
using test::audioFormatName;
using test::expectSameFields;
using test::makeAudioFile;
using test::readBack;

// What of a full set of tags a format keeps.
enum class Carries {
    Everything,
    Id3v1,     // title, artist, album, genre, comment, the track without its total, the year
    RiffInfo,  // no album artist, disc or MusicBrainz ids
};

struct FormatCase {
    AudioFormat format;
    const char* name;  // AudioTags::format
    bool lossless;
    Carries carries;
};

constexpr FormatCase kFormats[] = {
    {AudioFormat::Flac, "FLAC", true, Carries::Everything},
    {AudioFormat::Mp3, "MP3", false, Carries::Everything},
    {AudioFormat::Mp3Id3v23, "MP3", false, Carries::Everything},
    {AudioFormat::Mp3Id3v1, "MP3", false, Carries::Id3v1},
    {AudioFormat::OggVorbis, "Ogg Vorbis", false, Carries::Everything},
    {AudioFormat::Opus, "Opus", false, Carries::Everything},
    {AudioFormat::M4a, "M4A", false, Carries::Everything},
    {AudioFormat::M4aAlac, "M4A", true, Carries::Everything},
    {AudioFormat::Wav, "WAV", true, Carries::Everything},
    {AudioFormat::WavInfo, "WAV", true, Carries::RiffInfo},
    {AudioFormat::Aiff, "AIFF", true, Carries::Everything},
    {AudioFormat::Wma, "WMA", false, Carries::Everything},
};

AudioTags fullTags() {
    AudioTags tags;
    tags.title = "Lanterns at Dusk";
    tags.artist = "Nadia Korr";
    tags.albumArtist = "Various Artists";
    tags.album = "Harbour Lights";
    tags.genre = "Jazz";
    tags.composer = "Tomas Lind";
    tags.comment = "line one\nline two";
    tags.track = 3;
    tags.trackTotal = 12;
    tags.disc = 2;
    tags.discTotal = 2;
    tags.year = 1997;
    tags.month = 9;
    tags.day = 22;
    tags.recordingId = "0c5bd7d4-2b8e-4b0b-9c68-3d1d7d1b3c01";
    tags.releaseId = "5f0b1c3e-8a5a-4e4e-9a43-0c3a2f3b4d02";
    tags.releaseGroupId = "a1b2c3d4-0000-4000-8000-000000000003";
    tags.artistId = "a1b2c3d4-0000-4000-8000-000000000004";
    tags.albumArtistId = "89ad4ac3-39f7-470e-963a-56509c546377";
    tags.trackId = "a1b2c3d4-0000-4000-8000-000000000006";
    return tags;
}

// A year alone, a track without its total, no disc.
AudioTags sparseTags() {
    AudioTags tags;
    tags.title = "Tidewater";
    tags.artist = "Zoe Brule";
    tags.album = "Coastline";
    tags.track = 7;
    tags.year = 2004;
    return tags;
}

AudioTags keptBy(Carries carries, AudioTags tags) {
    std::replace(tags.comment.begin(), tags.comment.end(), '\n', ' ');  // read as one line
    if (carries == Carries::Everything) return tags;
    tags.albumArtist.clear();
    tags.disc = tags.discTotal = 0;
    tags.recordingId = tags.releaseId = tags.releaseGroupId = "";
    tags.artistId = tags.albumArtistId = tags.trackId = "";
    if (carries == Carries::Id3v1) {
        tags.composer.clear();
        tags.trackTotal = tags.month = tags.day = 0;
    }
    return tags;
}

TEST(AudioTags, EachFormatReadsTheFieldsItCarriesItsFormatAndItsLength) {
    test::TempDir dir;
    for (const FormatCase& f : kFormats) {
        for (const auto& [kind, written] :
             {std::pair{"full", fullTags()}, {"sparse", sparseTags()}}) {
            SCOPED_TRACE(std::string(audioFormatName(f.format)) + " " + kind);
            const std::string name = std::string(audioFormatName(f.format)) + kind;
            const AudioTags read = readBack(makeAudioFile(dir.path(), name, f.format, written));
            expectSameFields(read, keptBy(f.carries, written));
            EXPECT_EQ(read.format, f.name);
            EXPECT_EQ(read.lossless, f.lossless);
            EXPECT_EQ(read.lengthSeconds, 1);
            EXPECT_FALSE(read.frontCover);
        }
    }
}

TEST(AudioTags, AFileWithoutTagsGivesItsFormatAndLengthAlone) {
    for (const FormatCase& f : kFormats) {
        SCOPED_TRACE(audioFormatName(f.format));
        const AudioTags read = readBack(test::processTemplates().path(f.format), true);
        expectSameFields(read, AudioTags{});
        EXPECT_FALSE(read.frontCover);
        EXPECT_EQ(read.format, f.name);
        EXPECT_EQ(read.lengthSeconds, 1);
    }
}

TEST(AudioTags, TitlesKeepTheirUnicode) {
    test::TempDir dir;
    const std::string latin = "Édith Piaf";
    const std::string wide = "Ŝtrange 日本";
    for (const FormatCase& f : kFormats) {
        SCOPED_TRACE(audioFormatName(f.format));
        // ID3v1 and RIFF INFO are written in Latin-1, which holds the first title only.
        const bool latinOnly = f.carries != Carries::Everything;
        for (const std::string& title : latinOnly ? std::vector{latin} : std::vector{latin, wide}) {
            AudioTags tags;
            tags.title = title;
            tags.artist = title;
            const std::string name =
                std::string(audioFormatName(f.format)) + std::to_string(title.size());
            const AudioTags read = readBack(makeAudioFile(dir.path(), name, f.format, tags));
            EXPECT_EQ(read.title, title);
            EXPECT_EQ(read.artist, title);
        }
    }
}

TEST(AudioTags, SeveralValuesOfOneTagAreJoined) {
    test::TempDir dir;
    AudioTags tags;
    tags.artist = "Nadia Korr; Guest Singer; Édith Piaf";
    tags.genre = "Jazz; Blues";
    for (const AudioFormat format :
         {AudioFormat::Flac, AudioFormat::Mp3, AudioFormat::Mp3Id3v23, AudioFormat::OggVorbis,
          AudioFormat::Opus, AudioFormat::M4a, AudioFormat::Wav, AudioFormat::Aiff}) {
        SCOPED_TRACE(audioFormatName(format));
        const AudioTags read = readBack(makeAudioFile(dir.path(), "several", format, tags));
        EXPECT_EQ(read.artist, tags.artist);
        EXPECT_EQ(read.genre, tags.genre);
    }
}

TEST(AudioTags, TagsTheEncodersWroteThemselvesAreRead) {
    test::TempDir dir;
    AudioTags common;
    common.title = "Blue Hour";
    common.album = "Harbour Lights";
    common.genre = "Jazz";
    common.track = 3;
    common.trackTotal = 12;
    common.disc = 2;
    common.discTotal = 2;
    common.year = 1997;
    common.month = 9;
    common.day = 22;
    const std::string mbid = "5f0b1c3e-8a5a-4e4e-9a43-0c3a2f3b4d02";
    const struct {
        AudioFormat format;
        std::vector<std::string> options;
        std::string artist;
        bool yearOnly;
        std::string AudioTags::*id;
    } cases[] = {
        {AudioFormat::Flac,
         {"-T", "TITLE=Blue Hour",        "-T", "ARTIST=Nadia Korr",
          "-T", "ARTIST=Guest Singer",    "-T", "ALBUM=Harbour Lights",
          "-T", "ALBUMARTIST=Nadia Korr", "-T", "GENRE=Jazz",
          "-T", "TRACKNUMBER=3",          "-T", "TOTALTRACKS=12",
          "-T", "DISCNUMBER=2",           "-T", "TOTALDISCS=2",
          "-T", "DATE=1997-09-22",        "-T", "MUSICBRAINZ_ALBUMID=" + mbid},
         "Nadia Korr; Guest Singer",
         false,
         &AudioTags::releaseId},
        // lame writes ID3v2.3, whose year frame holds no month or day.
        {AudioFormat::Mp3,
         {"--tt", "Blue Hour", "--ta", "Nadia Korr", "--tl", "Harbour Lights", "--tg", "Jazz",
          "--tn", "3/12", "--ty", "1997", "--tv", "TPOS=2/2", "--tv", "TPE2=Nadia Korr", "--tv",
          "TXXX=MusicBrainz Release Group Id=" + mbid},
         "Nadia Korr",
         true,
         &AudioTags::releaseGroupId},
        {AudioFormat::OggVorbis,
         {"-t", "Blue Hour",
          "-a", "Nadia Korr",
          "-l", "Harbour Lights",
          "-G", "Jazz",
          "-N", "3",
          "-d", "1997-09-22",
          "-c", "TRACKTOTAL=12",
          "-c", "DISCNUMBER=2/2",
          "-c", "ALBUMARTIST=Nadia Korr",
          "-c", "MUSICBRAINZ_ARTISTID=" + mbid},
         "Nadia Korr",
         false,
         &AudioTags::artistId},
        {AudioFormat::Opus,
         {"--title",       "Blue Hour",
          "--artist",      "Nadia Korr",
          "--artist",      "Guest Singer",
          "--album",       "Harbour Lights",
          "--genre",       "Jazz",
          "--tracknumber", "3",
          "--date",        "1997-09-22",
          "--comment",     "TRACKTOTAL=12",
          "--comment",     "DISCNUMBER=2",
          "--comment",     "DISCTOTAL=2",
          "--comment",     "ALBUMARTIST=Nadia Korr",
          "--comment",     "MUSICBRAINZ_TRACKID=" + mbid},
         "Nadia Korr; Guest Singer",
         false,
         &AudioTags::recordingId},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(audioFormatName(c.format));
        AudioTags expected = common;
        expected.artist = c.artist;
        expected.albumArtist = "Nadia Korr";
        expected.*c.id = mbid;
        if (c.yearOnly) expected.month = expected.day = 0;
        expectSameFields(
            readBack(test::encodeAudioFile(dir.path(), "encoded", c.format, c.options)), expected);
    }
}

}  // namespace
}  // namespace cdz
