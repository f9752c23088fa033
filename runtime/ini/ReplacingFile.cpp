#include "runtime/ini/ReplacingFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <system_error>

namespace cdz {

namespace {

std::string temporaryPrefix(const std::filesystem::path& target) {
    // Appended piece by piece: GCC 12 at -O3 reports a false overlap (-Wrestrict) for
    // "." + string.
    std::string prefix(1, '.');
    prefix += target.filename().string();
    prefix += ".tmp-";
    return prefix;
}

FileError failure(const char* what, const std::filesystem::path& file, int err) {
    return FileError::fromErrno(std::string(what) + " " + file.string(), err);
}

// Opens a new, exclusive temporary file beside target; created with 0666 so the umask applies
// as it would to any new file.
int createTemporary(const FileCalls& calls, const std::filesystem::path& target,
                    std::filesystem::path& temp) {
    std::random_device random;
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder / (temporaryPrefix(target) + std::to_string(::getpid()) + "-" +
                         std::to_string(random()));
        const int fd = calls.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes the rename itself durable. A folder this process may not read cannot be flushed (the
// rename stands all the same), and some file systems cannot flush folders at all (EINVAL).
FileError syncFolder(const FileCalls& calls, const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    const int fd =
        calls.open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return {};
    FileError error;
    if (calls.fsync(fd) != 0 && errno != EINVAL) {
        error = failure("cannot flush to disk the folder of", target, errno);
        error.cause += " (the new content is in place, but may not survive a power failure)";
    }
    calls.close(fd);
    return error;
}

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a pipe";
    if (S_ISSOCK(mode)) return "it is a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
    return "it is not a regular file";
}

// A link is followed to the file it names, so the link itself stays in place.
std::filesystem::path resolved(const std::filesystem::path& target) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(target, ec)) return target;
    const std::filesystem::path real = std::filesystem::canonical(target, ec);
    return ec ? target : real;
}

// Removes the temporary files of target that `remove` picks, by the name after the prefix.
template <class Pick>
void removeTemporaries(const std::filesystem::path& target, Pick remove) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.starts_with(prefix) && remove(name.substr(prefix.size())))
            std::filesystem::remove(it->path(), ignored);
    }
}

// Temporary files of target whose writer died before its rename (its process is gone).
void removeOrphans(const std::filesystem::path& target) {
    removeTemporaries(target, [](const std::string& rest) {
        const auto pid = static_cast<pid_t>(std::atol(rest.c_str()));
        return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
    });
}

}  // namespace

std::string whyNotARegularFile(const std::filesystem::path& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) return {};
    if (S_ISLNK(st.st_mode) && ::stat(target.c_str(), &st) != 0) return "it is a link to nothing";
    if (!S_ISREG(st.st_mode)) return kindOf(st.st_mode);
    return {};
}

ReplacingFile::ReplacingFile(const std::filesystem::path& target, const FileCalls& calls)
    : target_(resolved(target)), calls_(calls) {}

ReplacingFile::~ReplacingFile() {
    if (!committed_) discard();
}

FileError ReplacingFile::open() {
    if (const std::string why = whyNotARegularFile(target_); !why.empty())
        return {"cannot write " + target_.string(), why};
    // Replacing goes through the folder; a file marked read-only is not to be changed.
    if (calls_.access(target_.c_str(), F_OK) == 0 && calls_.access(target_.c_str(), W_OK) != 0)
        return failure("cannot write", target_, errno);
    removeOrphans(target_);
    fd_ = createTemporary(calls_, target_, temp_);
    if (fd_ < 0) {
        temp_.clear();
        return failure("cannot create a temporary file for", target_, errno);
    }
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && calls_.fchmod(fd_, old.st_mode & 07777) != 0)
        return failure("cannot copy the permissions of", target_, errno);
    return {};
}

FileError ReplacingFile::write(std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = calls_.write(fd_, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;  // no progress and no error: as good as a full device
            return failure("cannot write", temp_, errno);
        }
        content.remove_prefix(static_cast<size_t>(n));
    }
    return {};
}

FileError ReplacingFile::commit() {
    FileError error;
    if (calls_.fsync(fd_) != 0) error = failure("cannot flush", temp_, errno);
    if (calls_.close(fd_) != 0 && !error) error = failure("cannot close", temp_, errno);
    fd_ = -1;
    if (!error && calls_.rename(temp_.c_str(), target_.c_str()) != 0)
        error = failure("cannot replace", target_, errno);
    if (error) {
        discard();
        return error;
    }
    committed_ = true;
    return syncFolder(calls_, target_);
}

void ReplacingFile::discard() {
    if (fd_ >= 0) calls_.close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

void removeStaleTemporaries(const std::filesystem::path& target) {
    removeTemporaries(target, [](const std::string&) { return true; });
}

}  // namespace cdz
