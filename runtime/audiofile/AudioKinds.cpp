#include "runtime/audiofile/AudioKinds.h"

#include <taglib/aifffile.h>
#include <taglib/asffile.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <algorithm>
#include <array>

namespace cdz {

namespace {

using FilePtr = std::unique_ptr<TagLib::File>;

struct AudioKind {
    std::string_view format;
    std::array<std::string_view, 3> extensions;  // blank past the kind's last
    bool (*knows)(TagLib::IOStream*);
    FilePtr (*open)(TagLib::IOStream*);
};

// Frame-based readers take the frame factory for the ID3v2 tags they may carry.
template <typename File>
FilePtr openWithId3v2(TagLib::IOStream* stream) {
    return std::make_unique<File>(stream, TagLib::ID3v2::FrameFactory::instance());
}

template <typename File>
FilePtr openPlain(TagLib::IOStream* stream) {
    return std::make_unique<File>(stream);
}

// In the order content is tried when the extension names no kind that knows it. MPEG comes
// last: it is known by its frame headers, not by a signature at the start as the others are.
const std::array<AudioKind, 9> kAudioKinds{{
    {"FLAC", {"flac"}, &TagLib::FLAC::File::isSupported, &openWithId3v2<TagLib::FLAC::File>},
    {"Ogg Vorbis",
     {"ogg", "oga"},
     &TagLib::Ogg::Vorbis::File::isSupported,
     &openPlain<TagLib::Ogg::Vorbis::File>},
    {"Opus",
     {"opus", "ogg", "oga"},
     &TagLib::Ogg::Opus::File::isSupported,
     &openPlain<TagLib::Ogg::Opus::File>},
    {"FLAC",
     {"oga", "ogg"},
     &TagLib::Ogg::FLAC::File::isSupported,
     &openPlain<TagLib::Ogg::FLAC::File>},
    {"M4A", {"m4a", "mp4"}, &TagLib::MP4::File::isSupported, &openPlain<TagLib::MP4::File>},
    {"WAV", {"wav"}, &TagLib::RIFF::WAV::File::isSupported, &openPlain<TagLib::RIFF::WAV::File>},
    {"AIFF",
     {"aif", "aiff"},
     &TagLib::RIFF::AIFF::File::isSupported,
     &openPlain<TagLib::RIFF::AIFF::File>},
    {"WMA", {"wma"}, &TagLib::ASF::File::isSupported, &openPlain<TagLib::ASF::File>},
    {"MP3", {"mp3"}, &TagLib::MPEG::File::isSupported, &openWithId3v2<TagLib::MPEG::File>},
}};

bool names(const AudioKind& kind, std::string_view extension) {
    return !extension.empty() && std::find(kind.extensions.begin(), kind.extensions.end(),
                                           extension) != kind.extensions.end();
}

OpenedAudio openAs(const AudioKind& kind, TagLib::IOStream& stream) {
    stream.seek(0);
    if (!kind.knows(&stream)) return {};
    stream.seek(0);
    return {kind.open(&stream), kind.format};
}

}  // namespace

bool isAudioExtension(std::string_view extension) {
    return std::any_of(kAudioKinds.begin(), kAudioKinds.end(),
                       [&](const AudioKind& kind) { return names(kind, extension); });
}

OpenedAudio openAudio(TagLib::IOStream& stream, std::string_view extension) {
    for (const bool named : {true, false}) {
        for (const AudioKind& kind : kAudioKinds) {
            if (names(kind, extension) != named) continue;
            if (OpenedAudio opened = openAs(kind, stream); opened.file) return opened;
        }
    }
    return {};
}

bool isLossless(const TagLib::File& file) {
    if (dynamic_cast<const TagLib::FLAC::File*>(&file) != nullptr ||
        dynamic_cast<const TagLib::Ogg::FLAC::File*>(&file) != nullptr ||
        dynamic_cast<const TagLib::RIFF::WAV::File*>(&file) != nullptr ||
        dynamic_cast<const TagLib::RIFF::AIFF::File*>(&file) != nullptr) {
        return true;
    }
    if (const auto* mp4 = dynamic_cast<const TagLib::MP4::File*>(&file)) {
        const TagLib::MP4::Properties* audio = mp4->audioProperties();
        return audio != nullptr && audio->codec() == TagLib::MP4::Properties::ALAC;
    }
    if (const auto* asf = dynamic_cast<const TagLib::ASF::File*>(&file)) {
        const TagLib::ASF::Properties* audio = asf->audioProperties();
        return audio != nullptr && audio->codec() == TagLib::ASF::Properties::WMA9Lossless;
    }
    return false;
}

}  // namespace cdz
