// Any text as a CUE sheet beside its data files (a full disc's, a few frames' and an empty one),
// opened as a drive: it opens or is not available, and a table of contents read from it has
// each track a length, the disc their sum, and CD-Text in UTF-8, trimmed, one entry per track.
#include <fcntl.h>
#include <unistd.h>

#include <QString>
#include <QUtf8StringView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/cd/CdioDevice.h"

namespace {

constexpr int64_t kRawSectorBytes = 2352;

// One folder per process holding the data files, the sheets rewritten for each input; removed
// at exit.
std::filesystem::path makeFolder() {
    const auto made =
        std::filesystem::temp_directory_path() / ("cdz-fuzz-cue-" + std::to_string(getpid()));
    std::filesystem::create_directories(made);
    const std::pair<const char*, int64_t> images[] = {
        {"disc.bin", int64_t{74} * 60 * cdz::kCdFramesPerSecond},
        {"short.bin", 10},
        {"empty.bin", 0}};
    for (const auto& [name, frames] : images) {
        std::ofstream(made / name, std::ios::binary).close();
        std::filesystem::resize_file(made / name, static_cast<uintmax_t>(frames * kRawSectorBytes));
    }
    return made;
}

const std::filesystem::path& folder() {
    static const std::filesystem::path path = makeFolder();
    // Registered after the path is made, so that it runs before the path is destroyed.
    static const int removal = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(folder(), ec);
    });
    (void)removal;
    return path;
}

// Valid UTF-8 with no blank or control character at either end.
bool trimmed(const std::string& text) {
    if (!QUtf8StringView(text).isValidUtf8()) return false;
    const QString s = QString::fromStdString(text);
    const auto edge = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    return s.isEmpty() || (!edge(s.front()) && !edge(s.back()));
}

}  // namespace

// libcdio 2.1 leaks a copy it makes of the data file's name when a sheet's FILE line has no
// closing quote, and the stream it opens for a CDTEXTFILE line when the sheet then fails to
// parse; the program never holds either. Its other allocations are not hidden: an image the
// program failed to close still shows as a leak (its own allocations, not only its streams).
extern "C" const char* __lsan_default_suppressions() {
    return "leak:strdup\nleak:cdio_stdio_new\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    // An image is NAME.cue beside NAME.bin, whose size ends the last track: the sheet takes the
    // name of the first data file it names.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const char* name = "disc";
    size_t first = input.find("disc.bin");
    for (const char* other : {"short", "empty"}) {
        if (const size_t at = input.find(std::string(other) + ".bin"); at < first) {
            first = at;
            name = other;
        }
    }
    const std::filesystem::path sheet = folder() / (std::string(name) + ".cue");
    // Written over and cut to size, not emptied first: a file emptied and written again is
    // flushed to the disk when it closes.
    const int fd = ::open(sheet.c_str(), O_WRONLY | O_CREAT, 0600);
    if (fd < 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size) ||
        ::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::close(fd) != 0)
        std::abort();
    cdz::CdioDevice device(sheet.string());
    if (device.open() != cdz::CdFault::None) {
        if (device.isOpen()) std::abort();
        return 0;
    }
    cdz::CdContents read;
    const cdz::CdFault fault = device.contents(read);
    if (fault != cdz::CdFault::None) {
        if (fault != cdz::CdFault::NotReady) std::abort();
        return 0;
    }
    if (device.status() != cdz::CdFault::None) std::abort();
    const size_t tracks = read.trackFrames.size();
    if (tracks == 0 || read.trailingDataTracks < 0 ||
        static_cast<size_t>(read.trailingDataTracks) > tracks)
        std::abort();
    for (const int32_t frames : read.trackFrames)
        if (frames <= 0) std::abort();
    const int64_t sum =
        std::accumulate(read.trackFrames.begin(), read.trackFrames.end(), int64_t{0});
    if (sum != read.discFrames) std::abort();
    const cdz::CdText& text = read.text;
    if (!text.empty() &&
        (text.trackTitles.size() != tracks || text.trackPerformers.size() != tracks))
        std::abort();
    if (text.empty() && !text.trackTitles.empty()) std::abort();
    if (!trimmed(text.albumTitle) || !trimmed(text.albumPerformer)) std::abort();
    for (size_t i = 0; i <= tracks; ++i)
        if (!trimmed(text.trackTitle(i)) || !trimmed(text.trackPerformer(i))) std::abort();
    device.close();
    if (device.isOpen()) std::abort();
    return 0;
}
