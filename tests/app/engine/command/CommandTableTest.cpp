// The table of commands that run without windows, over two commands of its own: which command
// the arguments ask (or none, for the windowed program), the wrong orders refused before any
// command runs, and --help and --version answered from the table alone.
#include "app/engine/command/CommandTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace cdz {
namespace {

// Each command prints what it was given, so that a case sees which one ran and over what.
int runA(const CommandOptions& options, std::FILE* out, std::FILE*) {
    std::fprintf(out, "a %s in %s", options.value("a").c_str(),
                 options.valueOr("data-dir", ".").c_str());
    return 7;
}

int runB(const CommandOptions& options, std::FILE* out, std::FILE*) {
    std::fprintf(out, "b [%s]%s", options.value("b").c_str(), options.has("quick") ? " quick" : "");
    return 8;
}

CommandTable twoCommands() {
    CommandTable table({.executable = "prog",
                        .name = "Prog",
                        .version = "1.2",
                        .description = "Prog: a table of two."},
                       {{.name = "data-dir", .valueName = "folder", .help = "The data folder."},
                        {.name = "plain", .help = "A switch of the windowed program."}});
    table.add({.trigger = {.name = "a",
                           .valueName = "file",
                           .help = "Run a over <file>, with a help long enough to be wrapped "
                                   "under its own column at the width of the terminal."},
               .options = {{.name = "pdf", .valueName = "file", .help = "See --a."}},
               .run = &runA});
    table.add(
        {.trigger = {.name = "b", .valueName = "drive", .help = "Run b.", .optionalValue = true},
         .options = {{.name = "quick", .help = "See --b."},
                     {.name = "pdf", .valueName = "file", .help = "See --b."}},
         .run = &runB});
    return table;
}

std::string readBack(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

struct Outcome {
    std::optional<int> status;
    std::string out, err;
};

Outcome run(const CommandTable& table, std::vector<std::string> args) {
    args.insert(args.begin(), "prog");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(args.size());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome o;
    o.status = table.run(table.read(argc, argv.data()), argc, argv.data(), out, err);
    o.out = readBack(out);
    o.err = readBack(err);
    return o;
}

TEST(CommandTable, AsksOneCommandOrNoneAndRefusesAWrongOrder) {
    struct Case {
        std::vector<std::string> args;
        std::optional<int> status;  // nullopt: the windowed program starts
        std::string out, err;
    };
    const std::string both = "cdzapp: give either --a or --b, not both\n";
    const Case cases[] = {
        {{}, std::nullopt, "", ""},
        // The toolkit's own one-dash options and their values are its application's to take.
        {{"--data-dir", "d", "--plain", "-platform", "offscreen"}, std::nullopt, "", ""},
        {{"--a", "f.csv", "--data-dir", "d"}, 7, "a f.csv in d", ""},
        {{"--a=f.csv"}, 7, "a f.csv in .", ""},
        // A command leaves alone an option it does not know; the windowed program refuses it.
        {{"--a", "f", "--elsewhere"}, 7, "a f in .", ""},
        {{"--elsewhere"}, 1, "", "Prog: Unknown option 'elsewhere'.\n"},
        {{"--x", "--plain=1"}, 1, "", "Prog: Unknown options: x, plain=1.\n"},
        {{"--b"}, 8, "b []", ""},
        {{"--b", "--quick"}, 8, "b [] quick", ""},
        {{"--b", "/dev/sr1", "--quick"}, 8, "b [/dev/sr1] quick", ""},
        {{"--a", "f", "--b"}, 2, "", both},
        {{"--b", "--a", "f"}, 2, "", both},
        {{"--a", "--data-dir", "d"}, 2, "", "cdzapp: --a needs a value\n"},
        {{"--data-dir"}, 2, "", "cdzapp: --data-dir needs a value\n"},
        {{"--version"}, 0, "Prog 1.2\n", ""},
        {{"-v", "--a", "f"}, 0, "Prog 1.2\n", ""},
    };
    const CommandTable table = twoCommands();
    for (const Case& c : cases) {
        const Outcome o = run(table, c.args);
        std::string args;
        for (const std::string& a : c.args) args += a + " ";
        EXPECT_EQ(o.status, c.status) << args;
        EXPECT_EQ(o.out, c.out) << args;
        EXPECT_EQ(o.err, c.err) << args;
    }
}

TEST(CommandTable, HelpListsEveryOptionOnceInItsColumn) {
    const std::string help =
        "Usage: prog [options]\n"
        "Prog: a table of two.\n"
        "\n"
        "Options:\n"
        "  -h, --help           Displays help on commandline options.\n"
        "  -v, --version        Displays version information.\n"
        "  --data-dir <folder>  The data folder.\n"
        "  --plain              A switch of the windowed program.\n"
        "  --a <file>           Run a over <file>, with a help long enough to be wrapped\n"
        "                       under its own column at the width of the terminal.\n"
        "  --pdf <file>         See --a.\n"
        "  --b [<drive>]        Run b.\n"
        "  --quick              See --b.\n";
    const CommandTable table = twoCommands();
    for (const char* option : {"--help", "-h", "--help-all"}) {
        const Outcome o = run(table, {"--a", "f", option});
        EXPECT_EQ(o.status, 0) << option;
        EXPECT_EQ(o.out, help) << option;
        EXPECT_EQ(o.err, "") << option;
    }
}

}  // namespace
}  // namespace cdz
