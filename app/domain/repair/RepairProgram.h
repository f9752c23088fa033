#pragma once
// The external repair program "tpsfix": found beside the program or on the PATH, run with its
// arguments, and waited for.
#include <filesystem>
#include <string>
#include <vector>

namespace cdz {

class RepairProgram {
public:
    static constexpr const char* kName = "tpsfix";

    // The program at `path`; an empty path looks it up (locate()) when it runs.
    explicit RepairProgram(std::filesystem::path path = {});

    // Beside the running program first, then on the PATH; empty when neither has it.
    static std::filesystem::path locate();

    struct Result {
        bool started = false;  // false: missing, or it could not be run
        int exitCode = -1;     // -1 when it did not end normally
        std::string output;    // what it wrote, standard output and error together
    };
    // Runs it in `folder` and waits for it to end.
    Result run(const std::vector<std::string>& arguments, const std::filesystem::path& folder);

private:
    std::filesystem::path path_;
};

}  // namespace cdz
