#pragma once
// What the user has typed into a sort order's incremental locator: at most 30 characters, which
// the browse stores into the key's locator component and locates by. The key finds the records
// that begin with it as it compares (a case-insensitive key's folded copy finds "Édith" from
// "édi" or "ÉDI"), so the text is kept as typed.
#include <string>
#include <string_view>

namespace cdz {

class IncrementalLocator {
public:
    static constexpr int kMaxChars = 30;

    // The text a key gave. True when the value changed, and the browse locates. Text with a
    // character that is not printable (Backspace's "\b", Escape, a bare Shift's nothing) does
    // nothing; a space is appended like any character; characters past the 30th are not kept.
    bool type(std::string_view text);
    // Removes the last character; false (nothing happens) when there is none.
    bool backspace();
    // After every movement and on a change of sort order: the next typing starts a new search.
    void blank();
    // A value chosen whole (a letter of the alphabet strip): the length typed so far is kept,
    // so the next typed character follows that many characters of it.
    void setValue(std::string_view text) { value_ = std::string(text); }

    const std::string& value() const { return value_; }
    int length() const { return length_; }

private:
    std::string value_;
    int length_ = 0;
};

}  // namespace cdz
