#pragma once
// The kinds of audio file the tests and the benchmark make: each container, and for MP3 and WAV
// each way of tagging them, since the reader takes each apart.
#include <string_view>

namespace cdz::test {

enum class AudioFormat {
    Flac,
    Mp3,        // ID3v2.4
    Mp3Id3v23,  // ID3v2.3, the version most tagged files carry
    Mp3Id3v1,   // ID3v1.1 alone: title, artist, album, year, comment, track and genre
    OggVorbis,
    Opus,
    M4a,      // AAC
    M4aAlac,  // ALAC
    Wav,      // an ID3v2 chunk
    WavInfo,  // RIFF INFO alone
    Aiff,
    Wma,
};

// The file name's extension, without its dot.
std::string_view audioExtension(AudioFormat format);
// A name for test output ("Mp3Id3v23").
std::string_view audioFormatName(AudioFormat format);

}  // namespace cdz::test
