#pragma once
// One run of the query wizard, from the saved-queries browse to the exit values: opening a
// saved query, the window, Finish (checking the text, the save question, saving with its
// description), joining the result to the caller's filter, and what the caller gets back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "querykit/qwizard/QueryElement.h"
#include "querykit/qwizard/SavedQueryWindows.h"
#include "querykit/qwizard/StoreRecords.h"

namespace cdz {
class Bindings;
class TextField;
}  // namespace cdz

namespace qk {

class DisplayTexts;
class Messages;
class QueryStore;

// What the host passed to the wizard.
struct WizardRequest {
    const XRQW_FieldsQueue* fields = nullptr;
    std::string_view className;
    cdz::TextField* filter = nullptr;       // the caller's filter in force; the result
    cdz::TextField* description = nullptr;  // optional
    bool noBrowse = false;
    bool noManual = false;
    int32_t openQueryNo = 0;
    bool allowCombine = false;
};

// The response values of a run.
inline constexpr int32_t kCancelled = 0;
inline constexpr int32_t kNotSaved = -1;
inline constexpr int32_t kCombined = -2;

class QUERYKIT_API WizardRun {
public:
    WizardRun(QueryStore& store, const DisplayTexts& texts, Messages& messages,
              const cdz::Bindings* bindings, SavedQueryWindows& windows)
        : store_(store),
          texts_(texts),
          messages_(messages),
          bindings_(bindings),
          windows_(windows) {}

    // Runs the wizard and writes the exit values into the request's filter and description;
    // returns the response.
    int32_t run(const WizardRequest& request);

private:
    struct Result {
        std::string text;
        std::string description;
        int32_t response = kCancelled;
    };

    int32_t openSaved(int32_t queryNo);
    bool restricted(const QueryRec& query);
    int32_t design(std::optional<QueryRec> opened);
    // Finish with a text: checks it, asks whether to save, saves. True when the wizard is done
    // (the result is set), false when the user stays in the wizard.
    bool finish(const std::string& text, bool manual, const std::vector<QueryElement>& elements);
    int32_t fromBrowse();
    // Saves the text; the saved query's number, or 0 when the user went back to the wizard.
    int32_t save(const std::string& text, bool manual, bool overwrite,
                 const std::vector<QueryElement>& elements);
    // Joins the result to the caller's filter; false (the result alone) when it does not fit.
    bool combine(std::string_view joiner);
    int32_t complete();

    QueryStore& store_;
    const DisplayTexts& texts_;
    Messages& messages_;
    const cdz::Bindings* bindings_;
    SavedQueryWindows& windows_;
    WizardRequest request_;
    std::optional<QueryRec> opened_;  // the saved query being edited
    Result result_;
};

}  // namespace qk
