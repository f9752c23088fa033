#pragma once
// The system calls through which a profile file is checked and replaced. The program uses the real
// ones; a test hands in calls that fail the way a full disk or a failing device does, and checks
// that every failure is reported and the old file kept.
#include <sys/types.h>

#include <cstddef>

namespace cdz {

class FileCalls {
public:
    virtual ~FileCalls() = default;

    virtual int access(const char* path, int mode) const;
    virtual int open(const char* path, int flags, mode_t mode) const;
    virtual ssize_t write(int fd, const void* data, std::size_t size) const;
    virtual int fchmod(int fd, mode_t mode) const;
    virtual int fsync(int fd) const;
    virtual int close(int fd) const;
    virtual int rename(const char* from, const char* to) const;

    // The calls of the system itself.
    static const FileCalls& system();
};

}  // namespace cdz
