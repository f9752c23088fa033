#pragma once
// querykit: a query wizard any host program can link. The host describes its queryable fields,
// the library numbers them persistently, lets the user design and save queries, and hands back
// a filter text in the runtime's expression language.
//
// Exported names. The entry points keep their XR_ names. Exported data whose names contain a
// colon are exported under the same name with the colon written as an underscore:
//   XRQW:Response -> XRQW_Response, XRQW:FilePath -> XRQW_FilePath, XRQW:FileName -> XRQW_FileName.
#include <cstdint>
#include <string_view>

#if defined(QUERYKIT_BUILDING)
#define QUERYKIT_API __attribute__((visibility("default")))
#else
#define QUERYKIT_API
#endif

// Stores a display text (caption, tip, message, font) in slot `number`. Slots are blank until
// set and cut to their width; 72, 74, 76, 78 and 80 take a number (a font size); 161 and 162
// split at the first "|" (the part after goes beside the option box). Any other number is
// accepted and ignored.
QUERYKIT_API void XR_SETQWDISPLAYTEXT(int32_t number, std::string_view text);
