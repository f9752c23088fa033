#include "querykit/qwizard/FieldListUpdate.h"

#include <algorithm>
#include <memory>
#include <set>

#include "querykit/qwizard/BusyNotice.h"
#include "runtime/data/TableLock.h"
#include "runtime/data/Transaction.h"

namespace qk {

namespace err = cdz::err;

namespace {

constexpr std::string_view kUpdateTitle = "Field List Update Error";

std::string numbered(const cdz::ErrorState& e) {
    return std::to_string(e.code) + "-" + std::string(cdz::clip(e.text));
}

// The three table locks, taken in the store's fixed order. When one cannot be had, the ones
// held are let go and the round starts again.
int lockAll(QueryStore& store, std::vector<std::unique_ptr<cdz::TableLock>>& locks) {
    const StoreTableId order[] = {StoreTableId::Fields, StoreTableId::Queries,
                                  StoreTableId::Elements};
    for (StoreTableId id : order) {
        locks.push_back(std::make_unique<cdz::TableLock>(store.file(id)));
    }
    int code = 0;
    for (int attempt = 0; attempt < store.waits().lockAttempts; ++attempt) {
        code = 0;
        for (auto& lock : locks) {
            if ((code = lock->lock(store.waits().lockMs)) != 0) break;
        }
        if (code == 0) return 0;
        for (auto& lock : locks) lock->unlock();
    }
    return code;
}

}  // namespace

bool FieldListUpdate::readStored(const std::string& className, StoredFields& out) {
    out.clear();
    cdz::DataFile& fields = store_.file(StoreTableId::Fields);
    FieldRec& rec = store_.field();
    rec = FieldRec{};
    rec.ClassName = className;
    fields.setAt(Keys::kFieldsByClassName);
    while (fields.next() == 0 && rec.ClassName == className) {
        out.emplace_back(FieldKey{rec.FieldType, std::string(rec.FieldName.clipped())},
                         rec.FieldPointer);
    }
    const int code = store_.database().error().code;
    return code == 0 || code == err::kRecordNotAvailable;
}

void FieldListUpdate::run(XRQW_FieldsQueue& queue, std::string_view className) {
    Messages& messages = store_.messages();
    if (queue.size() > kMaxFields) {
        messages.show("Application Design Error",
                      "Error in Query Wizard XR_InitFieldsQueue Function|Too Many Fields "
                      "Declared in the Queue");
        queue.free();
        return;
    }
    if (queue.empty()) return;
    const std::string cls = storedClassName(className);
    {
        TableUse fields(store_, StoreTableId::Fields);
        if (!fields) return;
        FieldNumbering::assignSortOrder(queue.entries);
        StoredFields stored;
        const bool read = readStored(cls, stored);
        const Numbering numbering = FieldNumbering::assignPointers(queue.entries, stored);
        if (read && numbering.changed) update(queue, cls);
    }
    std::stable_sort(queue.begin(), queue.end(),
                     [](const auto& a, const auto& b) { return a.SortOrder < b.SortOrder; });
}

void FieldListUpdate::update(XRQW_FieldsQueue& queue, const std::string& className) {
    Messages& messages = store_.messages();
    TableUse queries(store_, StoreTableId::Queries);
    if (!queries) return;
    TableUse elements(store_, StoreTableId::Elements);
    if (!elements) return;
    BusyNotice notice(store_.texts().text(300));

    std::vector<std::unique_ptr<cdz::TableLock>> locks;
    if (lockAll(store_, locks) != 0) {
        messages.show(kUpdateTitle, "Error Locking Query Wizard Data Files|ERROR - " +
                                        std::string(cdz::clip(store_.database().error().text)));
        return;
    }
    cdz::Database& db = store_.database();
    cdz::Transaction transaction(
        db,
        {&store_.file(StoreTableId::Fields), &store_.file(StoreTableId::Queries),
         &store_.file(StoreTableId::Elements)},
        store_.waits().updateMs);
    if (transaction.began() != 0) {
        messages.show(kUpdateTitle, "Error Starting Transaction: " + numbered(db.error()));
        return;
    }
    if (write(queue, className) != 0) {
        transaction.rollback();
        messages.show(kUpdateTitle, "Error Writing Transaction: " + numbered(db.error()));
        return;
    }
    if (transaction.commit() != 0) {
        messages.show(kUpdateTitle, "Error Committing Transaction: " + numbered(db.error()));
    }
}

int FieldListUpdate::write(XRQW_FieldsQueue& queue, const std::string& className) {
    StoredFields stored;
    if (!readStored(className, stored)) return store_.database().error().code;
    const Numbering numbering = FieldNumbering::assignPointers(queue.entries, stored);
    if (int code = invalidate(className, numbering.removed)) return code;
    return rewriteFields(queue, className);
}

int FieldListUpdate::invalidate(const std::string& className, const std::vector<int32_t>& removed) {
    if (removed.empty()) return 0;
    cdz::Database& db = store_.database();
    cdz::DataFile& queries = store_.file(StoreTableId::Queries);
    cdz::DataFile& elements = store_.file(StoreTableId::Elements);
    QueryRec& query = store_.query();
    ElementRec& element = store_.element();
    auto gone = [&](int32_t pointer) {
        return std::binary_search(removed.begin(), removed.end(), pointer);
    };
    auto readEnded = [&] {
        const int code = db.error().code;
        return code == 0 || code == err::kRecordNotAvailable ? 0 : code;
    };

    query = QueryRec{};
    query.ClassName = className;
    queries.setAt(Keys::kQueriesByClassName);
    while (queries.next() == 0 && query.ClassName == className) {
        const int32_t queryNo = query.QueryNo;
        bool changed = false;
        element = ElementRec{};
        element.QueryNo = queryNo;
        elements.setAt(Keys::kElementsByQueryNo);
        while (elements.next() == 0 && element.QueryNo == queryNo) {
            const bool field = gone(element.FieldPointer);
            const bool other = gone(element.CmpPointer);
            if (!field && !other) continue;
            if (field) element.FieldPointer = -1;
            if (other) element.CmpPointer = -1;
            if (int code = elements.put()) return code;
            changed = true;
        }
        if (int code = readEnded()) return code;
        if (changed) {
            query.Invalid = 1;
            if (int code = queries.put()) return code;
        }
    }
    return readEnded();
}

int FieldListUpdate::rewriteFields(const XRQW_FieldsQueue& queue, const std::string& className) {
    cdz::Database& db = store_.database();
    cdz::DataFile& fields = store_.file(StoreTableId::Fields);
    FieldRec& rec = store_.field();
    rec = FieldRec{};
    rec.ClassName = className;
    fields.setAt(Keys::kFieldsByClassName);
    while (fields.next() == 0 && rec.ClassName == className) {
        if (int code = fields.erase()) return code;
    }
    if (db.error().code != 0 && db.error().code != err::kRecordNotAvailable) {
        return db.error().code;
    }
    std::set<FieldKey> written;
    for (const XRQW_FieldEntry& e : queue) {
        FieldKey key = FieldNumbering::keyOf(e);
        if (!written.insert(key).second) continue;  // one record per field of the store
        rec = FieldRec{};
        rec.ClassName = className;
        rec.FieldType = key.type;
        rec.FieldName = key.name;
        rec.FieldPointer = e.FieldPointer;
        if (int code = fields.add()) return code;
    }
    return 0;
}

}  // namespace qk
