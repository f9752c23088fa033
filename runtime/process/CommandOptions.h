#pragma once
// The program's arguments read once against the options it knows, so that the windowed program
// and every command that runs without windows see the same values and the same faults.
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cdz {

// What follows an option on the command line.
enum class OptionValue {
    None,      // a switch: --no-splash
    Required,  // --pdf FILE
    Optional,  // --cd-info [DRIVE]: the next argument when it is not an option
};

struct OptionRule {
    std::string_view name;  // "pdf", without its dashes; one letter is written "-h"
    OptionValue value = OptionValue::Required;
};

class CommandOptions {
public:
    // --name=value is read as --name value. An argument beginning "--" is never taken for a
    // value: "--import --map X" lacks the file rather than importing a file named "--map".
    CommandOptions(int argc, const char* const* argv, std::span<const OptionRule> known);

    bool has(std::string_view name) const;
    // The value given (the last one, when the option is given twice); empty without one.
    std::string value(std::string_view name) const;
    std::string valueOr(std::string_view name, std::string_view fallback) const;
    // "--pdf needs a value" for the first option given without the value it needs; empty when
    // every option has its value.
    const std::string& fault() const { return fault_; }
    // The "--" options given that are not known, without their dashes. One-dash options are not
    // among them: those not known are the toolkit's own (-platform, -style), which its
    // application object takes.
    const std::vector<std::string>& unknown() const { return unknown_; }

private:
    std::vector<std::pair<std::string, std::string>> given_;  // name, value, in the given order
    std::string fault_;
    std::vector<std::string> unknown_;
};

}  // namespace cdz
