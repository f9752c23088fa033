#pragma once
// Tells the user when a settings or profile file could not be written, naming the file and the
// cause ("no space left on device", "permission denied") and what is lost by it: once per file
// and run, however many writes fail after the first, whichever part of the program wrote.
#include <filesystem>
#include <mutex>
#include <set>
#include <string>

namespace cdz {

class Dialogs;
class IniFile;
struct FileError;

class WriteFailureNotice {
public:
    static constexpr std::string_view kTitle = "Settings Not Saved";

    explicit WriteFailureNotice(Dialogs& dialogs);

    // Reports the failed writes of `file` from now on; `consequence` tells what the user loses
    // when the file cannot be written. Both must outlive `file`'s use.
    void watch(IniFile& file, std::string consequence);

    // The message for a failed write of `file`.
    static std::string text(const std::filesystem::path& file, const FileError& error,
                            const std::string& consequence);

private:
    void report(const IniFile& file, const FileError& error, const std::string& consequence);

    Dialogs& dialogs_;
    std::mutex mutex_;
    std::set<std::filesystem::path> reported_;
};

}  // namespace cdz
