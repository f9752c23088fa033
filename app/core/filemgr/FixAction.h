#pragma once
// The file manager's Fix action on one registered file: make its example file, then run the
// repair program on the file with that example and wait for it. Failures are told to the user.
#include <string>
#include <vector>

namespace cdz {

class Dialogs;
class FileRegistry;
class RepairProgram;
struct RegisteredFile;

class FixAction {
public:
    enum class Result { Declined, ExampleFailed, ProgramMissing, RepairFailed, Repaired };

    FixAction(Dialogs& dialogs, FileRegistry& registry, RepairProgram& program);

    // The file must be closed.
    Result operator()(const RegisteredFile& file);

    // The repair program's arguments for a data file's name: the name (".tps" added when it has
    // no extension), "/E:" with the name's stem and ".tpe", and "/K".
    static std::vector<std::string> arguments(const std::string& fileName);

private:
    Dialogs& dialogs_;
    FileRegistry& registry_;
    RepairProgram& program_;
};

}  // namespace cdz
