#include "tests/support/BuiltPaths.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace cdz::test {
namespace {

const std::filesystem::path& ownFolder() {
    static const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return folder;
}

// The build tree's cache names the source tree it was configured from; executables are built
// into the tree's bin folder.
std::string readSourceFolder() {
    const std::string key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
    std::ifstream cache(ownFolder().parent_path() / "CMakeCache.txt");
    for (std::string line; std::getline(cache, line);) {
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    }
    throw std::runtime_error("no source folder in the build tree's CMakeCache.txt");
}

}  // namespace

std::string builtProgram(std::string_view name) {
    return (ownFolder() / name).string();
}

const char* appPath() {
    static const std::string path = builtProgram("cdzapp");
    return path.c_str();
}

const char* tpsfixPath() {
    static const std::string path = builtProgram("tpsfix");
    return path.c_str();
}

const std::string& sourceFolder() {
    static const std::string folder = readSourceFolder();
    return folder;
}

}  // namespace cdz::test
