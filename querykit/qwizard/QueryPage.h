#pragma once
// The wizard's fourth page: the query's conditions with their joining words, and the buttons
// that edit the list (AND, OR, Change, Delete). An edit goes through the flow and then shows
// the wizard again, on whatever page the flow went to.
#include <functional>

#include "querykit/qwizard/WizardWidgets.h"

class QTreeWidget;

namespace qk {

class QueryPage final : public WizardPageView {
public:
    QueryPage(WizardFlow& flow, const DisplayTexts& texts, std::function<void()> changed,
              QWidget* parent);

    // The conditions again, the flow's selected one current.
    void refresh();
    QWidget* focusTarget() const override;

private:
    void onJoin(const char* conjunction);
    void onChange();
    void onDelete();

    std::function<void()> changed_;
    QTreeWidget* conditionList_ = nullptr;
};

}  // namespace qk
