#include "bench/generator/TextCut.h"

namespace cdz::gen {

namespace {

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t charCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) count += isContinuation(c) ? 0 : 1;
    return count;
}

void cutInPlace(std::string& text, std::size_t maxChars) {
    std::size_t chars = 0;
    std::size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        if (isContinuation(text[pos])) continue;
        if (chars == maxChars) break;
        ++chars;
    }
    text.resize(pos);
    while (!text.empty() && text.back() == ' ') text.pop_back();
}

std::string cutToChars(std::string_view text, std::size_t maxChars) {
    std::string out(text);
    cutInPlace(out, maxChars);
    return out;
}

}  // namespace cdz::gen
