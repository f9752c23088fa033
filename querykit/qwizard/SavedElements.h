#pragma once
// A saved query's conditions between the store and the wizard: loading finds each condition's
// fields by their persistent numbers in the host's queue (a field gone stays a condition that
// shows "?????"), saving writes the fields' numbers back.
#include <cstdint>
#include <vector>

#include "querykit/qwizard/ElementDisplay.h"
#include "querykit/qwizard/QueryElement.h"
#include "querykit/qwizard/QueryStore.h"

namespace qk {

class QUERYKIT_API SavedElements {
public:
    // The conditions of saved query `queryNo` in their order, each with its display line.
    // Empty when the elements table cannot be opened (the user was told).
    static std::vector<QueryElement> load(QueryStore& store, int32_t queryNo,
                                          const XRQW_FieldsQueue& fields,
                                          const ElementDisplay& display);

    // One condition from its stored record.
    static QueryElement fromRecord(const ElementRec& rec, const XRQW_FieldsQueue& fields,
                                   const ElementDisplay& display);

    // The records that save the conditions (QueryNo left for the store to set).
    static std::vector<ElementRec> toRecords(const std::vector<QueryElement>& elements,
                                             const XRQW_FieldsQueue& fields);
};

}  // namespace qk
