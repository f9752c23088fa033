#include "runtime/RuntimeVersion.h"

namespace cdz {

namespace {
// Raised whenever the library's interface changes in a way its programs can tell.
constexpr RuntimeVersion kThisLibrary{258, 3};
}  // namespace

RuntimeVersion runtimeVersion() {
    return kThisLibrary;
}

bool checkRuntimeVersion(int major, int minor) {
    const RuntimeVersion v = runtimeVersion();
    return v.major == major && v.minor == minor;
}

std::string runtimeVersionText(RuntimeVersion v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor);
}

}  // namespace cdz
