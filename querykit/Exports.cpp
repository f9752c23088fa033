// The XR_ entry points: thin doors onto the library's state.
#include "querykit/querykit.h"
#include "querykit/qwizard/LibraryState.h"

void XR_SETQWDISPLAYTEXT(int32_t number, std::string_view text) {
    qk::libraryState().displayTexts.set(number, text);
}
