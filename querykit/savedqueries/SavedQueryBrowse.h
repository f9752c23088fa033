#pragma once
// The browse of a class's saved queries: choose one to run (Select), to join to the query in
// force (AND Join, OR Join) or to edit (Change), ask for a new one (Insert), or delete one. The
// chosen query is left in the store's query buffer.
#include <string>

#include "querykit/qwizard/QueryStore.h"
#include "querykit/qwizard/SavedQueryWindows.h"
#include "querykit/savedqueries/StatusDialog.h"

class QKeyEvent;
class QPushButton;
class QTreeView;

namespace qk {

class SavedQueryList;

class SavedQueryBrowse final : public StatusDialog {
public:
    // Rows read at a time from the store.
    static constexpr int kPageRows = 20;

    // The queries table must be in use for the browse's life.
    SavedQueryBrowse(QueryStore& store, std::string_view className, bool allowJoin, bool selectMode,
                     QWidget* parent = nullptr);

    // Shows the browse modally until it ends.
    BrowseOutcome run();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Ends with the highlighted query re-read into the buffer; an invalid query is refused for
    // running or joining (the user is told and the browse stays).
    void choose(BrowseOutcome outcome);
    void deleteHighlighted();
    void showPopup();
    void refreshButtons();
    // Moves to the first description beginning with the typed text.
    void locate();
    void highlight(int row);
    int currentRow() const;
    bool keyPressed(const QKeyEvent& key);

    QueryStore& store_;
    bool selectMode_;
    SavedQueryList* list_;
    QTreeView* view_;
    QPushButton* select_;
    QPushButton* andJoin_;
    QPushButton* orJoin_;
    QPushButton* insert_;
    QPushButton* change_;
    QPushButton* delete_;
    QPushButton* close_;
    QString locator_;
};

}  // namespace qk
