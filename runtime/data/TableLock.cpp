#include "runtime/data/TableLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace cdz {
namespace {

// Every table of a database file has its own byte in one lock file beside it; the byte is
// chosen by the table's name so that every station picks the same one.
long long byteOf(std::string_view table) {
    uint32_t h = 2166136261u;
    for (char c : table) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return static_cast<long long>(h & 0x7fffffffu);
}

}  // namespace

TableLock::TableLock(DataFile& file) : db_(file.database()) {
    const FileName where = FileName::resolve(file.name(), db_.folder(), file.decl().label());
    lockFile_ = where.database;
    lockFile_ += ".lck";
    offset_ = byteOf(where.table);
}

TableLock::~TableLock() {
    unlock();
}

int TableLock::lock(int waitMs) {
    if (locked()) return db_.succeed();
    // Open-file-description locks: held per open, so two holders in one process exclude each
    // other too, and closing another descriptor of the file never drops them.
    const int fd = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return db_.fail(err::kAccessDenied, errno, std::strerror(errno));
    struct flock region {};
    region.l_type = F_WRLCK;
    region.l_whence = SEEK_SET;
    region.l_start = static_cast<off_t>(offset_);
    region.l_len = 1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::milliseconds(2);
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &region) == 0) {
            fd_ = fd;
            return db_.succeed();
        }
        const int why = errno;
        if (why != EAGAIN && why != EACCES && why != EINTR) {
            ::close(fd);
            return db_.fail(err::kAccessDenied, why, std::strerror(why));
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) break;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    ::close(fd);
    return db_.fail(err::kFileLocked, 0, "table locked by another station");
}

void TableLock::unlock() {
    // Closing the only descriptor of this open lets the lock go.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace cdz
