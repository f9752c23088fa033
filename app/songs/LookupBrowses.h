#pragma once
// The two lookup lists of songs and albums: the category browse ("Categories") and the media
// browse ("Browse Media Formats"). Each is started from the frame to keep its list, or called
// by another window to pick a record: the chosen category or media name is then in its file's
// record buffer.
class QWidget;

namespace cdz {

class AppState;
class BrowseWindow;

class LookupBrowses {
public:
    static constexpr const char* kCategories = "BrowseCategories";
    static constexpr const char* kMedia = "BrowseMedia";

    // nullptr when a file would not open (the open routine has told the user).
    static BrowseWindow* categories(AppState& state, QWidget* parent);
    static BrowseWindow* media(AppState& state, QWidget* parent);
};

}  // namespace cdz
