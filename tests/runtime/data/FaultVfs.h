#pragma once
// A VFS for tests that passes everything to the default one and fails, on purpose, the N-th
// write, sync or lock from the moment it is armed (and, for a full disk, every write after it),
// as SQLite's own tests inject I/O errors. A Database opened with vfs name() uses it.
#include <sqlite3.h>

namespace cdz::test {

class FaultVfs {
public:
    enum class Kind { Write, Sync, Lock };

    FaultVfs();
    ~FaultVfs();
    FaultVfs(const FaultVfs&) = delete;
    FaultVfs& operator=(const FaultVfs&) = delete;

    static constexpr const char* name() { return "cdz-fault"; }

    // From now on the `n`-th call of `kind` fails with `code`; `sticky` fails every later one
    // of the kind too (a disk that stays full).
    void arm(Kind kind, int n, int code, bool sticky = false);
    void disarm() { armed_ = false; }
    // Whether the armed fault was reached.
    bool fired() const { return fired_; }

private:
    struct File;
    static int open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags,
                    int* outFlags);
    static FaultVfs& of(sqlite3_vfs* vfs) { return *static_cast<FaultVfs*>(vfs->pAppData); }
    // SQLITE_OK, or the injected code when this call is the one (or after it, when sticky).
    int fault(Kind kind);

    sqlite3_vfs vfs_{};
    sqlite3_vfs* real_ = nullptr;
    bool armed_ = false;
    bool fired_ = false;
    bool sticky_ = false;
    Kind kind_ = Kind::Write;
    int left_ = 0;
    int code_ = SQLITE_OK;
};

}  // namespace cdz::test
