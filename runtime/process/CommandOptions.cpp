#include "runtime/process/CommandOptions.h"

#include <algorithm>
#include <optional>

namespace cdz {
namespace {

const OptionRule* ruleOf(std::span<const OptionRule> known, std::string_view name, bool twoDashes) {
    // "-h" is a letter's option; a one-dash word is the toolkit's, not one of ours.
    if (!twoDashes && name.size() != 1) return nullptr;
    const auto rule = std::find_if(known.begin(), known.end(),
                                   [&](const OptionRule& r) { return r.name == name; });
    return rule == known.end() ? nullptr : &*rule;
}

}  // namespace

CommandOptions::CommandOptions(int argc, const char* const* argv,
                               std::span<const OptionRule> known) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() < 2 || arg[0] != '-') continue;
        const bool twoDashes = arg.starts_with("--");
        std::string_view name = arg.substr(twoDashes ? 2 : 1);
        std::optional<std::string_view> attached;
        if (const size_t equals = name.find('='); twoDashes && equals != std::string_view::npos) {
            attached = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const OptionRule* rule = ruleOf(known, name, twoDashes);
        if (!rule) {
            if (twoDashes) unknown_.emplace_back(name);
            continue;
        }
        if (attached && rule->value == OptionValue::None) {
            unknown_.emplace_back(arg.substr(2));  // "no-splash=1": a switch takes no value
            continue;
        }
        std::string value;
        if (attached) {
            value = *attached;
        } else if (rule->value != OptionValue::None) {
            const bool next = i + 1 < argc && !std::string_view(argv[i + 1]).starts_with("--");
            if (next) {
                value = argv[++i];
            } else if (rule->value == OptionValue::Required) {
                if (fault_.empty()) fault_ = std::string(arg) + " needs a value";
                continue;
            }
        }
        given_.emplace_back(name, std::move(value));
    }
}

bool CommandOptions::has(std::string_view name) const {
    return std::any_of(given_.begin(), given_.end(),
                       [&](const auto& g) { return g.first == name; });
}

std::string CommandOptions::value(std::string_view name) const {
    const auto last = std::find_if(given_.rbegin(), given_.rend(),
                                   [&](const auto& g) { return g.first == name; });
    return last == given_.rend() ? std::string() : last->second;
}

std::string CommandOptions::valueOr(std::string_view name, std::string_view fallback) const {
    return has(name) ? value(name) : std::string(fallback);
}

}  // namespace cdz
