#pragma once
// The file manager's Fix action on one registered file: make its example file, then run the
// repair program on the file with that example and wait for it. What it saved and lost is shown
// to the user afterwards, and so are failures. A file kept on a database server has no pages of
// its own to salvage: Fix makes its keys and record count again there and says so.
#include <string>
#include <vector>

namespace cdz {

class Dialogs;
class FileRegistry;
class RepairProgram;
struct RegisteredFile;
struct SalvageSummary;

class FixAction {
public:
    enum class Result { Declined, ExampleFailed, ProgramMissing, RepairFailed, Repaired };

    FixAction(Dialogs& dialogs, FileRegistry& registry, RepairProgram& program);

    // The file must be closed.
    Result operator()(const RegisteredFile& file);

    // The repair program's arguments for a data file's name: the name (".tps" added when it has
    // no extension), "/E:" with the name's stem and ".tpe", and "/K".
    static std::vector<std::string> arguments(const std::string& fileName);

    // What the user is told after a repair of `name` (the counts the repair program gave back).
    static std::string repairedText(const std::string& name, const SalvageSummary& summary);

private:
    Result onServer(const RegisteredFile& file);

    Dialogs& dialogs_;
    FileRegistry& registry_;
    RepairProgram& program_;
};

}  // namespace cdz
