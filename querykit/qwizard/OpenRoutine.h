#pragma once
// The library's copy of the standard open routine: opens a store table and walks the recovery
// chain of its open error. An interrupted transaction's lock is recovered and the open tried
// once more; a missing table is created; keys that must be rebuilt are rebuilt when the user
// agrees; a table of another layout is converted when the caller can, and is otherwise an
// invalid file; any other failure is a disk error. The fatal cases end the program.
#include <functional>

#include "querykit/qwizard/Messages.h"
#include "runtime/data/DataFile.h"

namespace qk {

class QUERYKIT_API OpenRoutine {
public:
    explicit OpenRoutine(Messages& messages) : messages_(messages) {}

    // Opens `file` in `mode`. `convert` (may be empty) brings a table written in an older
    // layout up to date when the open reports 47; the table is then opened once more without
    // it. Returns 0 when the file is open; otherwise the open's error code, after the user was
    // told and the program halted (a halt handler that returns lets the caller give up).
    int open(cdz::DataFile& file, int mode, const std::function<void()>& convert = {});

private:
    int warnAndFail(cdz::Warning warning, const cdz::DataFile& file, const std::string& label);
    Messages& messages_;
};

}  // namespace qk
