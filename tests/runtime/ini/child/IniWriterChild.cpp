// Writer process for the profile-file tests:
//   loop <file> <section> <key> <count> <padding>
//       writes <key> = writerValue(i) for i = 0 .. count-1 (forever when count is 0)
//   limit <file> <section> <key> <padding> <bytes>
//       writes one value while the process may not write files larger than <bytes>
//       and prints "written" or the error it reported
// Exit status: 0 when done, 1 when a loop write failed, 2 or 64 on bad set-up or arguments.
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "runtime/ini/IniFile.h"
#include "tests/runtime/ini/WriterValue.h"

int main(int argc, char** argv) {
    if (argc != 7) return 64;
    const std::string mode = argv[1];
    cdz::IniFile ini(argv[2]);
    const std::string section = argv[3], key = argv[4];
    if (mode == "loop") {
        const long count = std::stol(argv[5]);
        const int padding = std::stoi(argv[6]);
        for (long i = 0; count == 0 || i < count; ++i) {
            if (!ini.write(section, key, cdz::test::writerValue(i, padding))) {
                std::fprintf(stderr, "%s\n", ini.lastError().c_str());
                return 1;
            }
        }
        return 0;
    }
    if (mode == "limit") {
        // The write must fail once the file-size limit is hit; SIGXFSZ would kill us instead.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{std::stoul(argv[6]), RLIM_INFINITY};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        const bool written = ini.write(section, key, cdz::test::writerValue(1, std::stoi(argv[5])));
        // Room again for the report on stdout, which may be a file too.
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        if (setrlimit(RLIMIT_FSIZE, &unlimited) != 0) return 2;
        std::printf("%s\n", written ? "written" : ini.lastError().c_str());
        return 0;
    }
    return 64;
}
