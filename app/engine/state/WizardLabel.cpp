#include "app/engine/state/WizardLabel.h"

namespace cdz {

namespace {

bool lower(char c) {
    return c >= 'a' && c <= 'z';
}
bool upper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string wizardLabel(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i > 0) {
            const char before = name[i - 1];
            // A word starts at a capital after a small letter or a digit, and at a digit after
            // a letter; "ID" stays one word.
            if ((upper(c) && (lower(before) || digit(before))) ||
                (digit(c) && (lower(before) || upper(before)))) {
                out += ' ';
            }
        }
        out += c;
    }
    return out;
}

}  // namespace cdz
