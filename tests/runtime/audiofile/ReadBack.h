#pragma once
// What the audio tests share: a file read back (failing the test when it cannot be read) and
// tags compared field by field, so that a failure names the field.
#include <gtest/gtest.h>

#include "runtime/audiofile/AudioTags.h"

namespace cdz::test {

inline AudioTags readBack(const std::filesystem::path& file, bool withCover = false) {
    const TagReading reading = readAudioTags(file, withCover);
    EXPECT_EQ(reading.fault, TagFault::None) << file << ": " << reading.reason;
    EXPECT_EQ(reading.reason, "");
    return reading.tags;
}

// The tagged fields: texts, numbers, the date and the MusicBrainz ids.
inline void expectSameFields(const AudioTags& read, const AudioTags& expected) {
    EXPECT_EQ(read.title, expected.title);
    EXPECT_EQ(read.artist, expected.artist);
    EXPECT_EQ(read.albumArtist, expected.albumArtist);
    EXPECT_EQ(read.album, expected.album);
    EXPECT_EQ(read.genre, expected.genre);
    EXPECT_EQ(read.composer, expected.composer);
    EXPECT_EQ(read.comment, expected.comment);
    EXPECT_EQ(read.track, expected.track);
    EXPECT_EQ(read.trackTotal, expected.trackTotal);
    EXPECT_EQ(read.disc, expected.disc);
    EXPECT_EQ(read.discTotal, expected.discTotal);
    EXPECT_EQ(read.year, expected.year);
    EXPECT_EQ(read.month, expected.month);
    EXPECT_EQ(read.day, expected.day);
    EXPECT_EQ(read.recordingId, expected.recordingId);
    EXPECT_EQ(read.releaseId, expected.releaseId);
    EXPECT_EQ(read.releaseGroupId, expected.releaseGroupId);
    EXPECT_EQ(read.artistId, expected.artistId);
    EXPECT_EQ(read.albumArtistId, expected.albumArtistId);
    EXPECT_EQ(read.trackId, expected.trackId);
}

}  // namespace cdz::test
