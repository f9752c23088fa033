#include "runtime/ini/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "runtime/ini/AtomicWrite.h"
#include "runtime/ini/FileLock.h"

namespace cdz {

namespace {

bool readAll(int fd, std::string& out) {
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        out.append(buf, static_cast<size_t>(n));
    }
}

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

IniFile::IniFile(std::filesystem::path path, const FileCalls& calls)
    : path_(std::move(path)), calls_(calls) {}

const IniDocument* IniFile::current() const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        if (fd >= 0) ::close(fd);
        stamp_.reset();
        return nullptr;
    }
    const Stamp stamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                      static_cast<std::int64_t>(st.st_size), nanoseconds(st.st_mtim),
                      nanoseconds(st.st_ctim)};
    if (stamp_ && *stamp_ == stamp) {
        ::close(fd);
        return &cached_;
    }
    std::string text;
    const bool ok = readAll(fd, text);
    ::close(fd);
    if (!ok) {
        stamp_.reset();
        return nullptr;
    }
    cached_ = IniDocument(text);
    stamp_ = stamp;
    return &cached_;
}

std::string IniFile::read(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const {
    std::lock_guard guard(mutex_);
    if (const IniDocument* doc = current()) {
        if (auto value = doc->value(section, key)) return std::move(*value);
    }
    return std::string(defaultValue);
}

std::filesystem::path IniFile::writeTarget() const {
    // Renaming over a symbolic link would replace the link; the file it points to is meant.
    std::error_code ec;
    if (std::filesystem::is_symlink(path_, ec)) {
        auto target = std::filesystem::weakly_canonical(path_, ec);
        if (!ec) return target;
    }
    return path_;
}

FileError IniFile::replace(std::string_view section, std::string_view key,
                           std::string_view value) const {
    if (std::string why = IniDocument::canStore(section, key, value); !why.empty()) {
        return {"cannot write " + std::string(key) + " to " + path_.string(), why};
    }
    const std::filesystem::path target = writeTarget();
    const FileLock lock(target.string() + ".lock");
    if (!lock.locked()) return lock.error();
    removeStaleTemporaries(target);
    std::string text;
    const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    // A file that exists but cannot be read must not be replaced by one holding only this key.
    if (fd < 0 && errno != ENOENT)
        return FileError::fromErrno("cannot read " + target.string(), errno);
    if (fd >= 0) {
        const bool read = readAll(fd, text);
        const int err = errno;
        ::close(fd);
        if (!read) return FileError::fromErrno("cannot read " + target.string(), err);
        // Replacing goes through the folder; a file marked read-only is not to be changed.
        if (calls_.access(target.c_str(), W_OK) != 0)
            return FileError::fromErrno("cannot write " + target.string(), errno);
    }
    IniDocument doc(text);
    doc.set(section, key, value);
    const std::string updated = doc.text();
    if (updated == text && fd >= 0) return {};
    return replaceFileAtomically(target, updated, calls_);
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value) {
    const FileError error = replace(section, key, value);
    WriteFailureHandler handler;
    {
        std::lock_guard guard(mutex_);
        lastError_ = error;
        if (error) handler = onWriteFailure_;
    }
    if (handler) handler(*this, error);
    return !error;
}

std::string IniFile::lastError() const {
    std::lock_guard guard(mutex_);
    return lastError_.text();
}

FileError IniFile::lastFailure() const {
    std::lock_guard guard(mutex_);
    return lastError_;
}

void IniFile::setWriteFailureHandler(WriteFailureHandler handler) {
    std::lock_guard guard(mutex_);
    onWriteFailure_ = std::move(handler);
}

}  // namespace cdz
