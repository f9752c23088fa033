#include "app/domain/opening/OpeningLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace cdz {

namespace {

// Open-file-description locks: held per open, so that closing another descriptor of the file
// never drops one, and two opens in one process exclude each other too.
// 0 when locked, else the errno of the refusal.
int lockWhole(int fd, short type, bool wait) {
    struct flock region {};
    region.l_type = type;
    region.l_whence = SEEK_SET;
    region.l_start = 0;
    region.l_len = 1;
    for (;;) {
        if (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &region) == 0) return 0;
        if (errno != EINTR) return errno;
    }
}

int openLockFile(const std::filesystem::path& file) {
    return ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
}

}  // namespace

OpeningLock::OpeningLock(std::filesystem::path file) : file_(std::move(file)) {}

OpeningLock::~OpeningLock() {
    release();
}

void OpeningLock::hold() {
    const std::lock_guard guard(mutex_);
    holdLocked();
}

void OpeningLock::holdLocked() {
    if (fd_ >= 0) return;
    const int fd = openLockFile(file_);
    if (fd < 0) return;
    if (lockWhole(fd, F_RDLCK, true) != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

void OpeningLock::release() {
    const std::lock_guard guard(mutex_);
    releaseLocked();
}

void OpeningLock::releaseLocked() {
    // Closing the only descriptor of this open lets the lock go.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool OpeningLock::whileNoneHolds(const std::function<void()>& look) {
    const std::lock_guard guard(mutex_);
    const bool ownHold = fd_ >= 0;
    releaseLocked();
    bool none = true;
    // Without a lock file there is nothing to tell live opens by: the marker is taken as it
    // reads. A file system without these locks tells nothing either.
    if (const int fd = openLockFile(file_); fd >= 0) {
        const int refused = lockWhole(fd, F_WRLCK, false);
        none = refused != EAGAIN && refused != EACCES;
        if (none) look();
        ::close(fd);
    } else {
        look();
    }
    if (ownHold) holdLocked();
    return none;
}

}  // namespace cdz
