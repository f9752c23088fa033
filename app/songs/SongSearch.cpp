#include "app/songs/SongSearch.h"

#include "app/domain/data/SongQueryFields.h"
#include "app/engine/state/WizardLabel.h"
#include "runtime/expr/Bindings.h"
#include "runtime/text/Text.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {
namespace {

// The library's value and entry separators ("¦" and "«").
constexpr const char* kValueEnd = "\u00a6";
constexpr const char* kEntryEnd = "\u00ab";

}  // namespace

std::string SongSearch::fieldDescription(std::string_view userKey) {
    std::string s;
    // Both media names (the media file's and the song's own) are offered, as users know either.
    for (const QueryField& f : songQueryFields(true)) {
        const std::string label =
            f.source == "MUS:UserDefinedKeyField" ? std::string(userKey) : wizardLabel(f.name);
        const std::string values[] = {label,
                                      "0",
                                      f.source,
                                      f.picture,
                                      std::to_string(f.size),
                                      std::to_string(f.dataKind),
                                      std::to_string(f.entryKind),
                                      "",
                                      f.choices};
        for (const std::string& v : values) s += v + kValueEnd;
        s += kEntryEnd;
    }
    return s;
}

SongSearch::SongSearch(Dialogs& dialogs, std::string_view userKey) {
    fields_.free();
    XR_ADDFIELDSQUEUEDATA(fields_, error_, fieldDescription(userKey));
    if (error_ != 0) {
        dialogs.message("Query Wizard Error# " + std::to_string(error_),
                        "An error has prevented the Query Wizard from initializing.",
                        MessageIcon::Warning, Button::Ok, Button::Ok);
        return;
    }
    XR_INITFIELDSQUEUE(fields_, kClassName);
}

std::optional<std::string> SongSearch::run(const std::string& filter, const Bindings& bindings) {
    if (!usable()) return std::nullopt;
    Text<1024> buffer(filter);
    XR_SETQWBINDINGS(&bindings);
    XR_QWIZARD(fields_, kClassName, buffer, nullptr, uint8_t{0}, uint8_t{0}, std::nullopt,
               uint8_t{0});
    XR_SETQWBINDINGS(nullptr);
    if (XRQW_Response() == 0) return std::nullopt;
    return std::string(clip(buffer.view()));
}

}  // namespace cdz
