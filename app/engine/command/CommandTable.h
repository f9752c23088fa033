#pragma once
// The commands that run without windows (--print, --import, --cd-info ...) as one table: the
// option that asks for each, its own options with their help, and the function that runs it.
// The table reads the program's arguments once, answers --help and --version without a display,
// refuses a wrong order, makes the application object the asked command needs and runs it;
// when no command is asked, the windowed program starts.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/process/CommandOptions.h"
#include "runtime/process/ManualPage.h"

namespace cdz {

// The application object a command runs in.
enum class CommandNeeds {
    Nothing,
    CoreApplication,  // an event loop (the network) or the desktop's locale (date pictures)
    Application,      // fonts and pages; on the offscreen platform unless another is named
};

// An option as the table reads it and --help shows it.
struct CommandOption {
    std::string_view name = {};       // "pdf", without its dashes
    std::string_view valueName = {};  // "file"; empty for a switch
    std::string_view help = {};
    bool optionalValue = false;  // --cd-info [drive]: the value may be left out
    // What the command needs more when the option is given (--lookup asks the network).
    CommandNeeds needs = CommandNeeds::Nothing;
};

// Runs a command over the options read; gives the exit status.
using CommandRun = int (*)(const CommandOptions& options, std::FILE* out, std::FILE* err);

struct HeadlessCommand {
    CommandOption trigger = {};  // the option that asks for the command: --print REPORT
    // Its other options; those of the windowed program (--data-dir ...) are read for it too.
    std::vector<CommandOption> options = {};
    CommandNeeds needs = CommandNeeds::Nothing;
    CommandRun run = nullptr;
};

// What --help and --version say of the program.
struct ProgramAbout {
    std::string_view executable = {};   // "cdzapp", in the usage line
    std::string_view name = {};         // "Orvanta 98"
    std::string_view version = {};      // "2.0a"
    std::string_view description = {};  // the line under the usage
    // The manual page's sections beside its synopsis and options (the data folder, the
    // environment, the files ...); the page's first paragraph is `description`.
    std::vector<ManualSection> manual = {};
};

class CommandTable {
public:
    static constexpr int kDone = 0;
    // An option no one knows, on the way to the windowed program.
    static constexpr int kUnknownOption = 1;
    // Two commands at once, or an option without the value it needs.
    static constexpr int kWrongOrder = 2;

    // `programOptions` are the windowed program's; the commands read them too.
    CommandTable(ProgramAbout about, std::vector<CommandOption> programOptions);

    void add(HeadlessCommand command);

    // The arguments read against every option of the table.
    CommandOptions read(int argc, const char* const* argv) const;
    // The exit status of --help, --version, a wrong order or the command asked, which runs in the
    // application object made from `argc` and `argv`; nullopt when no command is asked and the
    // windowed program is to start.
    std::optional<int> run(const CommandOptions& options, int& argc, char** argv, std::FILE* out,
                           std::FILE* err) const;
    // Every option of the program and its commands, each once, as --help prints them.
    std::string helpText() const;
    // The manual page (--help-man, which --help does not list): the same options as --help,
    // the program's in OPTIONS and the commands' in COMMANDS, with a usage line for each command.
    std::string manualPage() const;

private:
    struct HelpLine {
        std::string names;  // "--pdf <file>"
        std::string_view help;
        bool command = false;  // a command's option, not the windowed program's
    };
    // What helpText and manualPage list, in that order.
    std::vector<HelpLine> helpLines() const;

    const HeadlessCommand* asked(const CommandOptions& options, std::FILE* err, int* status) const;

    ProgramAbout about_;
    std::vector<CommandOption> programOptions_;
    std::vector<HeadlessCommand> commands_;
};

}  // namespace cdz
