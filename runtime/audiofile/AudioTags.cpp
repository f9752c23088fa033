#include "runtime/audiofile/AudioTags.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <taglib/tfile.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "runtime/audiofile/AudioKinds.h"
#include "runtime/audiofile/FrontCover.h"
#include "runtime/audiofile/TagFields.h"

namespace cdz {

namespace {

constexpr const char* kNotAudio = "Not an audio file";
constexpr const char* kEmpty = "Empty file";
constexpr const char* kUnreadable = "Cannot be read";
constexpr const char* kDamaged = "Damaged audio file";

TagReading fault(TagFault kind, std::string reason) {
    TagReading reading;
    reading.fault = kind;
    reading.reason = std::move(reason);
    return reading;
}

TagReading unreadable(int error) {
    // Appended rather than added: GCC 12 takes a chain of operator+ on strings for a write
    // past a temporary's end (-Warray-bounds), a known false alarm.
    std::string reason = kUnreadable;
    reason.append(": ").append(std::generic_category().message(error));
    return fault(TagFault::Unreadable, std::move(reason));
}

std::string lowerExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return extension;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// What can be told of the file before a reader opens it: whether it opens and reads at all,
// and its length. Opened without waiting, so that a named pipe given an audio name does not
// hold the reading up for a writer.
std::optional<TagReading> probeFault(const std::filesystem::path& file) {
    const Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return unreadable(errno);
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) return unreadable(errno);
    if (S_ISDIR(status.st_mode)) return unreadable(EISDIR);
    if (!S_ISREG(status.st_mode)) return fault(TagFault::NotAudio, kNotAudio);
    if (status.st_size == 0) return fault(TagFault::Empty, kEmpty);
    char first = 0;
    if (::pread(fd.get(), &first, 1, 0) < 0) return unreadable(errno);
    return std::nullopt;
}

// A WAV file whose only tag is RIFF INFO is read from its fields as written.
TagLib::PropertyMap tagProperties(TagLib::File& file) {
    if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        if (!wav->hasID3v2Tag() && wav->hasInfoTag()) return riffInfoProperties(*wav->InfoTag());
    }
    return file.properties();
}

int roundedSeconds(int milliseconds) {
    return milliseconds > 0 ? (milliseconds + 500) / 1000 : 0;
}

TagReading readOpened(const std::filesystem::path& file, bool withCover) {
    errno = 0;
    TagLib::FileStream stream(file.c_str(), true);
    if (!stream.isOpen()) return unreadable(errno != 0 ? errno : EIO);
    const OpenedAudio opened = openAudio(stream, lowerExtension(file));
    if (!opened.file) return fault(TagFault::NotAudio, kNotAudio);
    TagLib::File& audio = *opened.file;
    const TagLib::AudioProperties* properties = audio.audioProperties();
    if (!audio.isValid() || properties == nullptr || properties->sampleRate() <= 0) {
        return fault(TagFault::Damaged, kDamaged);
    }
    TagReading reading;
    AudioTags& tags = reading.tags;
    tags.format = std::string(opened.format);
    tags.lossless = isLossless(audio);
    tags.lengthSeconds = roundedSeconds(properties->lengthInMilliseconds());
    readTagFields(tagProperties(audio), tags);
    if (withCover) tags.frontCover = readFrontCover(audio);
    return reading;
}

}  // namespace

bool isAudioFileName(const std::filesystem::path& file) {
    return isAudioExtension(lowerExtension(file));
}

TagReading readAudioTags(const std::filesystem::path& file, bool withCover) {
    if (!isAudioFileName(file)) return fault(TagFault::NotAudio, kNotAudio);
    try {
        if (std::optional<TagReading> early = probeFault(file)) return std::move(*early);
        return readOpened(file, withCover);
    } catch (const std::exception&) {
        // TagLib reports faults by its results; what it throws comes from the standard library,
        // such as a tag claiming more memory than there is.
        return fault(TagFault::Damaged, kDamaged);
    }
}

}  // namespace cdz
