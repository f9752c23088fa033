// Placeholder until the saved-query windows exist: no saved query is offered, a new query is
// designed, nothing is joined, and a description is never asked (so nothing is saved).
#include "querykit/qwizard/QueryStore.h"
#include "querykit/qwizard/SavedQueryWindows.h"

namespace qk {

namespace {

class NoSavedQueryWindows final : public SavedQueryWindows {
public:
    BrowseOutcome browse(std::string_view, bool, QueryRequest) override {
        return BrowseOutcome::Insert;
    }
    bool describe(QueryRequest) override { return false; }
    JoinChoice askAppend() override { return JoinChoice::None; }
};

}  // namespace

std::unique_ptr<SavedQueryWindows> makeSavedQueryWindows(QueryStore&) {
    return std::make_unique<NoSavedQueryWindows>();
}

}  // namespace qk
