#pragma once
// One profile (INI) file on disk, such as the settings file: read a key of a section with a
// default, write a key. Several windows, processes and stations may share the file: reads see
// what others wrote, writes are serialised by a lock file beside it ("<name>.lock") and replace
// the file atomically, so a crash never leaves a half-written settings file.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/ini/FileCalls.h"
#include "runtime/ini/FileError.h"
#include "runtime/ini/IniDocument.h"

namespace cdz {

class IniFile {
public:
    // `calls` are the system calls writes go through (a test's may fail); they must outlive
    // this object.
    explicit IniFile(std::filesystem::path path, const FileCalls& calls = FileCalls::system());

    const std::filesystem::path& path() const { return path_; }

    // The key's value; defaultValue when the file, the section or the key is missing (or the
    // file cannot be read). Names are matched without regard to case.
    std::string read(std::string_view section, std::string_view key,
                     std::string_view defaultValue = {}) const;

    // Sets the key, keeping everything else in the file as it was (blanks around a value are
    // not kept: reading trims them). False (and lastFailure() says why, the write-failure
    // handler is called) when the file could not be written, is marked read-only, or the value
    // cannot be kept on one line; the file is then unchanged (see replaceFileAtomically for the
    // one exception).
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // Why the last write failed, as one line; empty after a write that worked.
    std::string lastError() const;
    FileError lastFailure() const;

    // Called after each failed write, on the writer's thread, so the program can tell the user
    // whichever code wrote.
    using WriteFailureHandler = std::function<void(const IniFile& file, const FileError& error)>;
    void setWriteFailureHandler(WriteFailureHandler handler);

private:
    // What identifies one version of the file: a write renames a new file into place, so the
    // inode changes even when size and time do not.
    struct Stamp {
        std::uint64_t device = 0, inode = 0;
        std::int64_t size = 0, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    // The file's current content, re-read only when its stamp changed; nullopt when missing.
    const IniDocument* current() const;
    std::filesystem::path writeTarget() const;
    FileError replace(std::string_view section, std::string_view key, std::string_view value) const;

    std::filesystem::path path_;
    mutable std::mutex mutex_;
    mutable std::optional<Stamp> stamp_;
    mutable IniDocument cached_;
    const FileCalls& calls_;
    FileError lastError_;
    WriteFailureHandler onWriteFailure_;
};

}  // namespace cdz
