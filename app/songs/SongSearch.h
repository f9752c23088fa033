#pragma once
// The song browse's search through the query wizard library: the songs' queryable fields
// described and numbered once per window under the class "BROWSECADENZIO", and a wizard run
// that returns the new query filter. A library that cannot take the description disables
// searching for the window's life; the user is told why.
#include <optional>
#include <string>
#include <string_view>

#include "querykit/querykit.h"

namespace cdz {

class Bindings;
class Dialogs;

class SongSearch {
public:
    static constexpr const char* kClassName = "BROWSECADENZIO";
    static constexpr const char* kUserKey = "User Defined Key";

    // Describes the fields to the library; a refused description is reported through
    // `dialogs` and leaves the search unusable.
    // `userKey`: the caption the user gave the user-defined key field.
    explicit SongSearch(Dialogs& dialogs, std::string_view userKey = kUserKey);

    bool usable() const { return error_ == 0; }

    // Runs the wizard with the browse's filter in force (`filter`) and the names the filter
    // may use. The new filter when the user finished (the library's response is not 0),
    // nothing when cancelled.
    std::optional<std::string> run(const std::string& filter, const Bindings& bindings);

    // The fields offered, as the library's description string, each under the words a person
    // reads (the list's own media as "Media List", beside the song's "Media").
    static std::string fieldDescription(std::string_view userKey = kUserKey);

private:
    XRQW_FieldsQueue fields_;
    int32_t error_ = 0;
};

}  // namespace cdz
