// The library's own saved-query windows over its store.
#include "querykit/qwizard/QueryStore.h"
#include "querykit/qwizard/SavedQueryWindows.h"
#include "querykit/savedqueries/DeleteRequest.h"
#include "querykit/savedqueries/DescriptionForm.h"
#include "querykit/savedqueries/SavedQueryBrowse.h"

namespace qk {

namespace {

class LibrarySavedQueryWindows final : public SavedQueryWindows {
public:
    explicit LibrarySavedQueryWindows(QueryStore& store) : store_(store) {}

    BrowseOutcome browse(std::string_view className, bool allowJoin,
                         QueryRequest request) override {
        TableUse queries(store_, StoreTableId::Queries);
        if (!queries) return BrowseOutcome::Cancelled;
        return SavedQueryBrowse(store_, className, allowJoin, request == QueryRequest::Select)
            .run();
    }

    bool describe(QueryRequest request) override {
        switch (request) {
            case QueryRequest::Insert:
            case QueryRequest::Change:
                return DescriptionForm(store_, request).run();
            case QueryRequest::Delete:
                return deleteSavedQuery(store_, store_.query().QueryNo);
            case QueryRequest::Select:
                break;
        }
        return false;
    }

    JoinChoice askAppend() override { return static_cast<JoinChoice>(XR_QWASKAPPEND()); }

private:
    QueryStore& store_;
};

}  // namespace

std::unique_ptr<SavedQueryWindows> makeSavedQueryWindows(QueryStore& store) {
    return std::make_unique<LibrarySavedQueryWindows>(store);
}

}  // namespace qk
