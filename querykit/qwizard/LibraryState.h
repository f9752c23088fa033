#pragma once
// The library's process-wide state: what the host set through the exports and what persists
// between calls until the process ends. One object, reached by the exports only.
#include <cstdint>

#include "querykit/qwizard/DisplayTexts.h"
#include "querykit/qwizard/Messages.h"
#include "querykit/qwizard/QueryStore.h"
#include "querykit/qwizard/StoreNames.h"

namespace cdz {
class Bindings;
}

namespace qk {

struct LibraryState {
    DisplayTexts displayTexts;
    StoreNames names;
    Messages messages;
    QueryStore store{names, messages, displayTexts};
    int32_t response = 0;  // XRQW:Response; only the wizard run (XR_QWIZARD) sets it
    const cdz::Bindings* bindings = nullptr;  // the host's names, for checking and evaluating
};

// The state the exports work on.
QUERYKIT_API LibraryState& libraryState();

}  // namespace qk
