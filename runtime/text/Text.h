#pragma once
// Fixed-width text: holds at most width() characters of UTF-8. Assignment cuts at the width,
// never inside a character; comparisons ignore trailing blanks, as the stored files and the
// pictures expect of a blank-padded string.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace cdz {

// The non-template face of every Text<N>: what pictures, the expression binder, CSV and the
// data layer use without knowing N.
class TextField {
public:
    int width() const { return width_; }
    // The stored characters as assigned (trailing blanks kept if they fit).
    std::string_view view() const { return {buf_, bytes_}; }
    // The stored characters without trailing blanks.
    std::string_view clipped() const;
    std::string str() const { return std::string(view()); }
    // Cuts at width() characters; an invalid UTF-8 sequence is kept byte for byte but never
    // split, so a stored value is always a prefix of whole sequences.
    void assign(std::string_view utf8);
    void clear() { bytes_ = 0; }
    bool empty() const { return clipped().empty(); }

    TextField& operator=(std::string_view utf8) {
        assign(utf8);
        return *this;
    }
    TextField& operator=(const TextField& other) {
        if (this != &other) assign(other.view());
        return *this;
    }

    // Byte-wise (code point order) comparison ignoring trailing blanks.
    int compare(std::string_view other) const;
    friend bool operator==(const TextField& a, std::string_view b) { return a.compare(b) == 0; }
    friend bool operator==(const TextField& a, const TextField& b) {
        return a.compare(b.view()) == 0;
    }

protected:
    TextField(char* buf, int width) : buf_(buf), width_(static_cast<uint16_t>(width)) {}
    TextField(const TextField&) = delete;
    ~TextField() = default;

private:
    char* buf_;
    uint16_t width_;
    uint16_t bytes_ = 0;
};

// STRING(N): N characters, at most 4 bytes each.
template <int N>
class Text final : public TextField {
    static_assert(N > 0 && N * 4 <= 65535, "text width out of range");

public:
    Text() : TextField(storage_, N) {}
    Text(std::string_view utf8) : TextField(storage_, N) { assign(utf8); }  // NOLINT: implicit
    Text(const Text& other) : TextField(storage_, N) { assign(other.view()); }
    Text& operator=(const Text& other) {
        if (this != &other) TextField::operator=(other);
        return *this;
    }
    Text& operator=(std::string_view utf8) {
        assign(utf8);
        return *this;
    }

private:
    char storage_[static_cast<std::size_t>(N) * 4];
};

// Helpers on plain UTF-8 strings.
// Removes trailing blanks (spaces only, as the runtime's CLIP does).
std::string_view clip(std::string_view s);
// The first n characters of s (whole UTF-8 sequences).
std::string_view cutChars(std::string_view s, int n);
// Number of characters (code points) in s; an invalid byte counts as one.
int charCount(std::string_view s);
// Compare ignoring trailing blanks on both sides: <0, 0, >0.
int compareClipped(std::string_view a, std::string_view b);

}  // namespace cdz
