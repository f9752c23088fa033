// Any bytes as a CSV file: every record reads to the end without a crash or a hang, each read
// moves on, a record read holds UTF-8 fields within the program's limits, and reading again
// from the first record gives the same records.
#include <fcntl.h>
#include <unistd.h>

#include <QUtf8StringView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "app/songs/csv/CsvLineReader.h"

namespace {

// One file per process, rewritten for each input and removed at exit.
const std::filesystem::path& inputFile() {
    static const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                              ("cdz-fuzz-csv-" + std::to_string(getpid()) + ".csv");
    // Registered after the path is made, so that it runs before the path is destroyed.
    static const int removal = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove(inputFile(), ec);
    });
    (void)removal;
    return path;
}

// Characters as the reader counts them: code points, a line break kept in a quoted field as one.
int64_t characters(const std::string& utf8) {
    int64_t n = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) ++n;
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') --n;
    }
    return n;
}

// Reads every record; a digest of what was read (records, refusals, lines and fields).
size_t readAll(cdz::CsvLineReader& reader, size_t size) {
    size_t digest = 0;
    int64_t before = reader.bytesRead();
    int64_t line = 0;
    for (size_t reads = 0;; ++reads) {
        if (reads > size + 1) std::abort();  // every read takes at least one byte
        const cdz::CsvRead got = reader.read();
        if (got == cdz::CsvRead::End) break;
        if (reader.bytesRead() <= before || reader.lineNumber() <= line) std::abort();
        before = reader.bytesRead();
        line = reader.lineNumber();
        digest = digest * 31 + static_cast<size_t>(line);
        if (got == cdz::CsvRead::Refused) {
            if (reader.refusal().empty() || !reader.fields().empty()) std::abort();
            digest = digest * 31 + std::hash<std::string>{}(reader.refusal());
            continue;
        }
        int64_t lineChars = 0;
        for (const cdz::CsvField& f : reader.fields()) {
            const int64_t chars = characters(f.value);
            if (chars > cdz::CsvLineReader::kMaxFieldChars ||
                !QUtf8StringView(f.value).isValidUtf8())
                std::abort();
            lineChars += chars;
            digest = digest * 31 + std::hash<std::string>{}(f.value) + f.quoted;
        }
        if (lineChars > cdz::CsvLineReader::kMaxLineChars) std::abort();
    }
    if (!reader.failed() && reader.bytesRead() != reader.size()) std::abort();
    return digest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    // Written over and cut to size, not emptied first: a file emptied and written again is
    // flushed to the disk when it closes.
    const int fd = ::open(inputFile().c_str(), O_WRONLY | O_CREAT, 0600);
    if (fd < 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size) ||
        ::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::close(fd) != 0)
        std::abort();
    // One reader for every input, as a window opens one file after another: its megabyte of
    // buffer is allocated once.
    static cdz::CsvLineReader reader;
    if (!reader.open(inputFile())) std::abort();
    // A file with a UTF-16 mark is read as its UTF-8 text, of another size.
    const bool utf16 =
        size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF));
    if (!utf16 && reader.size() != static_cast<int64_t>(size)) std::abort();
    const size_t first = readAll(reader, size);
    if (!reader.rewind() || readAll(reader, size) != first) std::abort();
    return 0;
}
