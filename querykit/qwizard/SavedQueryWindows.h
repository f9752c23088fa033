#pragma once
// The windows around saved queries that the wizard opens: the saved-queries browse of a class,
// the description form, and the join question. An interface, so the wizard's run can be driven
// by a test without them.
#include <cstdint>
#include <memory>
#include <string_view>

#include "querykit/querykit.h"

namespace qk {

class QueryStore;

// What the saved-queries browse ended with (the chosen query is in the store's query buffer).
enum class BrowseOutcome : int32_t {
    Select = 1,
    Cancelled = 2,
    AndJoin = 30,
    OrJoin = 40,
    Insert = 100,
    Change = 200,
};

// The request a saved-query window works under.
enum class QueryRequest : uint8_t { Insert = 1, Change = 2, Delete = 3, Select = 4 };

// The answers of the join question.
enum class JoinChoice : uint8_t { None = 0, And = 30, Or = 40 };

class QUERYKIT_API SavedQueryWindows {
public:
    virtual ~SavedQueryWindows() = default;
    // The saved queries of the class; AND Join and OR Join offered when allowJoin. With
    // request Select the Select button is the default.
    virtual BrowseOutcome browse(std::string_view className, bool allowJoin,
                                 QueryRequest request) = 0;
    // The description form over the store's query buffer: Insert adds the record (QueryNo set
    // in the buffer) and asks its description, Change asks and rewrites it, Delete confirms and
    // deletes it with its elements. True when completed; a cancelled insert leaves no record.
    virtual bool describe(QueryRequest request) = 0;
    // Whether the new query joins the caller's previous one.
    virtual JoinChoice askAppend() = 0;
};

// The library's own windows over its store.
QUERYKIT_API std::unique_ptr<SavedQueryWindows> makeSavedQueryWindows(QueryStore& store);

}  // namespace qk
