#pragma once
// How one step of a statement ended: on a row, past the last row, or failed with the storage
// engine's own code, which the database turns into the runtime's error state.
namespace cdz {

struct StepResult {
    enum class Kind { Row, Done, Failed };
    Kind kind = Kind::Failed;
    int engineCode = 0;  // the engine's code of a failure

    bool row() const { return kind == Kind::Row; }
    bool done() const { return kind == Kind::Done; }
    // A row or the end: the step itself did not fail.
    bool ok() const { return kind != Kind::Failed; }
    bool operator==(Kind k) const { return kind == k; }
};

}  // namespace cdz
