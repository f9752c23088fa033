// The two question windows the library exports: how to begin, and whether a new query joins
// the previous one.
#include "querykit/querykit.h"
#include "querykit/qwizard/SavedQueryWindows.h"
#include "querykit/savedqueries/ChoiceDialog.h"

uint8_t XR_QWPREACTION() {
    qk::ChoiceDialog dialog("QueryOptions", "Query Options", "Please Select a Query Option",
                            {{"&Select a Previously Saved Query", "SelectSavedButton", 1},
                             {"&Create a New Query", "CreateNewButton", 2},
                             {"&Do Not Apply a Query", "NoQueryButton", 3}});
    return dialog.ask();
}

uint8_t XR_QWASKAPPEND() {
    using qk::JoinChoice;
    qk::ChoiceDialog dialog(
        "CombineQueries", "Combine Queries", "Please Select a Query Option",
        {{"&Do Not Join to Previous Query", "NoJoinButton", static_cast<uint8_t>(JoinChoice::None)},
         {"&AND Join to Previous Query", "AndJoinButton", static_cast<uint8_t>(JoinChoice::And)},
         {"&OR Join to Previous Query", "OrJoinButton", static_cast<uint8_t>(JoinChoice::Or)}});
    return dialog.ask();
}
