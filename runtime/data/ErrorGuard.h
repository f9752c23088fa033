#pragma once
// Keeps an error state across clean-up calls that set their own: the state saved when the
// guard is made is put back when it goes, so a failure is reported with its own cause and not
// with the result of closing or rolling back after it.
#include "runtime/data/ErrorState.h"

namespace cdz {

class ErrorGuard {
public:
    explicit ErrorGuard(ErrorState& state) : state_(state), saved_(state) {}
    ~ErrorGuard() { state_ = saved_; }
    ErrorGuard(const ErrorGuard&) = delete;
    ErrorGuard& operator=(const ErrorGuard&) = delete;

    const ErrorState& saved() const { return saved_; }

private:
    ErrorState& state_;
    ErrorState saved_;
};

}  // namespace cdz
