#pragma once
// Stores one imported text in a song field as its column's picture reads it. Text fields take
// it cut to their size, memos to their maximum, number fields its numeric value. A date or
// time field read through a text or number picture still gets a date or time: a bare year or
// day number stays the number it is, "mm/dd/yyyy", "yyyy-mm-dd" and the desktop's short date
// become day numbers, "h:mm:ss" a time, so the export's quoted dates come back as dates. A
// number the field cannot hold is refused, never stored wrapped.
#include <optional>
#include <string>
#include <string_view>

#include "runtime/data/FieldDesc.h"
#include "runtime/text/Picture.h"

namespace cdz {

class ImportValue {
public:
    enum class Target { Text, Number, Date, Time };

    // The picture is parsed once; a picture that does not parse reads the text as it is.
    ImportValue(std::string_view picture, const FieldDesc& field);
    // "" when stored; else why not (a number outside the field's range, a date or time before
    // zero) and the field is left as it was.
    std::string store(std::string_view text, void* record) const;

    // What a date or time field's label asks for ("MUS:ReleaseDate" a date).
    static Target targetOf(const FieldDesc& field);

private:
    int64_t numberOf(std::string_view text) const;
    int64_t dateOf(std::string_view text) const;
    std::string deformat(const Picture& picture, std::string_view text) const;

    std::optional<Picture> picture_;
    // Taken once: asking the clock for the year at every date read costs a look at the
    // system's time zone file each time.
    int currentYear_;
    const FieldDesc& field_;
    Target target_;
    bool plain_;  // a text or number picture: no deformatting
};

}  // namespace cdz
