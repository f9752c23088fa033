#pragma once
// A query report's question of what to print: the query wizard over the report's fields under
// its class name, offering the saved queries but not a typed query. A cancelled wizard prints
// every record (a blank filter).
#include <string>

namespace cdz {

class Bindings;
class Dialogs;

class ReportWizard {
public:
    // The filter text to print with, over the fields of `fields` (the library's description
    // string; empty offers the saved queries and typed ones only); `description` receives
    // the query's description. `typed` lets the user type a query.
    static std::string ask(Dialogs& dialogs, const std::string& className,
                           const std::string& fields, bool typed, const Bindings& bindings,
                           std::string* description = nullptr);
};

}  // namespace cdz
