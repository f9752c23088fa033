#include "querykit/savedqueries/DeleteRequest.h"

namespace qk {

bool deleteSavedQuery(QueryStore& store, int32_t queryNo) {
    TableUse queries(store, StoreTableId::Queries);
    if (!queries || !store.readQuery(queryNo)) return false;
    Messages& messages = store.messages();
    if (messages.warning(cdz::Warning::ConfirmDelete, store.database().error()) != cdz::Button::Ok)
        return false;
    for (;;) {
        if (store.deleteQuery(queryNo) == 0) return true;
        if (messages.warning(cdz::Warning::DeleteRetry, store.database().error()) !=
            cdz::Button::Yes)
            return false;
    }
}

}  // namespace qk
