#include "tests/support/audio/AudioFileMaker.h"

#include "tests/support/audio/AudioTagWriter.h"

namespace cdz::test {

namespace {

std::filesystem::path named(const std::filesystem::path& dir, const std::string& name,
                            AudioFormat format) {
    std::filesystem::path file = dir / name;
    if (!file.has_extension()) file += "." + std::string(audioExtension(format));
    return file;
}

}  // namespace

const SilentTemplates& processTemplates() {
    // Made once and never changed after: encoding every template again for each file would
    // cost more than the tests themselves.
    static const SilentTemplates templates;
    return templates;
}

std::filesystem::path makeAudioFile(const SilentTemplates& templates,
                                    const std::filesystem::path& dir, const std::string& name,
                                    AudioFormat format, const AudioTags& tags) {
    const std::filesystem::path file = named(dir, name, format);
    std::filesystem::copy_file(templates.path(format), file,
                               std::filesystem::copy_options::overwrite_existing);
    writeAudioTags(file, format, tags);
    return file;
}

std::filesystem::path makeAudioFile(const std::filesystem::path& dir, const std::string& name,
                                    AudioFormat format, const AudioTags& tags) {
    return makeAudioFile(processTemplates(), dir, name, format, tags);
}

std::filesystem::path encodeAudioFile(const std::filesystem::path& dir, const std::string& name,
                                      AudioFormat format,
                                      const std::vector<std::string>& encoderOptions) {
    const std::filesystem::path file = named(dir, name, format);
    processTemplates().encode(format, file, encoderOptions);
    return file;
}

}  // namespace cdz::test
