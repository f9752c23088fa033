#pragma once
// The field description string of XR_ADDFIELDSQUEUEDATA: per field nine values (Label,
// KeyByLabel, Source, Picture, Size, DataKind, EntryKind, Lookup, Choices), each followed by
// "¦" (U+00A6), the field ended by "«" (U+00AB), all in UTF-8.
#include <cstdint>
#include <string_view>

#include "querykit/querykit.h"

namespace qk {

class QUERYKIT_API FieldDescriptions {
public:
    static constexpr std::string_view kValueEnd = "\xC2\xA6";  // ¦
    static constexpr std::string_view kFieldEnd = "\xC2\xAB";  // «
    static constexpr int32_t kNotEnded = -2;                   // the string does not end with «
    static constexpr int32_t kBadValues = -1;  // a field without exactly nine values
    static constexpr int32_t kNoMemory = 8;    // the runtime's code: the queue cannot grow

    // Adds the fields described to the queue (SortOrder and FieldPointer cleared). Returns 0 or
    // an error code above; fields before a faulty one stay added (the caller frees the queue).
    static int32_t add(XRQW_FieldsQueue& queue, std::string_view description);
};

}  // namespace qk
