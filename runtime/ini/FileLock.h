#pragma once
// An exclusive advisory lock (flock) on a lock file, held for the object's lifetime. Processes
// and stations that change the same file take it around their read-modify-write so that none
// of them overwrites a change another one has just made.
#include <filesystem>

#include "runtime/ini/FileError.h"

namespace cdz {

class FileLock {
public:
    // Creates the lock file when missing and waits until the lock is granted.
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return fd_ >= 0; }
    // Why the lock could not be taken; empty when locked().
    const FileError& error() const { return error_; }

private:
    int fd_ = -1;
    FileError error_;
};

}  // namespace cdz
