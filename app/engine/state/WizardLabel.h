#pragma once
// The words a person reads for a field offered to the query wizard: a field's name as the
// program knows it ("ReleaseDate", "AdditionalInformation1") spelt as words ("Release Date",
// "Additional Information 1"). Saved queries find their fields by source, never by this text.
#include <string>
#include <string_view>

namespace cdz {

std::string wizardLabel(std::string_view name);

}  // namespace cdz
