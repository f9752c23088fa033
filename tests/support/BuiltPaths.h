#pragma once
// The programs the tests start and the source files they read, found at run time from the
// running test's own place in the build tree: no compile names the folder it was built in, so a
// compiler cache serves a checkout of the tree in any folder.
#include <string>
#include <string_view>

namespace cdz::test {

// The built program NAME, beside the running executable (every program of a tree is built
// into one folder).
std::string builtProgram(std::string_view name);
// The program and the repair tool, as texts that live as long as the process.
const char* appPath();
const char* tpsfixPath();

// The source tree the running executable was built from, as its build tree records it.
const std::string& sourceFolder();

}  // namespace cdz::test
