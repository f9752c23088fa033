#pragma once
// A lock every running program holds (shared) on a file beside its profile file while the
// bad-file marker names one of its opens in progress. A program starting meanwhile sees the
// lock held and knows that the marker it reads belongs to a live open, not to a program that
// died inside one; the kernel lets go of a killed program's lock.
#include <filesystem>
#include <functional>
#include <mutex>

namespace cdz {

class OpeningLock {
public:
    explicit OpeningLock(std::filesystem::path file);
    ~OpeningLock();
    OpeningLock(const OpeningLock&) = delete;
    OpeningLock& operator=(const OpeningLock&) = delete;

    // Takes the shared lock (held once, however often asked), waiting while a starting program
    // reads the marker. A lock file that cannot be made leaves the marker working as before.
    void hold();
    void release();

    // Runs `look` while no program holds the lock, and none can take it meanwhile; false,
    // without running it, when another program (or another object) holds it. This object's own
    // hold does not count.
    bool whileNoneHolds(const std::function<void()>& look);

private:
    void holdLocked();
    void releaseLocked();

    std::filesystem::path file_;
    std::mutex mutex_;
    int fd_ = -1;
};

}  // namespace cdz
