#include "app/reports/ReportWizard.h"

#include "app/reports/ReportDefinition.h"
#include "querykit/querykit.h"
#include "runtime/text/Text.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

std::string ReportWizard::ask(Dialogs& dialogs, const ReportDefinition& definition,
                              const Bindings& bindings, std::string* description) {
    XRQW_FieldsQueue fields;
    fields.free();
    int32_t error = 0;
    if (!definition.queryFields.empty()) {
        XR_ADDFIELDSQUEUEDATA(fields, error, definition.queryFields);
        if (error != 0) {
            dialogs.message("Query Wizard Error# " + std::to_string(error),
                            "An error has prevented the Query Wizard from initializing.",
                            MessageIcon::Warning, Button::Ok, Button::Ok);
        }
    }
    XR_INITFIELDSQUEUE(fields, definition.queryClass);
    Text<1024> filter;
    Text<30> named;
    XR_SETQWBINDINGS(&bindings);
    XR_QWIZARD(fields, definition.queryClass, filter, &named, uint8_t{0}, uint8_t{1});
    XR_SETQWBINDINGS(nullptr);
    if (description) *description = std::string(clip(named.view()));
    if (XRQW_Response() == 0) return {};
    return std::string(clip(filter.view()));
}

}  // namespace cdz
