#pragma once
// How cdzapp starts: its table of commands that run without windows (with the windowed
// program's own options, for --help), and the windowed program the table leaves to start when
// no command is asked.
namespace cdz {

class CommandOptions;
class CommandTable;

// The program's name, version and options, and every room's commands.
CommandTable programCommandTable();

// Opens the frame over the data folder (--data-dir, --desktop, else the current one) and the
// catalogue the options name; the exit status when the frame closes, or 2 when the folder or the
// server setting cannot be used.
int startWindowedProgram(const CommandOptions& options, int& argc, char** argv);

}  // namespace cdz
