#include "runtime/process/ProcessClock.h"

#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace cdz {

double ProcessClock::millisecondsSinceStart() {
    std::ifstream in("/proc/self/stat");
    std::string stat;
    if (!std::getline(in, stat)) return -1;
    // The command name in parentheses may hold blanks: the fields are counted after it.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    // The start time is field 22 of the line, field 20 after the command name.
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    const long ticks = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!fields || ticks <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
    const double started = std::stod(field) * 1000.0 / static_cast<double>(ticks);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 -
           started;
}

}  // namespace cdz
