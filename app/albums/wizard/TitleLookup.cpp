#include "app/albums/wizard/TitleLookup.h"

#include <QApplication>

#include <memory>

#include "app/albums/cd/CdDisc.h"
#include "app/albums/cd/CdReader.h"
#include "app/albums/cd/TitleService.h"
#include "app/engine/state/AppState.h"
#include "runtime/cd/CdioDevice.h"

namespace cdz {

namespace {

constexpr const char* kTitle = "Look up titles";
// The heading of the list of releases; the releases are the items after it.
constexpr const char* kQuestion = "Which release is the disc in the drive?";
constexpr int kFirstRelease = 2;

// Holds the wait cursor while the service is asked.
class WaitCursor {
public:
    WaitCursor() {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// A release as one popup item: the menu's own marks ("|" between items, a leading "~", "+" or
// "-") cannot come from a title, and "&" shows as itself.
std::string item(size_t number, const TitleRelease& release) {
    std::string text = std::to_string(number) + ". ";
    for (const char c : release.describe()) {
        if (c == '|') {
            text += '/';
        } else if (c == '&') {
            text += "&&";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

std::string TitleLookup::choices(const std::vector<TitleRelease>& releases) {
    std::string menu = std::string("~") + kQuestion + "|-";
    for (size_t i = 0; i < releases.size(); ++i) menu += "|" + item(i + 1, releases[i]);
    return menu;
}

std::optional<TitleLookup::Found> TitleLookup::run(AppState& state, CdDevice* device) {
    std::unique_ptr<CdDevice> own;
    if (device == nullptr) {
        own = std::make_unique<CdioDevice>(CdReader::deviceSource(state.settings()));
        device = own.get();
    }
    CdDisc disc;
    if (const CdFault fault = CdDisc::read(*device, disc); fault != CdFault::None) {
        state.dialogs().message("Error", cdFaultText(fault), MessageIcon::Error, Button::Ok,
                                Button::Ok);
        return std::nullopt;
    }
    TitleService service(TitleService::optionsFrom(state.settings()));
    TitleService::Result result;
    {
        const WaitCursor waiting;
        result = service.find(disc.contents);
    }
    if (result.outcome != TitleService::Outcome::Found) {
        state.dialogs().message(kTitle,
                                service.explain(result) +
                                    " The album and its tracks were left "
                                    "as they were.",
                                MessageIcon::Warning, Button::Ok, Button::Ok);
        return std::nullopt;
    }
    size_t chosen = 0;
    if (result.releases.size() > 1) {
        const int picked = state.dialogs().popup(choices(result.releases)) - kFirstRelease;
        if (picked < 0 || picked >= static_cast<int>(result.releases.size())) return std::nullopt;
        chosen = static_cast<size_t>(picked);
    }
    return Found{std::move(result.releases[chosen]), disc.trackTimes};
}

}  // namespace cdz
