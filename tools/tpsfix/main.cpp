// tpsfix FILE /E:EXAMPLE [/K]
// Rebuilds a damaged data file from its example file, saving every record it can read, and
// says what it saved and what it lost. The damaged file is kept as FILE.damaged (or
// FILE.damaged.1, ... when earlier copies are there). A missing file, or an example of another
// file, is refused; an example that is the file itself or holds records is refused with status 2
// (its records would be taken for the file's). /K runs without asking anything (the only way it
// runs: it never asks); it is accepted for the file manager. A refusal or failure ends with status
// 1 and says whether anything was changed. The last line of a repair is the summary that the
// program which ran it reads back (FileSalvageSummary.h).
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/filemgr/FileSalvage.h"
#include "runtime/filemgr/FileSalvageSummary.h"
#include "runtime/process/ManualPage.h"

namespace {

constexpr const char* kUsage = "FILE /E:EXAMPLE [/K]";

// The arguments, as --help and the manual page list them.
struct Argument {
    const char* names;
    const char* help;
};
constexpr Argument kArguments[] = {
    {"FILE", "The damaged data file to rebuild; it is kept as FILE.damaged."},
    {"/E:EXAMPLE",
     "Its example file: an empty file with the declared layout (NAME.tpe), which the program "
     "makes when it offers the repair."},
    {"/K", "Run without asking anything (the repair never asks; accepted for the file manager)."},
    {"--help", "Print this help and exit (alone on the command line)."},
};

int usage() {
    std::fprintf(stderr, "usage: tpsfix %s\n", kUsage);
    return 2;
}

void printHelp() {
    std::printf(
        "Usage: tpsfix %s\nRebuild a damaged data file from its example file.\n\nOptions:\n",
        kUsage);
    for (const Argument& a : kArguments) std::printf("  %-12s %s\n", a.names, a.help);
}

void printManual() {
    cdz::ManualPage page{.name = "tpsfix",
                         .source = "tpsfix",
                         .summary = "rebuild a damaged data file from its example file",
                         .synopsis = {kUsage}};
    page.sections.push_back(
        {.title = "DESCRIPTION",
         .paragraphs = {"tpsfix rebuilds a damaged data file of cdzapp(1) from its example file, "
                        "saving every record it can still read, and says for each table how many "
                        "records it saved and lost. The damaged file is kept as FILE.damaged "
                        "(FILE.damaged.1, ... when earlier copies are there). The last line of a "
                        "repair is a summary the program that ran it reads back."}});
    cdz::ManualSection arguments{.title = "OPTIONS"};
    for (const Argument& a : kArguments) arguments.entries.push_back({a.names, a.help});
    page.sections.push_back(std::move(arguments));
    page.sections.push_back(
        {.title = "EXIT STATUS",
         .entries = {{"0", "The file was rebuilt."},
                     {"1",
                      "The repair was refused or failed; the message says whether anything "
                      "was changed."},
                     {"2",
                      "A wrong command line, or an example file that is the file itself or "
                      "holds records."}}});
    page.sections.push_back({.title = "SEE ALSO", .paragraphs = {"cdzapp(1)"}});
    std::fputs(cdz::manualText(page).c_str(), stdout);
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const char a = static_cast<char>(s[i] >= 'a' && s[i] <= 'z' ? s[i] - 32 : s[i]);
        if (a != prefix[i]) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Alone, so that a data file named so can still be repaired by its path.
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        printHelp();
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--help-man") {
        printManual();
        return 0;
    }
    std::string file;
    std::string example;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (startsWithNoCase(arg, "/E:")) {
            example = arg.substr(3);
        } else if (arg == "/K" || arg == "/k") {
            // nothing to ask: accepted as given
        } else if (file.empty() && !arg.empty()) {
            file = arg;  // a path may begin with "/": only the options above are options
        } else {
            return usage();
        }
    }
    if (file.empty() || example.empty()) return usage();

    cdz::SalvageReport report;
    std::string error;
    if (!cdz::salvageFile(file, example, &report, &error)) {
        std::fprintf(stderr, "tpsfix: %s: not repaired: %s%s\n", file.c_str(), error.c_str(),
                     report.untouched ? "; nothing was changed" : "");
        return report.exampleRefused ? 2 : 1;
    }
    for (const auto& t : report.tables) {
        std::printf("tpsfix: %s: table %s: %lld records saved, ", file.c_str(), t.table.c_str(),
                    static_cast<long long>(t.saved));
        if (t.lost < 0) {
            std::printf("an unknown number lost");
        } else {
            std::printf("%lld lost", static_cast<long long>(t.lost));
        }
        if (!t.note.empty()) std::printf(" (%s)", t.note.c_str());
        std::printf("\n");
    }
    std::printf("tpsfix: %s rebuilt; the damaged file is kept as %s\n", file.c_str(),
                report.keptAs.c_str());
    std::printf("%s\n", cdz::summaryLine(report).c_str());
    return 0;
}
