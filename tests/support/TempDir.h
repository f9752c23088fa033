#pragma once
// A fresh temporary folder for one test, removed with everything in it when the test ends.
#include <filesystem>
#include <string>

namespace cdz::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace cdz::test
