#include "app/reports/ReportFont.h"

#include <QColor>
#include <charconv>

#include "runtime/ini/IniFile.h"
#include "runtime/text/Text.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {
namespace {

int number(const std::string& text, int otherwise) {
    const std::string_view t = clip(text);
    int v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return ec == std::errc() && end == t.data() + t.size() ? v : otherwise;
}

}  // namespace

FontChoice ReportFont::read(const IniFile& settings, const std::string& key) {
    FontChoice f;
    // A name is at most 32 characters.
    f.typeface = std::string(clip(settings.read(kSection, "FontName" + key)).substr(0, 32));
    f.size = std::max(0, number(settings.read(kSection, "FontSize" + key), 0));
    f.colour = Colour::fromValue(number(settings.read(kSection, "FontColor" + key), -1));
    f.style = std::max(0, number(settings.read(kSection, "FontStyle" + key), 0));
    return f;
}

void ReportFont::write(IniFile& settings, const std::string& key, const FontChoice& font) {
    settings.write(kSection, "FontName" + key, font.typeface.substr(0, 32));
    settings.write(kSection, "FontSize" + key, std::to_string(font.size));
    settings.write(kSection, "FontColor" + key, font.colour.toString());
    settings.write(kSection, "FontStyle" + key, std::to_string(font.style));
}

std::optional<FontChoice> ReportFont::ask(Dialogs& dialogs, IniFile& settings,
                                          const std::string& key) {
    auto chosen = dialogs.font(kDialogTitle, read(settings, key));
    if (chosen) write(settings, key, *chosen);
    return chosen;
}

void ReportFont::apply(const FontChoice& font, ReportLook& look) {
    look.customFont = true;
    if (!font.typeface.empty()) look.font.family = QString::fromStdString(font.typeface);
    if (font.size > 0) look.font.pointSize = font.size;
    if (font.weight() > 0) look.font.weight = font.weight();
    look.font.italic = font.italic();
    look.font.underline = font.underline();
    look.font.strikeOut = font.strikeOut();
    if (!font.colour.isNone()) look.colour = font.colour.toQColor().rgba();
}

}  // namespace cdz
