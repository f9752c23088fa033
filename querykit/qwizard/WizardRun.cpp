#include "querykit/qwizard/WizardRun.h"

#include <QApplication>

#include "querykit/qwizard/FilterCombination.h"
#include "querykit/qwizard/FilterText.h"
#include "querykit/qwizard/QueryStore.h"
#include "querykit/qwizard/SavedElements.h"
#include "querykit/qwizard/WizardFlow.h"
#include "querykit/qwizard/WizardWindow.h"
#include "runtime/expr/Expression.h"
#include "runtime/text/Text.h"

namespace qk {

using cdz::Button;
using cdz::MessageIcon;

namespace {

// Display-text slots of the run's messages.
constexpr int kLoadErrorTitle = 31;
constexpr int kInvalidTitle = 33;
constexpr int kOverwriteTitle = 35;
constexpr int kNoLongerValidTitle = 37;
constexpr int kRestrictedTitle = 39;
constexpr int kSaveTitle = 41;
constexpr int kNewQueryTitle = 163;

}  // namespace

int32_t WizardRun::run(const WizardRequest& request) {
    request_ = request;
    opened_.reset();
    result_ = Result{};
    if (request.openQueryNo != 0) return openSaved(request.openQueryNo);
    if (request.noBrowse) return design(std::nullopt);
    return fromBrowse();
}

bool WizardRun::restricted(const QueryRec& query) {
    if (query.Manual == 0 || !request_.noManual) return false;
    messages_.show(texts_.text(kRestrictedTitle), texts_.text(kRestrictedTitle + 1));
    return true;
}

int32_t WizardRun::openSaved(int32_t queryNo) {
    std::optional<QueryRec> query;
    {
        TableUse queries(store_, StoreTableId::Queries);
        if (queries && store_.readQuery(queryNo)) query = store_.query();
    }
    if (!query) {
        messages_.show(texts_.text(kLoadErrorTitle), texts_.text(kLoadErrorTitle + 1));
        return kCancelled;
    }
    if (restricted(*query)) return kCancelled;
    return design(query);
}

int32_t WizardRun::fromBrowse() {
    const bool allowJoin = request_.allowCombine && !request_.filter->empty();
    const BrowseOutcome outcome =
        windows_.browse(request_.className, allowJoin, QueryRequest::Select);
    const QueryRec chosen = store_.query();
    switch (outcome) {
        case BrowseOutcome::Select:
        case BrowseOutcome::AndJoin:
        case BrowseOutcome::OrJoin:
            result_.text = chosen.QueryString.clipped();
            result_.description = chosen.Description.clipped();
            result_.response = chosen.QueryNo;
            if (outcome == BrowseOutcome::AndJoin) combine("AND");
            if (outcome == BrowseOutcome::OrJoin) combine("OR");
            return complete();
        case BrowseOutcome::Insert:
            return design(std::nullopt);
        case BrowseOutcome::Change:
            if (restricted(chosen)) return kCancelled;
            return design(chosen);
        case BrowseOutcome::Cancelled:
            break;
    }
    return kCancelled;
}

int32_t WizardRun::design(std::optional<QueryRec> opened) {
    opened_ = opened;
    WizardFlow flow(*request_.fields, texts_, request_.noManual);
    if (!opened) {
        flow.startNew();
    } else if (opened->Manual != 0) {
        flow.startManual(std::string(opened->QueryString.clipped()));
    } else {
        flow.startElements(
            SavedElements::load(store_, opened->QueryNo, *request_.fields, flow.display()));
    }
    WizardWindow window(flow, texts_, bindings_);
    const std::string title =
        opened ? std::string(opened->Description.clipped()) : texts_.text(kNewQueryTitle);
    window.setWindowTitle(QString::fromStdString(title));
    if (opened && opened->Invalid != 0) {
        window.setOpenedHandler([this] {
            QApplication::beep();
            messages_.show(texts_.text(kNoLongerValidTitle), texts_.text(kNoLongerValidTitle + 1));
        });
    }
    window.setFinishHandler([this, &flow](const std::string& text, bool manual) {
        return finish(text, manual, flow.elements().elements());
    });
    if (window.exec() != QDialog::Accepted) return kCancelled;
    if (request_.allowCombine && !request_.filter->empty()) {
        switch (windows_.askAppend()) {
            case JoinChoice::And:
                combine("AND");
                break;
            case JoinChoice::Or:
                combine("OR");
                break;
            case JoinChoice::None:
                break;
        }
    }
    return complete();
}

bool WizardRun::finish(const std::string& typed, bool manual,
                       const std::vector<QueryElement>& elements) {
    const std::string text(cdz::clip(cdz::cutChars(typed, FilterText::kWidth)));
    const cdz::Bindings none;
    if (cdz::Expression::check(text, bindings_ ? *bindings_ : none).failed()) {
        messages_.show(texts_.text(kInvalidTitle), texts_.text(kInvalidTitle + 1));
        return false;
    }
    cdz::Dialogs& dialogs = messages_.dialogs();
    const Button answer =
        dialogs.message(texts_.text(kSaveTitle), texts_.text(kSaveTitle + 1), MessageIcon::Question,
                        Button::Yes | Button::No | Button::Cancel, Button::No);
    if (answer == Button::Cancel) return false;
    if (answer != Button::Yes) {
        result_ = Result{text, text, kNotSaved};
        return true;
    }
    bool overwrite = false;
    if (opened_) {
        overwrite = dialogs.message(texts_.text(kOverwriteTitle), texts_.text(kOverwriteTitle + 1),
                                    MessageIcon::Question, Button::Yes | Button::No,
                                    Button::No) == Button::Yes;
    }
    const int32_t queryNo = save(text, manual, overwrite, elements);
    if (queryNo == 0) return false;
    result_ = Result{text, std::string(store_.query().Description.clipped()), queryNo};
    return true;
}

int32_t WizardRun::save(const std::string& text, bool manual, bool overwrite,
                        const std::vector<QueryElement>& elements) {
    TableUse queries(store_, StoreTableId::Queries);
    if (!queries) return 0;
    TableUse elementsTable(store_, StoreTableId::Elements);
    if (!elementsTable) return 0;
    QueryRec& rec = store_.query();
    if (overwrite) {
        if (!store_.readQuery(opened_->QueryNo)) {
            const cdz::ErrorState& e = store_.database().error();
            messages_.show("Query Restore Error",
                           "Error Retrieving Query File: " + std::to_string(e.code) + "-" +
                               std::string(cdz::clip(e.text)));
            return 0;
        }
    } else {
        rec = QueryRec{};
        rec.ClassName = storedClassName(request_.className);
    }
    rec.Manual = manual ? 1 : 0;
    rec.Invalid = 0;
    rec.QueryString = text;
    if (!windows_.describe(overwrite ? QueryRequest::Change : QueryRequest::Insert)) return 0;
    const int32_t queryNo = store_.query().QueryNo;
    // The query exists from now on: saving again saves over it.
    opened_ = store_.query();
    const std::vector<ElementRec> records =
        manual ? std::vector<ElementRec>{} : SavedElements::toRecords(elements, *request_.fields);
    if (store_.saveElements(queryNo, records, overwrite) != 0) return 0;
    return queryNo;
}

bool WizardRun::combine(std::string_view joiner) {
    const cdz::TextField* d = request_.description;
    const std::string added =
        result_.response > 0 ? result_.description : std::string(FilterCombination::kUnsaved);
    const CombinedFilter c = FilterCombination::combine(
        request_.filter->clipped(), result_.text, joiner, request_.filter->width(),
        d ? d->clipped() : std::string_view{}, added, d ? d->width() : 0);
    if (!c.fits) {
        messages_.show(FilterCombination::kTooSmallTitle, FilterCombination::kTooSmallText);
        return false;
    }
    result_ = Result{c.filter, c.description, kCombined};
    return true;
}

int32_t WizardRun::complete() {
    *request_.filter = result_.text;
    if (request_.description) *request_.description = result_.description;
    return result_.response;
}

}  // namespace qk
