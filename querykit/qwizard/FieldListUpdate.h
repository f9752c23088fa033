#pragma once
// XR_INITFIELDSQUEUE: numbers a host's fields queue for a class and brings the store's field
// list of the class up to date. Saved queries that use a removed field are marked invalid and
// their elements carry -1 for it. The update runs with the three tables locked (in the order
// fields, queries, elements) and in one transaction; the numbers are worked out again inside
// it, so that two stations updating one class at once cannot give one number two meanings.
#include <string>
#include <string_view>

#include "querykit/qwizard/FieldNumbering.h"
#include "querykit/qwizard/QueryStore.h"

namespace qk {

class QUERYKIT_API FieldListUpdate {
public:
    static constexpr size_t kMaxFields = 30000;

    explicit FieldListUpdate(QueryStore& store) : store_(store) {}

    // Numbers the queue and updates the store; leaves the queue in SortOrder order. A queue of
    // more than kMaxFields entries is a design error: reported, and the queue freed. An empty
    // queue changes nothing: it would otherwise invalidate every saved query of the class.
    void run(XRQW_FieldsQueue& queue, std::string_view className);

private:
    // The stored fields of the class, in key order; false on a read error.
    bool readStored(const std::string& className, StoredFields& out);
    // Inside the transaction: renumbers from the stored list as it is now, invalidates what
    // uses a removed number and rewrites the class's field records. 0 or the failing code.
    int write(XRQW_FieldsQueue& queue, const std::string& className);
    int invalidate(const std::string& className, const std::vector<int32_t>& removed);
    int rewriteFields(const XRQW_FieldsQueue& queue, const std::string& className);
    void update(XRQW_FieldsQueue& queue, const std::string& className);

    QueryStore& store_;
};

}  // namespace qk
