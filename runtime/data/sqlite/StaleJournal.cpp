#include "runtime/data/sqlite/StaleJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <fstream>

namespace cdz {
namespace {

// SQLite's unix locking bytes: a writer holds the reserved byte for its whole transaction.
constexpr off_t kPendingByte = 0x40000000;
constexpr off_t kReservedByte = kPendingByte + 1;

bool writerAlive(const std::filesystem::path& database) {
    int fd = ::open(database.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kReservedByte;
    lock.l_len = 1;
    bool alive = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return alive;
}

}  // namespace

std::filesystem::path StaleJournal::journalOf(const std::filesystem::path& database) {
    return std::filesystem::path(database.string() + "-journal");
}

bool StaleJournal::present(const std::filesystem::path& database) {
    std::error_code ec;
    auto journal = journalOf(database);
    if (!std::filesystem::exists(journal, ec) || std::filesystem::file_size(journal, ec) == 0) {
        return false;
    }
    // A journal whose header was zeroed has been committed.
    std::array<char, 8> header{};
    std::ifstream in(journal, std::ios::binary);
    if (!in.read(header.data(), header.size())) return false;
    bool zero = true;
    for (char c : header) zero = zero && c == 0;
    if (zero) return false;
    return !writerAlive(database);
}

}  // namespace cdz
