#pragma once
// The process's resident memory as the kernel reports it (VmRSS of /proc/self/status), so
// that a benchmark can tell a page cache settling from memory that keeps growing.
#include <cstdint>
#include <fstream>
#include <string>

namespace cdz::bench {

class ResidentMemory {
public:
    // Kilobytes; 0 where the kernel does not say.
    static int64_t kilobytes() { return field("VmRSS:"); }
    // The most the process has held so far (VmHWM), kilobytes.
    static int64_t peakKilobytes() { return field("VmHWM:"); }

private:
    static int64_t field(const std::string& name) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(name, 0) == 0) return std::stoll(line.substr(name.size()));
        }
        return 0;
    }
};

}  // namespace cdz::bench
