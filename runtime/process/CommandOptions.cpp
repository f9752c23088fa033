#include "runtime/process/CommandOptions.h"

namespace cdz {

bool readCommandOptions(int argc, char** argv, std::initializer_list<CommandOption> options,
                        std::FILE* err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        for (const CommandOption& o : options) {
            if (a != o.name) continue;
            // "--import --map X" has no file: the next option is not the value.
            if (i + 1 >= argc || std::string_view(argv[i + 1]).starts_with("--")) {
                std::fprintf(err, "cdzapp: %s needs a value\n", std::string(a).c_str());
                return false;
            }
            *o.value = argv[++i];
            if (o.given) *o.given = true;
            break;
        }
    }
    return true;
}

}  // namespace cdz
