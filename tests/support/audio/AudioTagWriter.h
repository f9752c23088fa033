#pragma once
// Writes tags into a file with TagLib, as a tagging program would: each format's own frames
// through TagLib's property map, and the front cover in the format's own picture block.
#include <filesystem>

#include "runtime/audiofile/AudioTags.h"
#include "tests/support/audio/AudioFormat.h"

namespace cdz::test {

// Replaces the tags of `file`, a file of that format, with `tags`. A text holding "; " is
// written as several values (the reader joins them back). Blank fields and zero numbers are
// left out; the format, length and lossless fields are the file's, not written. Throws
// std::runtime_error when TagLib cannot open or save the file.
void writeAudioTags(const std::filesystem::path& file, AudioFormat format, const AudioTags& tags);

}  // namespace cdz::test
