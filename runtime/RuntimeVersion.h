#pragma once
// The version of libcdzrt a program runs on. A program states the version it was built for;
// when the library it loaded is another one, the program must not run on it.
#include <string>

namespace cdz {

struct RuntimeVersion {
    int major = 0;
    int minor = 0;
};

// The version of the loaded library (compiled into it, not into the caller).
RuntimeVersion runtimeVersion();

// True when the loaded library is exactly the version given.
bool checkRuntimeVersion(int major, int minor);

// "258.3"
std::string runtimeVersionText(RuntimeVersion v);

}  // namespace cdz
