#pragma once
// An output file written whole or not at all: the content goes to a new temporary file beside
// the target and only commit() renames it over the target, so a failure, a cancelled run or a
// killed process leaves what was at the target as it was. A target that exists must be a
// regular file this process may write (or a link to one, which is kept and its file replaced).
#include <filesystem>
#include <string_view>

#include "runtime/ini/FileCalls.h"
#include "runtime/ini/FileError.h"

namespace cdz {

class ReplacingFile {
public:
    explicit ReplacingFile(const std::filesystem::path& target,
                           const FileCalls& calls = FileCalls::system());
    ~ReplacingFile();  // removes the temporary file unless it was committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file; the error's cause says why not ("it is a folder").
    FileError open();
    // The temporary file, for writers that open it by name (a PDF writer); empty before open().
    const std::filesystem::path& temporary() const { return temp_; }
    int descriptor() const { return fd_; }
    // Appends all of `content`; on failure errno stays as the system set it.
    FileError write(std::string_view content);
    // Flushes the temporary file to disk and renames it over the target.
    FileError commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    const FileCalls& calls_;
    int fd_ = -1;
    bool committed_ = false;
};

// Why the existing `path` is not a regular file to read or replace ("it is a folder", "it is a
// device", "it is a link to nothing"), or empty: a regular file, a link to one, or nothing there.
std::string whyNotARegularFile(const std::filesystem::path& target);

}  // namespace cdz
