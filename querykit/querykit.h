#pragma once
// querykit: a query wizard any host program can link. The host describes its queryable fields,
// the library numbers them persistently, lets the user design and save queries, and hands back
// a filter text in the runtime's expression language.
//
// The host declares and owns the queues (XRQW_FieldsQueue, XRQW_QueriesQueue); the library
// fills, numbers and sorts them in place. Optional arguments are std::optional: "given or not"
// is kept for each, so a byte given as 0 differs from a byte left out.
//
// Exported names. The entry points keep their XR_ names. Exported data, whose names carry a
// colon, are reached through accessor functions that return a reference to the library's own
// variable, named with the colon written as an underscore:
//   XRQW:Response -> XRQW_Response(), XRQW:FilePath -> XRQW_FilePath(),
//   XRQW:FileName -> XRQW_FileName().
// The host may read and assign them as it would the variables.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/text/Text.h"

#if defined(QUERYKIT_BUILDING)
#define QUERYKIT_API __attribute__((visibility("default")))
#else
#define QUERYKIT_API
#endif

namespace cdz {
class Bindings;
class Dialogs;
class View;
}  // namespace cdz

// One field the user may query: an entry of the host's fields queue.
struct XRQW_FieldEntry {
    cdz::Text<40> Label;       // name shown in the wizard's field lists
    int16_t SortOrder = 0;     // place in the order of upper-cased Label; set by the library
    int16_t FieldPointer = 0;  // persistent field number; set by the library (-1: none yet)
    uint8_t KeyByLabel = 0;    // 1: the store knows the field by Label; 0: by Source
    cdz::Text<60> Source;      // bound name or expression the filter text uses ("ALB:Artist")
    cdz::Text<20> Picture;     // picture for entering and showing values ("@s40", "@d2")
    int16_t Size = 0;          // maximum length of a typed text value
    uint8_t DataKind = 0;      // 1 text, 2 number, date or time
    uint8_t EntryKind = 0;     // 1 entry field, 2 check box, 3 drop list
    cdz::Text<40> Lookup;      // expression of the value lookup button; blank for none
    cdz::Text<255> Choices;    // drop-list choices separated by "|", or the check box's text
};

// One saved query offered to the user: an entry of the host's queries queue.
struct XRQW_QueryEntry {
    cdz::Text<60> Description;
    int32_t QueryNo = 0;    // 0 for "All Records" and "Custom Query..."
    cdz::Text<61> SortKey;  // sorting by it keeps the two extra entries first
};

// A queue the host declares and owns: its entries and its record buffer (after an add, the
// entry added).
template <class Entry>
struct XRQW_Queue {
    std::vector<Entry> entries;
    Entry buffer;

    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    Entry& operator[](std::size_t i) { return entries[i]; }
    const Entry& operator[](std::size_t i) const { return entries[i]; }
    auto begin() { return entries.begin(); }
    auto end() { return entries.end(); }
    auto begin() const { return entries.begin(); }
    auto end() const { return entries.end(); }
    void add(const Entry& e) {
        entries.push_back(e);
        buffer = e;
    }
    // Empties the queue, gives its memory back and clears the buffer.
    void free() {
        std::vector<Entry>().swap(entries);
        buffer = Entry{};
    }
};

using XRQW_FieldsQueue = XRQW_Queue<XRQW_FieldEntry>;
using XRQW_QueriesQueue = XRQW_Queue<XRQW_QueryEntry>;

// ---- Display texts ----

// Stores a display text (caption, tip, message, font) in slot `number`. Slots are blank until
// set and cut to their width; 72, 74, 76, 78 and 80 take a number (a font size); 161 and 162
// split at the first "|" (the part after goes beside the option box). Any other number is
// accepted and ignored.
QUERYKIT_API void XR_SETQWDISPLAYTEXT(int32_t number, std::string_view text);

// ---- Fields ----

// Adds one entry per field described in `description` to the queue: each field is nine
// values (Label, KeyByLabel, Source, Picture, Size, DataKind, EntryKind, Lookup, Choices),
// each followed by "¦" (U+00A6), and each field ends with "«" (U+00AB); text is UTF-8, an
// empty value leaves the field cleared. Does nothing when `error` is non-zero on entry.
// Errors: -2 the string does not end with "«"; -1 a field has more or fewer than nine values;
// a runtime code when the queue cannot grow. On any error the queue is freed.
QUERYKIT_API void XR_ADDFIELDSQUEUEDATA(XRQW_FieldsQueue& queue, int32_t& error,
                                        std::string_view description);

// Numbers the queue: SortOrder by upper-cased Label, FieldPointer from the query store of
// the class (new fields get the free numbers, lowest first); brings the store's field list
// up to date, marking saved queries that use a removed field invalid. Leaves the queue in
// SortOrder order. More than 30000 entries is a design error: the queue is freed.
QUERYKIT_API void XR_INITFIELDSQUEUE(XRQW_FieldsQueue& queue, std::string_view className);

// ---- Saved queries ----

// Refills the queue with the saved queries of the class in description order, after an
// "All Records" entry (QueryNo 0, SortKey "1") and, when withCustom is given and non-zero, a
// "Custom Query..." entry (QueryNo 0, SortKey "2"); the saved ones sort by "3" + upper-cased
// description.
QUERYKIT_API void XR_FILLQWQUEUE(XRQW_QueriesQueue& queue, std::string_view className,
                                 std::optional<uint8_t> withCustom = std::nullopt);

// Sets filter (cut to its width) to the text of saved query queryNo; blank when queryNo is 0
// or there is no such query.
QUERYKIT_API void XR_GETQUERY(int32_t queryNo, cdz::TextField& filter);

// Deletes saved query queryNo with its conditions, once the user confirmed the standard
// delete question; 1 when deleted, 0 otherwise (also when there is no such query). The byte
// has no effect.
QUERYKIT_API uint8_t XR_DELETEQUERY(int32_t queryNo, std::optional<uint8_t> unused = std::nullopt);

// ---- The wizard ----

// Runs the query wizard for the class over the queue's fields (numbered by
// XR_INITFIELDSQUEUE). Unless noBrowse is non-zero the saved queries of the class are offered
// first. On entry `filter` holds the caller's filter in force (used only for combining). On
// return: finished, `filter` holds the new text (cut to its width) and XRQW:Response is the
// saved query's number or -1 (not saved); combined with the caller's filter, -2; cancelled,
// `filter` is unchanged and the response is 0. `description`, when given, receives the saved
// query's description, or the text of an unsaved one, or the combined description.
// noManual non-zero hides manual entry and refuses manual saved queries; openQueryNo non-zero
// opens that saved query directly; allowCombine non-zero offers joining the new query to the
// caller's filter (AND / OR) when that filter is not blank. The texts are checked against the
// names given by XR_SETQWBINDINGS.
QUERYKIT_API void XR_QWIZARD(XRQW_FieldsQueue& queue, std::string_view className,
                             cdz::TextField& filter, cdz::TextField* description = nullptr,
                             std::optional<uint8_t> noBrowse = std::nullopt,
                             std::optional<uint8_t> noManual = std::nullopt,
                             std::optional<int32_t> openQueryNo = std::nullopt,
                             std::optional<uint8_t> allowCombine = std::nullopt);

// Asks how to begin: "Select a Previously Saved Query" 1, "Create a New Query" 2, "Do Not
// Apply a Query" 3; closing the window 0.
QUERYKIT_API uint8_t XR_QWPREACTION();

// Asks whether a new query joins the previous one: not joined 0, AND 30, OR 40; closing the
// window 0.
QUERYKIT_API uint8_t XR_QWASKAPPEND();

// ---- Using a filter text without the wizard ----

// Replaces the first whole occurrence of `name` in `text` (ignoring case; "CUST" inside
// "CUSTNO" is not one) by the clipped value as a quoted constant (a quote inside doubled).
// Leaves the text unchanged when the name does not occur.
QUERYKIT_API void XR_QWPARSE(std::string_view name, std::string_view value, cdz::TextField& text);

// Whether any record of the child view, read in key order `key`, meets both filters:
// "(" filterA ") AND (" filterB ")". 1 found, 0 none or when the filter cannot be set (the
// user is told).
QUERYKIT_API uint8_t XR_CHILDQUERY(cdz::View& child, int key, std::string_view filterA,
                                   std::string_view filterB);

// Steps through `view` to the first (direction 1), previous (2), next (3) or last (4) record
// that meets `filter` (or, with a child view, whose children meet the child filter and
// `filter` together), under a window the user can cancel. Directions 2 and 3 start from
// `position` (a token of View::position()). 1 when a match was found and is current; 0
// otherwise, with the view back on the record it started from.
QUERYKIT_API uint8_t XR_QWNAVIGATE(cdz::View& view, std::optional<std::string_view> position,
                                   std::string_view filter, uint8_t direction,
                                   cdz::View* child = nullptr,
                                   std::optional<int> childKey = std::nullopt,
                                   std::optional<std::string_view> childFilter = std::nullopt);

// ---- Where the query store lives ----

// Remembers a folder and a store file name when given, then builds the store's table names:
// folder (with a separator added when it lacks one) + file name (blank: "QUERIES.TPS"). Mode
// left out or 0 always rebuilds; mode 2 without folder and name forgets both and rebuilds
// (the default store in the current folder); any other non-zero mode builds the names only
// when they were never built, or a folder or name is given or remembered.
// Keeps the saved queries on the database server `conninfo` names, under the catalogue's name
// (an empty `conninfo`: in the store file of the folder XR_SETQWFILEPATHS gives). 52 while a
// store table is open.
QUERYKIT_API int XR_SETQWSERVER(std::string_view conninfo, std::string_view catalogue);
QUERYKIT_API void XR_SETQWFILEPATHS(std::optional<uint8_t> mode = std::nullopt,
                                    std::optional<std::string_view> folder = std::nullopt,
                                    std::optional<std::string_view> fileName = std::nullopt);

// ---- Exported data ----

// Result of the last wizard run: 0 cancelled, -1 built and not saved, -2 combined with the
// caller's previous query, or the number of the saved query used. Only XR_QWIZARD sets it,
// after each run.
QUERYKIT_API int32_t& XRQW_Response();
// Folder of the query store (100 characters).
QUERYKIT_API cdz::Text<100>& XRQW_FilePath();
// File name of the query store (12 characters); blank means "QUERIES.TPS".
QUERYKIT_API cdz::Text<12>& XRQW_FileName();

// ---- Extensions for hosts on this runtime ----

// The dialog facade through which the library shows its messages; it must outlive its use
// (pass nullptr before destroying it). Until one is handed over the library makes its own
// from the environment (see runtime/ui/DialogsFromEnvironment.h).
QUERYKIT_API void XR_SETQWDIALOGS(cdz::Dialogs* dialogs);

// What ends the program after a fatal store error (an unusable store file): called with the
// halt text once the facade has shown it. Without one the library ends the process with
// status 1. A handler that returns makes the failing call give up instead.
QUERYKIT_API void XR_SETQWHALTHANDLER(std::function<void(std::string_view text)> handler);

// The names filter texts may use (the host's records and variables, as it binds them for its
// views): the wizard checks a designed text and runs lookups against them, navigation and the
// child query evaluate filters with them. They must outlive their use (pass nullptr before
// destroying them). Without any, every name is unknown.
QUERYKIT_API void XR_SETQWBINDINGS(const cdz::Bindings* bindings);
