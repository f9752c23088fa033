#pragma once
// The options of a command that runs without windows, each taking a value: read from the
// program's arguments, the other commands' options left alone.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cdz {

struct CommandOption {
    std::string_view name;  // "--pdf"
    std::string* value;
    bool* given = nullptr;  // set when the option is there
};

// False, with the reason on `err`, when an option lacks its value.
bool readCommandOptions(int argc, char** argv, std::initializer_list<CommandOption> options,
                        std::FILE* err);

}  // namespace cdz
