#pragma once
// Tagged silent audio files for tests (and the benchmark's generator): a format's silent
// template copied and tagged with TagLib, or encoded afresh by the format's own encoder with
// its own tag options.
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/audiofile/AudioTags.h"
#include "tests/support/audio/AudioFormat.h"
#include "tests/support/audio/SilentTemplates.h"

namespace cdz::test {

// The templates of this process, made on first use and removed when it ends.
const SilentTemplates& processTemplates();

// Writes dir/name, a silent file of the format carrying `tags` (and the front cover, when set),
// and returns its path. The format's extension is added to a name without one. Throws
// std::runtime_error when a file cannot be made.
std::filesystem::path makeAudioFile(const std::filesystem::path& dir, const std::string& name,
                                    AudioFormat format, const AudioTags& tags);
// The same from the given templates.
std::filesystem::path makeAudioFile(const SilentTemplates& templates,
                                    const std::filesystem::path& dir, const std::string& name,
                                    AudioFormat format, const AudioTags& tags);

// Writes dir/name with the format's encoder, its tags given as the encoder's own options
// ("-T", "ARTIST=..." for flac; "--ta", "..." for lame; "-c", "..." for oggenc; "--artist",
// "..." for opusenc). Flac, the MP3 formats, OggVorbis and Opus only.
std::filesystem::path encodeAudioFile(const std::filesystem::path& dir, const std::string& name,
                                      AudioFormat format,
                                      const std::vector<std::string>& encoderOptions);

}  // namespace cdz::test
