// Process entry of cdzapp.
#include <cstdio>

#include "app/engine/command/CommandTable.h"
#include "app/program/ProgramStart.h"
#include "runtime/RuntimeVersion.h"
#include "runtime/process/CommandOptions.h"

namespace {

constexpr int kWrongRuntime = 3;

}  // namespace

int main(int argc, char** argv) {
    // The runtime library this program was built for; on another one it must not run.
    if (!cdz::checkRuntimeVersion(258, 3)) {
        std::fprintf(stderr,
                     "cdzapp: this program needs version 258.3 of the runtime library libcdzrt, "
                     "but version %s was loaded\n",
                     cdz::runtimeVersionText(cdz::runtimeVersion()).c_str());
        return kWrongRuntime;
    }
    // --help, --version and the commands that run without windows need no display.
    const cdz::CommandTable table = cdz::programCommandTable();
    const cdz::CommandOptions options = table.read(argc, argv);
    if (const auto status = table.run(options, argc, argv, stdout, stderr)) return *status;
    return cdz::startWindowedProgram(options, argc, argv);
}
