#include "runtime/ini/FileCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace cdz {

int FileCalls::access(const char* path, int mode) const {
    return ::access(path, mode);
}

int FileCalls::open(const char* path, int flags, mode_t mode) const {
    return ::open(path, flags, mode);
}

ssize_t FileCalls::write(int fd, const void* data, std::size_t size) const {
    return ::write(fd, data, size);
}

int FileCalls::fchmod(int fd, mode_t mode) const {
    return ::fchmod(fd, mode);
}

int FileCalls::fsync(int fd) const {
    return ::fsync(fd);
}

int FileCalls::close(int fd) const {
    return ::close(fd);
}

int FileCalls::rename(const char* from, const char* to) const {
    return std::rename(from, to);
}

const FileCalls& FileCalls::system() {
    static const FileCalls calls;
    return calls;
}

}  // namespace cdz
