#include "runtime/ini/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

bool writeAll(const FileCalls& calls, int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = calls.write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {  // no progress and no error: as good as a full device
            errno = ENOSPC;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(n));
    }
    return true;
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

}  // namespace

FileError replaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                                const FileCalls& calls) {
    std::filesystem::path temp;
    const int fd = createTemporary(calls, target, temp);
    if (fd < 0) return failure("cannot create a temporary file for", target, errno);

    FileError error;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && calls.fchmod(fd, old.st_mode & 07777) != 0)
        error = failure("cannot copy the permissions of", target, errno);
    if (!error && !writeAll(calls, fd, content)) error = failure("cannot write", temp, errno);
    if (!error && calls.fsync(fd) != 0) error = failure("cannot flush", temp, errno);
    if (calls.close(fd) != 0 && !error) error = failure("cannot close", temp, errno);
    if (!error && calls.rename(temp.c_str(), target.c_str()) != 0)
        error = failure("cannot replace", target, errno);
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    return syncFolder(calls, target);
}

void removeStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code ignored;
        if (it->path().filename().string().starts_with(prefix))
            std::filesystem::remove(it->path(), ignored);
    }
}

}  // namespace cdz
