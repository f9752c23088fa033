#pragma once
// The wizard's first two pages, each one list under its heading: the field the condition
// tests, then the operation. A double-click in the list acts as Next.
#include <functional>

#include "querykit/qwizard/WizardWidgets.h"

namespace qk {

class FieldPage final : public WizardPageView {
public:
    FieldPage(WizardFlow& flow, const DisplayTexts& texts, const std::function<void()>& next,
              QWidget* parent);

    // Selects the field of the condition being edited.
    void refresh();
    void take() override;
    QWidget* focusTarget() const override;

private:
    QListWidget* list_ = nullptr;
};

class OperationPage final : public WizardPageView {
public:
    OperationPage(WizardFlow& flow, const DisplayTexts& texts, const std::function<void()>& next,
                  QWidget* parent);

    // The operators the chosen field offers, the condition's own selected.
    void refresh();
    void take() override;
    QWidget* focusTarget() const override;

private:
    QListWidget* list_ = nullptr;
};

}  // namespace qk
