#include "app/domain/opening/OpenDataFile.h"

#include "app/domain/opening/BadFileMarker.h"
#include "app/domain/opening/RuntimeStop.h"
#include "app/domain/warnings/StandardWarning.h"
#include "runtime/data/CreateIfMissing.h"
#include "runtime/filemgr/FileRegistry.h"

namespace cdz {

namespace {

bool damaged(int code) {
    return code == err::kInvalidDataFile || code == err::kInvalidKeyLength ||
           code == err::kDriverError;
}

}  // namespace

OpenDataFile::OpenDataFile(BadFileMarker& marker, FileRegistry& registry, StandardWarning& warning,
                           RuntimeStop& stop)
    : marker_(marker), registry_(registry), warning_(warning), stop_(stop) {}

int OpenDataFile::operator()(DataFile& file, bool createAllowed, bool noMissingHandling, int mode,
                             bool shared) {
    if (shared) mode = access::kShared;
    marker_.set(file.name());

    int code = file.open(mode);
    if (code == err::kFileLocked) {
        file.send("Recover=10");
        code = file.open(mode);
    }

    switch (code) {
        case err::kNone:
        case err::kFileAlreadyOpen:
            code = 0;
            break;
        case err::kFileNotFound:
            if (!noMissingHandling) {
                code = missing(file, mode, createAllowed);
                if (code < 0) return fail(-code);  // a creation warning ended the program
            }
            break;
        case err::kKeyFileRebuild:
            code = rebuildKeys(file, mode);
            if (code < 0) return fail(-code);
            break;
        case err::kInvalidRecordLayout:
            marker_.clear();
            code = upgradeAndOpen(file, mode);
            if (code != 0) {
                warning_(Warning::InvalidFile, file.decl().label());
                return fail(code);
            }
            break;
        default:
            break;
    }

    if (code != 0 && damaged(code)) {
        marker_.clear();
        code = upgradeAndOpen(file, mode);
    }
    if (code != 0) {
        warning_(Warning::FileAccessError, file.decl().label());
        stop_("Disk Error");
        return fail(code);
    }
    marker_.clear();
    return file.database().succeed();
}

int OpenDataFile::missing(DataFile& file, int mode, bool createAllowed) {
    marker_.clear();
    if (upgradeAndOpen(file, mode) == 0) return 0;
    if (!createAllowed) {
        // Another code may be in force after the upgrade attempt: the warning tells of the
        // missing file.
        file.database().fail(err::kFileNotFound);
        warning_(Warning::FileCreationError, file.decl().label());
        return -err::kFileNotFound;
    }
    // Another station starting at the same moment may be creating the same file: whichever
    // comes second finds it made (and seeded) rather than replacing it.
    if (int code = createIfMissing(file)) {
        warning_(Warning::FileCreationError, file.decl().label());
        return -code;
    }
    if (int code = file.open(mode)) {
        warning_(Warning::CreatedFileOpenError, file.decl().label());
        return -code;
    }
    return 0;
}

int OpenDataFile::rebuildKeys(DataFile& file, int mode) {
    // Warning 2 ends the program on No; a test's stop returns here with No.
    if (warning_(Warning::InvalidKey, file.decl().label()) != Button::Yes)
        return -err::kKeyFileRebuild;
    if (int code = file.build()) {
        warning_(Warning::KeyRebuildError, file.decl().label());
        return -code;
    }
    return file.open(mode) == err::kFileAlreadyOpen ? 0 : file.database().error().code;
}

int OpenDataFile::upgradeAndOpen(DataFile& file, int mode) {
    // The upgrade's own result does not matter: the open that follows is the judge.
    registry_.upgrade(file);
    const int code = file.open(mode);
    return code == err::kFileAlreadyOpen ? 0 : code;
}

int OpenDataFile::fail(int code) {
    return code != 0 ? code : err::kDriverError;
}

}  // namespace cdz
