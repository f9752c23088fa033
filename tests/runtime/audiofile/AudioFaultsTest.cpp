// Files the reader refuses, each with the reason the user is shown, and the names it takes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "runtime/audiofile/AudioTags.h"
#include "tests/runtime/audiofile/ReadBack.h"
#include "tests/support/TempDir.h"
#include "tests/support/audio/AudioFileMaker.h"

namespace cdz {
namespace {

using test::AudioFormat;

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

// Bytes no reader knows: a repeating pattern without any format's signature.
std::string noise(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 37 + 11) % 251);
    return bytes;
}

TEST(AudioFaults, EachFaultIsToldWithItsReason) {
    test::TempDir dir;
    const std::string flac = fileBytes(test::processTemplates().path(AudioFormat::Flac));
    const std::string wav = fileBytes(test::processTemplates().path(AudioFormat::Wav));
    std::filesystem::create_directory(dir.path() / "folder.flac");
    const struct {
        std::filesystem::path file;
        TagFault fault;
        const char* reason;
    } cases[] = {
        {writeFile(dir.path() / "empty.mp3", ""), TagFault::Empty, "Empty file"},
        {writeFile(dir.path() / "letter.mp3", "Dear Sir, this is no song.\n"), TagFault::NotAudio,
         "Not an audio file"},
        {writeFile(dir.path() / "noise.flac", noise(4000)), TagFault::NotAudio,
         "Not an audio file"},
        // A whole FLAC file, but under a name the reader does not take.
        {writeFile(dir.path() / "song.txt", flac), TagFault::NotAudio, "Not an audio file"},
        {writeFile(dir.path() / "cut.flac", flac.substr(0, 60)), TagFault::Damaged,
         "Damaged audio file"},
        {writeFile(dir.path() / "garbage.flac", "fLaC" + noise(4000)), TagFault::Damaged,
         "Damaged audio file"},
        // A RIFF header whose format chunk is cut off: no sample rate.
        {writeFile(dir.path() / "cut.wav", wav.substr(0, 30)), TagFault::Damaged,
         "Damaged audio file"},
        {dir.path() / "missing.flac", TagFault::Unreadable,
         "Cannot be read: No such file or directory"},
        {dir.path() / "folder.flac", TagFault::Unreadable, "Cannot be read: Is a directory"},
    };
    for (const auto& c : cases) {
        const TagReading reading = readAudioTags(c.file, true);
        EXPECT_EQ(reading.fault, c.fault) << c.file;
        EXPECT_EQ(reading.reason, c.reason) << c.file;
        EXPECT_EQ(reading.tags.format, "") << c.file;
    }
}

TEST(AudioFaults, AFileThatCannotBeOpenedGivesTheSystemsReason) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads a file of mode 000 all the same";
    test::TempDir dir;
    AudioTags tags;
    tags.title = "Locked";
    const auto file = test::makeAudioFile(dir.path(), "locked", AudioFormat::Flac, tags);
    std::filesystem::permissions(file, std::filesystem::perms::none);
    const TagReading reading = readAudioTags(file, false);
    EXPECT_EQ(reading.fault, TagFault::Unreadable);
    EXPECT_EQ(reading.reason, "Cannot be read: Permission denied");
}

TEST(AudioFaults, AFileIsKnownByItsContentUnderAnyNameTheReaderTakes) {
    test::TempDir dir;
    AudioTags tags;
    tags.title = "Misnamed";
    const auto flac = test::makeAudioFile(dir.path(), "real", AudioFormat::Flac, tags);
    for (const char* name : {"named.mp3", "NAMED.FLAC", "named.Ogg"}) {
        std::filesystem::copy_file(flac, dir.path() / name);
        const AudioTags read = test::readBack(dir.path() / name);
        EXPECT_EQ(read.title, "Misnamed") << name;
        EXPECT_EQ(read.format, "FLAC") << name;
    }
}

TEST(AudioFaults, TheNamesTakenAreTheAudioExtensionsInAnyCase) {
    for (const char* name : {"a.flac", "b.MP3", "c.ogg", "d.oga", "e.Opus", "f.m4a", "g.mp4",
                             "h.wav", "i.aif", "j.AIFF", "k.wma", "/music/Some Album/01 x.flac"}) {
        EXPECT_TRUE(isAudioFileName(name)) << name;
    }
    for (const char* name :
         {"a.aac", "cover.jpg", "notes.txt", "flac", "song.flac.part", "folder.flac/readme", ""}) {
        EXPECT_FALSE(isAudioFileName(name)) << name;
    }
}

}  // namespace
}  // namespace cdz
