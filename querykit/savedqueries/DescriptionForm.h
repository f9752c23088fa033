#pragma once
// The description form of a saved query, over the store's query buffer. Adding: the record is
// added (numbered) before the window opens, OK rewrites it, and a form that ends cancelled
// removes it again. Changing: the record is re-read under the change watch, and OK rewrites it
// in a transaction, telling the user when another station changed it meanwhile.
#include "querykit/qwizard/QueryStore.h"
#include "querykit/qwizard/SavedQueryWindows.h"
#include "querykit/savedqueries/StatusDialog.h"

class QLineEdit;

namespace qk {

class DescriptionForm final : public StatusDialog {
public:
    // request is Insert or Change.
    DescriptionForm(QueryStore& store, QueryRequest request, QWidget* parent = nullptr);

    // Runs the form; true when the record was written. Afterwards the buffer holds the record
    // written, or, when cancelled, the record as the form was given it.
    bool run();

    // OK: a description is required; then the record is written.
    void accept() override;
    // Cancel, Escape or closing: with a changed description, whether to save is asked first.
    void reject() override;

private:
    bool adding() const { return request_ == QueryRequest::Insert; }
    // Re-reads the record being changed under the change watch, keeping the buffer's values.
    bool watchStored();
    // Whether the record was written; if not, whether the form stays open or ends cancelled.
    enum class Written { Yes, Stay, GiveUp };
    Written write();
    Written writeChange();

    QueryStore& store_;
    QueryRequest request_;
    QueryRec given_;   // the buffer as the form was called
    QueryRec stored_;  // the record being changed, as last read from the store
    QLineEdit* edit_ = nullptr;
};

}  // namespace qk
