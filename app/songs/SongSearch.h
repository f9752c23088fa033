#pragma once
// The song browse's search through the query wizard library: the songs' queryable fields
// described and numbered once per window under the class "BROWSECADENZIO", and a wizard run
// that returns the new query filter. A library that cannot take the description disables
// searching for the window's life; the user is told why.
#include <optional>
#include <string>

#include "querykit/querykit.h"

namespace cdz {

class Bindings;
class Dialogs;

class SongSearch {
public:
    static constexpr const char* kClassName = "BROWSECADENZIO";

    // Describes the fields to the library; a refused description is reported through
    // `dialogs` and leaves the search unusable.
    explicit SongSearch(Dialogs& dialogs);

    bool usable() const { return error_ == 0; }

    // Runs the wizard with the browse's filter in force (`filter`) and the names the filter
    // may use. The new filter when the user finished (the library's response is not 0),
    // nothing when cancelled.
    std::optional<std::string> run(const std::string& filter, const Bindings& bindings);

    // The fields offered, as the library's description string.
    static const std::string& fieldDescription();

private:
    XRQW_FieldsQueue fields_;
    int32_t error_ = 0;
};

}  // namespace cdz
