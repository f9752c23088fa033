#include "tests/runtime/data/FaultVfs.h"

namespace cdz::test {

// An open file: ours in front, the default VFS's own right behind it.
struct FaultVfs::File {
    sqlite3_file base;
    FaultVfs* owner;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
    static File* of(sqlite3_file* f) { return reinterpret_cast<File*>(f); }
};

int FaultVfs::fault(Kind kind) {
    if (!armed_ || kind != kind_) return SQLITE_OK;
    if (fired_) return sticky_ ? code_ : SQLITE_OK;
    if (--left_ > 0) return SQLITE_OK;
    fired_ = true;
    return code_;
}

void FaultVfs::arm(Kind kind, int n, int code, bool sticky) {
    kind_ = kind;
    left_ = n;
    code_ = code;
    sticky_ = sticky;
    fired_ = false;
    armed_ = true;
}

int FaultVfs::open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags,
                   int* outFlags) {
    static const sqlite3_io_methods methods = {
        1,
        [](sqlite3_file* f) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods ? r->pMethods->xClose(r) : SQLITE_OK;
        },
        [](sqlite3_file* f, void* buf, int n, sqlite3_int64 at) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods->xRead(r, buf, n, at);
        },
        [](sqlite3_file* f, const void* buf, int n, sqlite3_int64 at) {
            auto* self = FaultVfs::File::of(f);
            if (int rc = self->owner->fault(Kind::Write)) return rc;
            return self->real()->pMethods->xWrite(self->real(), buf, n, at);
        },
        [](sqlite3_file* f, sqlite3_int64 size) {
            auto* self = FaultVfs::File::of(f);
            if (int rc = self->owner->fault(Kind::Write)) return rc;
            return self->real()->pMethods->xTruncate(self->real(), size);
        },
        [](sqlite3_file* f, int syncFlags) {
            auto* self = FaultVfs::File::of(f);
            if (int rc = self->owner->fault(Kind::Sync)) return rc;
            return self->real()->pMethods->xSync(self->real(), syncFlags);
        },
        [](sqlite3_file* f, sqlite3_int64* size) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods->xFileSize(r, size);
        },
        [](sqlite3_file* f, int level) {
            auto* self = FaultVfs::File::of(f);
            if (int rc = self->owner->fault(Kind::Lock)) return rc;
            return self->real()->pMethods->xLock(self->real(), level);
        },
        [](sqlite3_file* f, int level) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods->xUnlock(r, level);
        },
        [](sqlite3_file* f, int* out) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods->xCheckReservedLock(r, out);
        },
        [](sqlite3_file* f, int op, void* arg) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods->xFileControl(r, op, arg);
        },
        [](sqlite3_file* f) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods->xSectorSize(r);
        },
        [](sqlite3_file* f) {
            sqlite3_file* r = FaultVfs::File::of(f)->real();
            return r->pMethods->xDeviceCharacteristics(r);
        },
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr};
    auto* self = FaultVfs::File::of(file);
    self->owner = &of(vfs);
    sqlite3_vfs* real = self->owner->real_;
    int rc = real->xOpen(real, name, self->real(), flags, outFlags);
    // The methods are set even on failure: SQLite then closes the file through them, and a
    // real file that did not open has none to call.
    self->base.pMethods = &methods;
    return rc;
}

FaultVfs::FaultVfs() {
    real_ = sqlite3_vfs_find(nullptr);
    vfs_.iVersion = 1;
    vfs_.szOsFile = static_cast<int>(sizeof(File)) + real_->szOsFile;
    vfs_.mxPathname = real_->mxPathname;
    vfs_.zName = name();
    vfs_.pAppData = this;
    vfs_.xOpen = &FaultVfs::open;
    vfs_.xDelete = [](sqlite3_vfs* v, const char* n, int sync) {
        sqlite3_vfs* r = of(v).real_;
        return r->xDelete(r, n, sync);
    };
    vfs_.xAccess = [](sqlite3_vfs* v, const char* n, int flags, int* out) {
        sqlite3_vfs* r = of(v).real_;
        return r->xAccess(r, n, flags, out);
    };
    vfs_.xFullPathname = [](sqlite3_vfs* v, const char* n, int size, char* out) {
        sqlite3_vfs* r = of(v).real_;
        return r->xFullPathname(r, n, size, out);
    };
    vfs_.xDlOpen = [](sqlite3_vfs* v, const char* n) {
        sqlite3_vfs* r = of(v).real_;
        return r->xDlOpen(r, n);
    };
    vfs_.xDlError = [](sqlite3_vfs* v, int n, char* out) {
        sqlite3_vfs* r = of(v).real_;
        r->xDlError(r, n, out);
    };
    vfs_.xDlSym = [](sqlite3_vfs* v, void* h, const char* n) {
        sqlite3_vfs* r = of(v).real_;
        return r->xDlSym(r, h, n);
    };
    vfs_.xDlClose = [](sqlite3_vfs* v, void* h) {
        sqlite3_vfs* r = of(v).real_;
        r->xDlClose(r, h);
    };
    vfs_.xRandomness = [](sqlite3_vfs* v, int n, char* out) {
        sqlite3_vfs* r = of(v).real_;
        return r->xRandomness(r, n, out);
    };
    vfs_.xSleep = [](sqlite3_vfs* v, int us) {
        sqlite3_vfs* r = of(v).real_;
        return r->xSleep(r, us);
    };
    vfs_.xCurrentTime = [](sqlite3_vfs* v, double* out) {
        sqlite3_vfs* r = of(v).real_;
        return r->xCurrentTime(r, out);
    };
    vfs_.xGetLastError = [](sqlite3_vfs* v, int n, char* out) {
        sqlite3_vfs* r = of(v).real_;
        return r->xGetLastError(r, n, out);
    };
    sqlite3_vfs_register(&vfs_, 0);
}

FaultVfs::~FaultVfs() {
    sqlite3_vfs_unregister(&vfs_);
}

}  // namespace cdz::test
