#pragma once
// What the Preferences window's OK and Cancel do, without the window: OK writes the settings in
// their order, offers the Year Only conversion of the release dates, tells that open windows
// keep their date format, and writes the date format last; Cancel reads every setting back
// from the file.
#include <string>

#include "app/domain/settings/Settings.h"

namespace cdz {

class AppState;

class PreferencesApply {
public:
    static constexpr std::string_view kDateNoticeTitle = "Information";
    static constexpr std::string_view kDateNotice =
        "Date format changes will not affect currently open windows.  You can close and re-open "
        "windows, or exit and restart Cadenzio Pro to view information using the new date "
        "format.";
    static constexpr std::string_view kYearOnlyTitle = "Basic Format Changed";
    static constexpr std::string_view kYearOnlyQuestion =
        "Convert existing entries to Year Only format (day and month information will be "
        "lost!)?";

    explicit PreferencesApply(AppState& state) : state_(state) {}

    // `edited` holds the window's values; `openedWith` the date picture it opened with. The
    // settings globals take the values written.
    void ok(const Settings& edited, const std::string& openedWith);
    void cancel();

private:
    AppState& state_;
};

}  // namespace cdz
