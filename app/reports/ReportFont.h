#pragma once
// A report's custom font: the four keys of the report in section "Fonts" of the settings file
// ("FontName<Report>", "FontSize<Report>", "FontColor<Report>", "FontStyle<Report>") start
// the font dialog; what the user confirms is written back and printed with.
#include <optional>
#include <string>

#include "app/reports/ReportPager.h"
#include "runtime/ui/FontChoice.h"

namespace cdz {

class Dialogs;
class IniFile;

class ReportFont {
public:
    static constexpr const char* kSection = "Fonts";
    static constexpr const char* kDialogTitle = "Select Custom Font for Report";

    // The font kept for the report (`key` is its mixed-case name, "PrintMUS:SongsByArtist").
    static FontChoice read(const IniFile& settings, const std::string& key);
    static void write(IniFile& settings, const std::string& key, const FontChoice& font);
    // Asks with the kept font as the start; the chosen font is kept and returned, nothing when
    // the user cancels (the report then prints in its own font).
    static std::optional<FontChoice> ask(Dialogs& dialogs, IniFile& settings,
                                         const std::string& key);
    // The look of a report printed in `font`.
    static void apply(const FontChoice& font, ReportLook& look);
};

}  // namespace cdz
