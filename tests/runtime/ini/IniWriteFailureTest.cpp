// A write that fails at any step of the atomic replace (a file marked read-only, a full disk, a
// failing device, a folder that refuses the rename) is reported with its cause and leaves the old
// file whole.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "runtime/ini/IniFile.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

enum class Call { Access, Open, Fchmod, Write, Fsync, Close, Rename };

// The system's calls, except that the nth call of one kind fails with the given error.
class FailingCalls final : public FileCalls {
public:
    FailingCalls(Call call, int nth, int error) : call_(call), nth_(nth), error_(error) {}

    int access(const char* path, int mode) const override {
        return fails(Call::Access) ? -1 : FileCalls::access(path, mode);
    }
    int open(const char* path, int flags, mode_t mode) const override {
        return fails(Call::Open) ? -1 : FileCalls::open(path, flags, mode);
    }
    int fchmod(int fd, mode_t mode) const override {
        return fails(Call::Fchmod) ? -1 : FileCalls::fchmod(fd, mode);
    }
    ssize_t write(int fd, const void* data, std::size_t size) const override {
        return fails(Call::Write) ? -1 : FileCalls::write(fd, data, size);
    }
    int fsync(int fd) const override { return fails(Call::Fsync) ? -1 : FileCalls::fsync(fd); }
    int close(int fd) const override {
        if (!fails(Call::Close)) return FileCalls::close(fd);
        FileCalls::close(fd);  // closed all the same, as the system does
        errno = error_;
        return -1;
    }
    int rename(const char* from, const char* to) const override {
        return fails(Call::Rename) ? -1 : FileCalls::rename(from, to);
    }

private:
    bool fails(Call call) const {
        if (call != call_ || ++seen_ != nth_) return false;
        errno = error_;
        return true;
    }

    Call call_;
    int nth_;
    int error_;
    mutable int seen_ = 0;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(IniWriteFailure, EveryStepIsCheckedAndTheOldFileKept) {
    struct Case {
        Call call;
        int nth;
        int error;
        const char* action;
        bool newContentInPlace;
    };
    const Case cases[] = {
        // The file is marked read-only (root may write it all the same, so it is made to fail).
        {Call::Access, 1, EACCES, "cannot write", false},
        {Call::Open, 1, ENOSPC, "cannot create a temporary file for", false},
        {Call::Fchmod, 1, EPERM, "cannot copy the permissions of", false},
        {Call::Write, 1, ENOSPC, "cannot write", false},
        {Call::Fsync, 1, EIO, "cannot flush", false},
        {Call::Close, 1, EDQUOT, "cannot close", false},
        {Call::Rename, 1, EACCES, "cannot replace", false},
        // The folder, flushed after the rename.
        {Call::Fsync, 2, EIO, "cannot flush to disk the folder of", true},
    };
    const std::string old = "[A]\nk=old\n; comment\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        test::TempDir dir;
        const std::string path = dir.file("CDZSETS.INI");
        std::ofstream(path, std::ios::binary) << old;
        const FailingCalls calls(c.call, c.nth, c.error);
        IniFile ini(path, calls);
        int told = 0;
        FileError toldError;
        ini.setWriteFailureHandler([&](const IniFile& file, const FileError& error) {
            ++told;
            toldError = error;
            EXPECT_EQ(&file, &ini);
        });

        EXPECT_FALSE(ini.write("A", "k", "new"));
        const FileError failure = ini.lastFailure();
        EXPECT_TRUE(failure.action.starts_with(c.action)) << failure.text();
        EXPECT_TRUE(failure.cause.starts_with(std::strerror(c.error))) << failure.text();
        EXPECT_EQ(ini.lastError(), failure.text());
        EXPECT_EQ(told, 1);
        EXPECT_EQ(toldError.text(), failure.text());
        EXPECT_EQ(slurp(path), c.newContentInPlace ? "[A]\nk=new\n; comment\n" : old);
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            EXPECT_FALSE(entry.path().filename().string().starts_with(".CDZSETS.INI.tmp"));
        }
    }
}

}  // namespace
}  // namespace cdz
