#include "querykit/qwizard/QueryStore.h"

#include <filesystem>
#include <limits>

#include "querykit/qwizard/ElementsConversion.h"
#include "querykit/qwizard/OpenRoutine.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/Transaction.h"

namespace qk {

using cdz::Button;
namespace err = cdz::err;

namespace {

// "<number>-<runtime text>", as the store's failure messages end.
std::string numbered(const cdz::ErrorState& e) {
    return std::to_string(e.code) + "-" + std::string(cdz::clip(e.text));
}

}  // namespace

QueryStore::QueryStore(StoreNames& names, Messages& messages, const DisplayTexts& texts)
    : names_(names),
      messages_(messages),
      texts_(texts),
      db_(std::filesystem::path{}),
      queries_(db_, queriesDecl(), query_),
      elements_(db_, elementsDecl(), element_),
      fields_(db_, fieldsDecl(), field_),
      files_{&queries_, &elements_, &fields_} {}

QueryStore::~QueryStore() {
    for (auto* f : files_) f->close();
}

int QueryStore::use(StoreTableId id, int mode) {
    int& users = users_[index(id)];
    if (users > 0) {
        ++users;
        return 0;
    }
    if (!names_.built()) names_.build();
    if (db_.attachedCount() == 0) {
        // A relative store name lives in the folder that is current when the store is opened.
        std::error_code ec;
        auto here = std::filesystem::current_path(ec);
        if (!ec) db_.setFolder(here);
    }
    cdz::DataFile& f = file(id);
    f.setName(names_.table(id));
    OpenRoutine routine(messages_);
    const int code = id == StoreTableId::Elements
                         ? routine.open(f, mode, [this] { convertElements(); })
                         : routine.open(f, mode);
    if (code == 0) users = 1;
    return code;
}

void QueryStore::release(StoreTableId id) {
    int& users = users_[index(id)];
    if (users > 0 && --users == 0) file(id).close();
}

void QueryStore::convertElements() {
    ElementsConversion(db_, elements_, messages_, texts_).run();
}

bool QueryStore::readQuery(int32_t queryNo) {
    query_ = QueryRec{};
    query_.QueryNo = queryNo;
    if (queryNo != 0 && queries_.get(Keys::kQueriesByQueryNo) == 0) return true;
    query_ = QueryRec{};
    return false;
}

int QueryStore::abandon() {
    const cdz::ErrorGuard keep(db_.error());
    db_.rollback();
    return keep.saved().code;
}

int QueryStore::addQuery() {
    TableUse use(*this, StoreTableId::Queries);
    if (!use) return use.code();
    const QueryRec wanted = query_;
    for (;;) {
        for (int attempt = 0; attempt < waits_.numberAttempts; ++attempt) {
            int32_t number = 1;
            if (queries_.set(Keys::kQueriesByQueryNo) == 0 && queries_.previous() == 0) {
                if (query_.QueryNo == std::numeric_limits<int32_t>::max()) {
                    db_.fail(err::kDuplicateKey);  // no number is left above it
                    continue;
                }
                number = query_.QueryNo + 1;
            } else if (db_.error().code != err::kRecordNotAvailable) {
                continue;  // a failed read is a failed attempt
            }
            query_ = wanted;
            query_.QueryNo = number;
            if (queries_.add() == 0) return 0;
        }
        const cdz::ErrorState failed = db_.error();
        query_ = wanted;
        if (messages_.warning(cdz::Warning::AutoNumberError, failed) != Button::Retry) {
            db_.error() = failed;
            return failed.code;
        }
    }
}

int QueryStore::deleteQuery(int32_t queryNo) {
    TableUse queries(*this, StoreTableId::Queries);
    if (!queries) return queries.code();
    TableUse elements(*this, StoreTableId::Elements);
    if (!elements) return elements.code();
    // A failure leaves the transaction's scope, which rolls it back keeping the cause.
    cdz::Transaction transaction(db_, {&queries_, &elements_}, waits_.deleteMs);
    if (int code = transaction.began()) return code;
    element_ = ElementRec{};
    element_.QueryNo = queryNo;
    elements_.setAt(Keys::kElementsByQueryNo);
    while (elements_.next() == 0 && element_.QueryNo == queryNo) {
        if (elements_.erase() != 0) return db_.error().code;
    }
    if (db_.error().code != 0 && db_.error().code != err::kRecordNotAvailable) {
        return db_.error().code;
    }
    if (!readQuery(queryNo) || queries_.erase() != 0) return db_.error().code;
    return transaction.commit();
}

int QueryStore::saveElements(int32_t queryNo, const std::vector<ElementRec>& elements,
                             bool changed) {
    TableUse use(*this, StoreTableId::Elements);
    if (!use) return use.code();
    constexpr std::string_view kTitle = "Query Save Error";
    cdz::Transaction transaction(db_, {&elements_}, waits_.saveMs);
    if (transaction.began() != 0) {
        const cdz::ErrorState e = db_.error();
        messages_.show(kTitle, "Error Starting Transaction: " + numbered(e));
        return e.code;
    }
    auto writeFailed = [&] {
        const int code = db_.error().code;
        transaction.rollback();
        messages_.show(kTitle, "Error Writing Query: " + numbered(db_.error()));
        return code;
    };
    if (changed) {
        element_ = ElementRec{};
        element_.QueryNo = queryNo;
        elements_.setAt(Keys::kElementsByQueryNo);
        while (elements_.next() == 0 && element_.QueryNo == queryNo) {
            if (elements_.erase() != 0) return writeFailed();
        }
        if (db_.error().code != 0 && db_.error().code != err::kRecordNotAvailable) {
            return writeFailed();
        }
    }
    for (const ElementRec& e : elements) {
        element_ = e;
        element_.QueryNo = queryNo;
        if (elements_.add() != 0) return writeFailed();
    }
    if (transaction.commit() != 0) {
        const cdz::ErrorState e = db_.error();
        messages_.show(kTitle, "Error Committing Transaction: " + numbered(e));
        return e.code;
    }
    return 0;
}

int QueryStore::changeQuery() {
    TableUse use(*this, StoreTableId::Queries);
    if (!use) return use.code();
    cdz::Transaction transaction(db_, {&queries_}, waits_.changeMs);
    if (int code = transaction.began()) return code;
    if (queries_.put() != 0) return db_.error().code;
    return transaction.commit();
}

}  // namespace qk
