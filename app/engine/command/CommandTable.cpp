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
constexpr OptionRule kHelpRules[] = {{"h", OptionValue::None},
                                     {"help", OptionValue::None},
                                     {"help-all", OptionValue::None},
                                     {"v", OptionValue::None},
                                     {"version", OptionValue::None}};

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
    : about_(about), programOptions_(std::move(programOptions)) {}

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

std::string CommandTable::helpText() const {
    std::vector<std::pair<std::string, std::string_view>> lines{
        {"-h, --help", "Displays help on commandline options."},
        {"-v, --version", "Displays version information."}};
    std::vector<std::string_view> listed;
    const auto list = [&](const CommandOption& o) {
        if (std::find(listed.begin(), listed.end(), o.name) != listed.end()) return;
        listed.push_back(o.name);
        lines.emplace_back(namesOf(o), o.help);
    };
    for (const CommandOption& o : programOptions_) list(o);
    for (const HeadlessCommand& c : commands_) {
        list(c.trigger);
        for (const CommandOption& o : c.options) list(o);
    }
    size_t widest = 0;
    for (const auto& line : lines) widest = std::max(widest, line.first.size());
    std::string text = "Usage: " + std::string(about_.executable) + " [options]\n" +
                       std::string(about_.description) + "\n\nOptions:\n";
    for (const auto& [names, help] : lines) appendHelpLine(text, names, help, widest + 4);
    return text;
}

}  // namespace cdz
