#pragma once
// Why a text did not compile: the 1-based character position where the fault was found and a
// message for the user. Position 0 with an empty message means there was no error.
#include <string>

namespace cdz {

struct ExprError {
    int position = 0;
    std::string message;

    bool failed() const { return !message.empty(); }
};

}  // namespace cdz
