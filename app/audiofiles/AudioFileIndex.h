#pragma once
// The audio files file as a scan sees it: a file found again by its path, the record of the
// song made from it written or brought up to date, and every record visited in turn. The
// caller holds the file open (and in a transaction for the writes).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"

namespace cdz {

// What the catalogue knows of a file since it last read it.
struct KnownFile {
    int32_t songId = 0;
    int64_t size = 0;
    int64_t modified = 0;
    std::string written;  // the hash of the song's fields as the scan wrote them
};

class AudioFileIndex {
public:
    explicit AudioFileIndex(Catalogue& catalogue) : catalogue_(catalogue) {}

    // 16 hex digits of a hash of the path: what the file is found by.
    static std::string pathKey(const std::string& path);

    // 0 with `known` set when the file is in the catalogue (left empty when not), or the
    // failed read's code.
    int find(const std::string& path, std::optional<KnownFile>& known);
    // The same for many files: each of `known` answers the path of the same index.
    int findAll(const std::vector<std::string>& paths,
                std::vector<std::optional<KnownFile>>& known);
    // Writes the record of song `file.songId` made from `path`, replacing the one it had.
    int write(const std::string& path, const KnownFile& file);
    // Calls `each` with every record's path and song, in record order, until it returns false;
    // 0, or the failed read's code.
    int visit(const std::function<bool(const std::string& path, int32_t songId)>& each);

private:
    Catalogue& catalogue_;
};

}  // namespace cdz
