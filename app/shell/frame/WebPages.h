#pragma once
// The pages of the program's web site that the File and OnLine menus open in the user's web
// browser.
#include <vector>

class QUrl;

namespace cdz {

class Dialogs;

struct WebPage {
    const char* objectName;  // of the menu item
    const char* caption;
    const char* statusTip;
    const char* url;
};

class WebPages {
public:
    // The home page, opened by File > "Orvanta on the &Web".
    static const WebPage& home();
    // The eight pages of the OnLine menu, in menu order.
    static const std::vector<WebPage>& online();

    // Opens a page in the default browser; tells the user when no browser would take it.
    static bool open(Dialogs& dialogs, const QUrl& url);
};

}  // namespace cdz
