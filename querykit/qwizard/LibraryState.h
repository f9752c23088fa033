#pragma once
// The library's process-wide state: what the host set through the exports and what persists
// between calls until the process ends. One object, reached by the exports only.
#include "querykit/qwizard/DisplayTexts.h"

namespace qk {

struct LibraryState {
    DisplayTexts displayTexts;
};

// The state the exports work on.
QUERYKIT_API LibraryState& libraryState();

}  // namespace qk
