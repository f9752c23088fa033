#pragma once
// The kinds of audio file the reader takes: the extensions that name each, how its content is
// known, and the TagLib reader that opens it. A file is known by its content, the kinds its
// extension names tried first, so that an .mp3 holding FLAC is still read, as FLAC.
#include <memory>
#include <string>
#include <string_view>

namespace TagLib {
class File;
class IOStream;
}  // namespace TagLib

namespace cdz {

struct OpenedAudio {
    std::unique_ptr<TagLib::File> file;  // none when no kind knows the content
    std::string_view format;             // the kind's name, as AudioTags::format gives it
};

// `extension` in lower case, without its dot.
bool isAudioExtension(std::string_view extension);

// Opens the stream with the reader of the first kind that knows its content. The file may still
// be invalid (damaged); the stream must outlive the file.
OpenedAudio openAudio(TagLib::IOStream& stream, std::string_view extension);

// Whether the opened file's audio is stored without loss.
bool isLossless(const TagLib::File& file);

}  // namespace cdz
