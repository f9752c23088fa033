#include "app/engine/command/CommandTable.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace cdz {
namespace {

// The help's lines are wrapped for a terminal of 80 columns.
constexpr size_t kHelpWidth = 79;

// --help and --version are answered before anything else; -h, -v and --help-all as the
// toolkit's parser took them before.
constexpr OptionRule kHelpRules[] = {
    {"h", OptionValue::None},        {"help", OptionValue::None}, {"help-all", OptionValue::None},
    {"help-man", OptionValue::None}, {"v", OptionValue::None},    {"version", OptionValue::None}};

OptionValue valueOf(const CommandOption& option) {
    if (option.valueName.empty()) return OptionValue::None;
    return option.optionalValue ? OptionValue::Optional : OptionValue::Required;
}

std::string namesOf(const CommandOption& option) {
    std::string names = "--" + std::string(option.name);
    if (option.valueName.empty()) return names;
    const std::string value = "<" + std::string(option.valueName) + ">";
    return names + (option.optionalValue ? " [" + value + "]" : " " + value);
}

// "  --pdf <file>    See --print." with the help wrapped under its own column.
void appendHelpLine(std::string& text, const std::string& names, std::string_view help,
                    size_t column) {
    std::string line = "  " + names;
    line.resize(column, ' ');
    size_t start = 0;
    while (start < help.size()) {
        size_t end = help.find(' ', start);
        if (end == std::string_view::npos) end = help.size();
        const std::string_view word = help.substr(start, end - start);
        if (line.size() > column && line.size() + 1 + word.size() > kHelpWidth) {
            text += line + "\n";
            line.assign(column, ' ');
        }
        if (line.size() > column) line += ' ';
        line += word;
        start = end + 1;
    }
    text += line + "\n";
}

// Makes the application object the command needs (the options given may need more) and runs it.
int runIn(const HeadlessCommand& command, const CommandOptions& options, int& argc, char** argv,
          std::FILE* out, std::FILE* err) {
    CommandNeeds needs = command.needs;
    for (const CommandOption& o : command.options) {
        if (options.has(o.name)) needs = std::max(needs, o.needs);
    }
    switch (needs) {
        case CommandNeeds::Nothing:
            return command.run(options, out, err);
        case CommandNeeds::CoreApplication: {
            const QCoreApplication application(argc, argv);
            return command.run(options, out, err);
        }
        case CommandNeeds::Application:
            break;
    }
    // Fonts and PDF files need a platform, not a screen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const QApplication application(argc, argv);
    return command.run(options, out, err);
}

}  // namespace

CommandTable::CommandTable(ProgramAbout about, std::vector<CommandOption> programOptions)
    : about_(std::move(about)), programOptions_(std::move(programOptions)) {}

void CommandTable::add(HeadlessCommand command) {
    commands_.push_back(std::move(command));
}

CommandOptions CommandTable::read(int argc, const char* const* argv) const {
    std::vector<OptionRule> rules(std::begin(kHelpRules), std::end(kHelpRules));
    for (const CommandOption& o : programOptions_) rules.push_back({o.name, valueOf(o)});
    for (const HeadlessCommand& c : commands_) {
        rules.push_back({c.trigger.name, valueOf(c.trigger)});
        for (const CommandOption& o : c.options) rules.push_back({o.name, valueOf(o)});
    }
    return CommandOptions(argc, argv, rules);
}

std::optional<int> CommandTable::run(const CommandOptions& options, int& argc, char** argv,
                                     std::FILE* out, std::FILE* err) const {
    if (options.has("help") || options.has("h") || options.has("help-all")) {
        std::fputs(helpText().c_str(), out);
        return kDone;
    }
    if (options.has("help-man")) {
        std::fputs(manualPage().c_str(), out);
        return kDone;
    }
    if (options.has("version") || options.has("v")) {
        std::fprintf(out, "%s %s\n", std::string(about_.name).c_str(),
                     std::string(about_.version).c_str());
        return kDone;
    }
    if (!options.fault().empty()) {
        std::fprintf(err, "cdzapp: %s\n", options.fault().c_str());
        return kWrongOrder;
    }
    const HeadlessCommand* asked = nullptr;
    for (const HeadlessCommand& c : commands_) {
        if (!options.has(c.trigger.name)) continue;
        if (asked) {
            std::fprintf(err, "cdzapp: give either --%s or --%s, not both\n",
                         std::string(asked->trigger.name).c_str(),
                         std::string(c.trigger.name).c_str());
            return kWrongOrder;
        }
        asked = &c;
    }
    if (asked) return runIn(*asked, options, argc, argv, out, err);
    // A command leaves alone what it does not know; the windowed program says it, in the words
    // of the toolkit's parser it had.
    const std::vector<std::string>& unknown = options.unknown();
    if (unknown.empty()) return std::nullopt;
    std::string names;
    for (const std::string& u : unknown) names += (names.empty() ? "" : ", ") + u;
    if (unknown.size() == 1) {
        std::fprintf(err, "%s: Unknown option '%s'.\n", std::string(about_.name).c_str(),
                     names.c_str());
    } else {
        std::fprintf(err, "%s: Unknown options: %s.\n", std::string(about_.name).c_str(),
                     names.c_str());
    }
    return kUnknownOption;
}

std::vector<CommandTable::HelpLine> CommandTable::helpLines() const {
    std::vector<HelpLine> lines{{"-h, --help", "Displays help on commandline options."},
                                {"-v, --version", "Displays version information."}};
    std::vector<std::string_view> listed;
    const auto list = [&](const CommandOption& o, bool command) {
        if (std::find(listed.begin(), listed.end(), o.name) != listed.end()) return;
        listed.push_back(o.name);
        lines.push_back({namesOf(o), o.help, command});
    };
    for (const CommandOption& o : programOptions_) list(o, false);
    for (const HeadlessCommand& c : commands_) {
        list(c.trigger, true);
        for (const CommandOption& o : c.options) list(o, true);
    }
    return lines;
}

std::string CommandTable::helpText() const {
    const std::vector<HelpLine> lines = helpLines();
    size_t widest = 0;
    for (const HelpLine& line : lines) widest = std::max(widest, line.names.size());
    std::string text = "Usage: " + std::string(about_.executable) + " [options]\n" +
                       std::string(about_.description) + "\n\nOptions:\n";
    for (const HelpLine& line : lines) appendHelpLine(text, line.names, line.help, widest + 4);
    return text;
}

std::string CommandTable::manualPage() const {
    ManualPage page{.name = std::string(about_.executable),
                    .source = std::string(about_.name) + " " + std::string(about_.version),
                    .summary = std::string(about_.description),
                    .synopsis = {"[options]"}};
    for (const HeadlessCommand& c : commands_) {
        std::string usage = namesOf(c.trigger);
        for (const CommandOption& o : c.options) usage += " [" + namesOf(o) + "]";
        page.synopsis.push_back(usage);
    }
    ManualSection options{.title = "OPTIONS"};
    ManualSection commands{
        .title = "COMMANDS",
        .paragraphs = {"Each command runs without opening a window, needs no display and exits "
                       "when done; the options above that name the catalogue apply to it too. "
                       "Two commands at once are refused with exit status 2."}};
    for (const HelpLine& line : helpLines()) {
        (line.command ? commands : options).entries.push_back({line.names, std::string(line.help)});
    }
    std::vector<ManualSection> sections = about_.manual;
    const auto description = std::find_if(sections.begin(), sections.end(),
                                          [](const auto& s) { return s.title == "DESCRIPTION"; });
    const auto after = description == sections.end() ? sections.begin() : description + 1;
    sections.insert(sections.insert(after, std::move(options)) + 1, std::move(commands));
    page.sections = std::move(sections);
    return manualText(page);
}

}  // namespace cdz
