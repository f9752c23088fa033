#pragma once
// The description form's delete request: asks the standard delete question for a saved query
// and deletes it with its elements in one transaction, offering to try again when that fails.
#include <cstdint>

#include "querykit/qwizard/QueryStore.h"

namespace qk {

// True when the query was deleted; false when it does not exist, the user said no, or the
// delete failed and the user gave up.
QUERYKIT_API bool deleteSavedQuery(QueryStore& store, int32_t queryNo);

}  // namespace qk
