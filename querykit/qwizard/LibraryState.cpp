#include "querykit/qwizard/LibraryState.h"

namespace qk {

LibraryState& libraryState() {
    // The exports have no context argument, so the library keeps its state for the life of
    // the process, as a loaded library does.
    static LibraryState state;
    return state;
}

}  // namespace qk
