#include "querykit/qwizard/OpenRoutine.h"

#include "runtime/data/CreateIfMissing.h"

namespace qk {

using cdz::Button;
namespace err = cdz::err;

// The code is the one the user was told of: the warning's window runs the event loop, in which
// the file's error may change.
int OpenRoutine::warnAndFail(cdz::Warning warning, const cdz::DataFile& file,
                             const std::string& label) {
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
    const cdz::ErrorState told = file.error();
    messages_.warning(warning, told, label);
    return told.code;
}

int OpenRoutine::open(cdz::DataFile& file, int mode, const std::function<void()>& convert) {
    const std::string& label = file.decl().label();
    int code = file.open(mode);
    if (code == err::kFileLocked) {
        file.send("Recover=10");
        code = file.open(mode);
    }
    if (code == err::kFileAlreadyOpen) code = 0;
    if (code == 0) return 0;

    switch (code) {
        case err::kFileNotFound: {
            if (cdz::createIfMissing(file) != 0) {
                return warnAndFail(cdz::Warning::FileCreationError, file, label);
            }
            if ((code = file.open(mode)) != 0) {
                return warnAndFail(cdz::Warning::CreatedFileOpenError, file, label);
            }
            return 0;
        }
        case err::kKeyFileRebuild: {
            if (messages_.warning(cdz::Warning::InvalidKey, file.error(), label) != Button::Yes)
                return code;
            if (file.build() != 0) {
                return warnAndFail(cdz::Warning::KeyRebuildError, file, label);
            }
            code = file.open(mode);
            break;
        }
        case err::kInvalidRecordLayout: {
            if (!convert) {
                messages_.warning(cdz::Warning::InvalidFile, file.error(), label);
                return code;
            }
            convert();
            // A table still in another layout after its conversion is invalid: opening it
            // again without converting stops here instead of converting for ever.
            return open(file, mode, {});
        }
        default:
            break;
    }
    if (code != 0) {
        messages_.warning(cdz::Warning::FileAccessError, file.error(), label);
        messages_.halt("Disk Error");
    }
    return code;
}

}  // namespace qk
