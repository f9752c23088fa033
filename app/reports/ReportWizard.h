#pragma once
// A query report's question of what to print: the query wizard over the report's fields under
// its class name, offering the saved queries but not a typed query. A cancelled wizard prints
// every record (a blank filter).
#include <string>

namespace cdz {

class Bindings;
class Dialogs;
struct ReportDefinition;

class ReportWizard {
public:
    // The filter text to print with; `description` receives the query's description.
    static std::string ask(Dialogs& dialogs, const ReportDefinition& definition,
                           const Bindings& bindings, std::string* description = nullptr);
};

}  // namespace cdz
