#include "app/engine/columns/ColumnLayoutStore.h"

#include <charconv>
#include <optional>
#include <utility>

#include "app/engine/columns/ColumnLayout.h"
#include "app/engine/columns/DatePictures.h"
#include "runtime/ini/IniFile.h"

namespace cdz {
namespace {

std::optional<int> number(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || text.empty()) return std::nullopt;
    return value;
}

void readNumber(const std::string& text, int& into) {
    if (auto n = number(text)) into = *n;
}

void readSwitch(const std::string& text, bool& into) {
    if (auto n = number(text); n && (*n == 0 || *n == 1)) into = *n == 1;
}

}  // namespace

ColumnLayoutStore::ColumnLayoutStore(IniFile& ini, std::string section, std::string listName,
                                     int version)
    : ini_(ini), section_(std::move(section)), listName_(std::move(listName)), version_(version) {}

std::string ColumnLayoutStore::key(const char* what) const {
    return std::string("Colvue") + what + "-" + listName_;
}

std::string ColumnLayoutStore::read(const char* what) const {
    return ini_.read(section_, key(what));
}

bool ColumnLayoutStore::restore(ColumnLayout& layout, bool keepsPlace,
                                const std::string& dateSetting) const {
    if (number(read("Version")) != version_) return false;
    const std::string text = read("FormatString");
    if (!text.empty()) {
        const ListFormatParse parsed =
            ListFormat::parse(replaceListDatePictures(text, dateSetting));
        if (parsed.format) layout.setFormat(*parsed.format);
    }
    ListLook& look = layout.look();
    readSwitch(read("Hscroll"), look.horizontalScroll);
    readSwitch(read("Vscroll"), look.verticalScroll);
    if (auto h = number(read("LineHeight")); h && *h > 0) look.lineHeight = *h;
    const std::string font = read("Font");
    if (!font.empty()) look.font.typeface = font;
    if (auto size = number(read("Point")); size && *size > 0) look.font.size = *size;
    if (auto colour = Colour::parse(read("Color"))) look.font.colour = *colour;
    if (auto style = number(read("Style")); style && *style >= 0) look.font.style = *style;
    if (keepsPlace) {
        readNumber(read("Xpos"), look.x);
        readNumber(read("Ypos"), look.y);
        if (auto h = number(read("Height")); h && *h > 0) look.height = *h;
        if (auto w = number(read("Width")); w && *w > 0) look.width = *w;
    }
    return true;
}

bool ColumnLayoutStore::save(const ColumnLayout& layout) {
    lastError_.clear();
    const ListLook& look = layout.look();
    const std::pair<const char*, std::string> values[] = {
        {"FormatString", layout.format().text()},
        {"Hscroll", look.horizontalScroll ? "1" : "0"},
        {"Vscroll", look.verticalScroll ? "1" : "0"},
        {"LineHeight", std::to_string(look.lineHeight)},
        {"Font", look.font.typeface},
        {"Point", std::to_string(look.font.size)},
        {"Color", look.font.colour.toString()},
        {"Style", std::to_string(look.font.style)},
        {"Xpos", std::to_string(look.x)},
        {"Ypos", std::to_string(look.y)},
        {"Height", std::to_string(look.height)},
        {"Width", std::to_string(look.width)},
        // Last: a save cut short leaves an older layout still marked as older.
        {"Version", std::to_string(version_)},
    };
    for (const auto& [what, value] : values) {
        if (!ini_.write(section_, key(what), value)) {
            lastError_ = ini_.lastError();
            return false;
        }
    }
    return true;
}

}  // namespace cdz
