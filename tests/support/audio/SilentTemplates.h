#pragma once
// One silent file of every format, made once and copied for each file a test or the benchmark
// needs: encoding is slow next to copying. The Debian encoders (flac, lame, oggenc, opusenc)
// make their formats from a silent WAV; the others are built byte by byte.
#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/audio/AudioFormat.h"

namespace cdz::test {

class SilentTemplates {
public:
    // Makes every template in a temporary folder removed with the object. Throws
    // std::runtime_error naming the encoder that failed or is missing.
    SilentTemplates();

    // The template of the format: silent, without tags.
    std::filesystem::path path(AudioFormat format) const;

    // Encodes the silent WAV into `target` with the format's own encoder, giving it `options`
    // (the encoder's own tag options, so that a test reads tags no code of ours wrote). Flac,
    // the MP3 formats, OggVorbis and Opus only; throws std::runtime_error otherwise.
    void encode(AudioFormat format, const std::filesystem::path& target,
                const std::vector<std::string>& options) const;

private:
    QTemporaryDir dir_;
    std::filesystem::path folder_;
};

}  // namespace cdz::test
