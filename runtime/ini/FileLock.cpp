#include "runtime/ini/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace cdz {

FileLock::FileLock(const std::filesystem::path& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        error_ = FileError::fromErrno("cannot open lock file " + lockFile.string(), errno);
        return;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        error_ = FileError::fromErrno("cannot lock " + lockFile.string(), errno);
        ::close(fd);
        return;
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    // Closing the descriptor releases the lock; the lock file stays, since removing it would
    // let a waiting process lock a file that a newcomer no longer sees.
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace cdz
