#include "app/reports/ReportWizard.h"

#include "querykit/querykit.h"
#include "runtime/text/Text.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

std::string ReportWizard::ask(Dialogs& dialogs, const std::string& className,
                              const std::string& fields, bool typed, const Bindings& bindings,
                              std::string* description) {
    XRQW_FieldsQueue queue;
    queue.free();
    int32_t error = 0;
    if (!fields.empty()) {
        XR_ADDFIELDSQUEUEDATA(queue, error, fields);
        if (error != 0) {
            dialogs.message("Query Wizard Error# " + std::to_string(error),
                            "An error has prevented the Query Wizard from initializing.",
                            MessageIcon::Warning, Button::Ok, Button::Ok);
        }
    }
    XR_INITFIELDSQUEUE(queue, className);
    Text<1024> filter;
    Text<30> named;
    XR_SETQWBINDINGS(&bindings);
    XR_QWIZARD(queue, className, filter, &named, uint8_t{0}, static_cast<uint8_t>(typed ? 0 : 1));
    XR_SETQWBINDINGS(nullptr);
    if (description) *description = std::string(clip(named.view()));
    if (XRQW_Response() == 0) return {};
    return std::string(clip(filter.view()));
}

}  // namespace cdz
