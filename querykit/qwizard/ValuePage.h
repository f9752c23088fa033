#pragma once
// The wizard's third page: the value the condition compares with, taken by the control the
// flow asks for (an entry, a drop list of choices, a check box or another field), with the
// value kinds, the field's lookup and the operation's option box. A change of kind or a lookup
// goes through the flow and then shows the wizard again.
#include <functional>

#include "querykit/qwizard/WizardWidgets.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

namespace cdz {
class Bindings;
}

namespace qk {

class ValuePage final : public WizardPageView {
public:
    struct Actions {
        std::function<void()> next;     // a double-click in the choices
        std::function<void()> changed;  // the flow changed: the wizard shows it again
    };

    ValuePage(WizardFlow& flow, const DisplayTexts& texts, const cdz::Bindings* bindings,
              Actions actions, QWidget* parent);

    // Shows the condition being edited with the controls its field and kind call for.
    void refresh();
    void take() override;
    // The first of the value's controls that shows.
    QWidget* focusTarget() const override;

private:
    void buildKinds(QVBoxLayout* v);
    void buildEntry(QVBoxLayout* v);
    void buildLists(QVBoxLayout* v);
    void buildOption(QVBoxLayout* v);
    void onKind(ValueKind kind);
    void onLookup();

    const cdz::Bindings* bindings_;
    Actions actions_;
    // The page's own refresh checks the kind buttons; that is not the user choosing a kind.
    bool refreshing_ = false;

    QLabel* caption_ = nullptr;
    QRadioButton* constantKind_ = nullptr;
    QRadioButton* otherFieldKind_ = nullptr;
    QRadioButton* expressionKind_ = nullptr;
    QLineEdit* entry_ = nullptr;
    QPushButton* lookupButton_ = nullptr;
    QLabel* choiceHeader_ = nullptr;
    QListWidget* choiceList_ = nullptr;
    QCheckBox* check_ = nullptr;
    QLabel* compareHeader_ = nullptr;
    QListWidget* compareList_ = nullptr;
    QCheckBox* optionBox_ = nullptr;
    QLabel* optionBeside_ = nullptr;
};

}  // namespace qk
