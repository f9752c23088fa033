#pragma once
// One prepared statement of a storage engine: its parameters bound by number, its steps, the
// row it stands on, and a reset to before its first step. A Statement scope holds one while it
// is used; SQLite's and the server's statements are both of this kind.
#include "runtime/data/ParamBinder.h"
#include "runtime/data/ResultRow.h"
#include "runtime/data/StepResult.h"

namespace cdz {

class PreparedStatement : public ParamBinder, public ResultRow {
public:
    virtual StepResult step() = 0;
    // Back to before the first step with no parameter bound: it holds no lock and no stale
    // value.
    virtual void reset() = 0;
};

}  // namespace cdz
