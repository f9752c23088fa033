#include "tests/support/audio/AudioFormat.h"

namespace cdz::test {

std::string_view audioExtension(AudioFormat format) {
    switch (format) {
        case AudioFormat::Flac:
            return "flac";
        case AudioFormat::Mp3:
        case AudioFormat::Mp3Id3v23:
        case AudioFormat::Mp3Id3v1:
            return "mp3";
        case AudioFormat::OggVorbis:
            return "ogg";
        case AudioFormat::Opus:
            return "opus";
        case AudioFormat::M4a:
        case AudioFormat::M4aAlac:
            return "m4a";
        case AudioFormat::Wav:
        case AudioFormat::WavInfo:
            return "wav";
        case AudioFormat::Aiff:
            return "aiff";
        case AudioFormat::Wma:
            return "wma";
    }
    return "";
}

std::string_view audioFormatName(AudioFormat format) {
    switch (format) {
        case AudioFormat::Flac:
            return "Flac";
        case AudioFormat::Mp3:
            return "Mp3";
        case AudioFormat::Mp3Id3v23:
            return "Mp3Id3v23";
        case AudioFormat::Mp3Id3v1:
            return "Mp3Id3v1";
        case AudioFormat::OggVorbis:
            return "OggVorbis";
        case AudioFormat::Opus:
            return "Opus";
        case AudioFormat::M4a:
            return "M4a";
        case AudioFormat::M4aAlac:
            return "M4aAlac";
        case AudioFormat::Wav:
            return "Wav";
        case AudioFormat::WavInfo:
            return "WavInfo";
        case AudioFormat::Aiff:
            return "Aiff";
        case AudioFormat::Wma:
            return "Wma";
    }
    return "";
}

}  // namespace cdz::test
