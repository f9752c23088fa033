#include "app/shell/frame/WebPages.h"

#include <QDesktopServices>
#include <QUrl>

#include "runtime/ui/Dialogs.h"

namespace cdz {

const WebPage& WebPages::home() {
    static const WebPage page{"actWebSite", "Orvanta on the &Web", "Visit the Orvanta home page",
                              "https://www.cadenzio.example/"};
    return page;
}

const std::vector<WebPage>& WebPages::online() {
    static const std::vector<WebPage> pages = {
        {"actOnlineHome", "Orvanta &Home Page", "Visit the Orvanta home page",
         "https://www.cadenzio.example/"},
        {"actOnlineNews", "Product &News", "Read the latest news about Orvanta",
         "https://www.cadenzio.example/news/"},
        {"actOnlineUpdates", "Check for &Updates", "See whether a newer version is available",
         "https://www.cadenzio.example/updates/"},
        {"actOnlineSupport", "Technical &Support", "Get help from the Orvanta support team",
         "https://www.cadenzio.example/support/"},
        {"actOnlineFaq", "&Frequently Asked Questions", "Answers to common questions",
         "https://www.cadenzio.example/support/faq/"},
        {"actOnlineTips", "&Tips and Tricks", "Ways to get more out of Orvanta",
         "https://www.cadenzio.example/tips/"},
        {"actOnlineRegister", "&Register Orvanta", "Register your copy of Orvanta",
         "https://www.cadenzio.example/register/"},
        {"actOnlineFeedback", "Send Us Your &Comments", "Tell us what you think of Orvanta",
         "https://www.cadenzio.example/feedback/"},
    };
    return pages;
}

bool WebPages::open(Dialogs& dialogs, const QUrl& url) {
    if (QDesktopServices::openUrl(url)) return true;
    const std::string text = "Orvanta could not open the page " + url.toString().toStdString() +
                             " because no web browser is set up to show it.";
    dialogs.message("Web Page", text, MessageIcon::Warning, Button::Ok, Button::Ok);
    return false;
}

}  // namespace cdz
