#pragma once
// The wizard's pages without widgets: which page follows which, what the value page offers for
// the field and value kind chosen, the condition being edited, and the edits of the condition
// list (AND, OR, Change, Delete, Manual). The window only shows this state and passes the
// user's choices in.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "querykit/qwizard/DisplayTexts.h"
#include "querykit/qwizard/ElementDisplay.h"
#include "querykit/qwizard/ElementQueue.h"

namespace cdz {
class Bindings;
}

namespace qk {

enum class WizardPage { Field = 1, Operation = 2, Value = 3, Query = 4, Manual = 5 };

// What the value page shows to take the value.
enum class ValueControl { Entry, DropList, CheckBox, FieldList };

// The condition being designed or changed.
struct ConditionEdit {
    int field = 1;  // position in the fields queue
    int opcode = op::kEqual;
    ValueKind kind = ValueKind::Constant;
    std::string typed;   // the value typed (stored form), up to 80 characters
    std::string choice;  // the drop-list choice, up to 40 characters
    bool checked = false;
    bool option = false;
    int otherField = 1;  // position of the other field
};

class QUERYKIT_API WizardFlow {
public:
    WizardFlow(const XRQW_FieldsQueue& fields, const DisplayTexts& texts, bool noManual);

    // How the wizard begins: a new query on page 1; a saved query's conditions on page 4 (page
    // 1 when it has none); a manual text on page 5 with manual entry not offered again.
    void startNew();
    void startElements(std::vector<QueryElement> elements);
    void startManual(std::string text);

    WizardPage page() const { return page_; }
    ConditionEdit& edit() { return edit_; }
    const ConditionEdit& edit() const { return edit_; }
    const ElementQueue& elements() const { return elements_; }
    const XRQW_FieldsQueue& fields() const { return fields_; }
    const ElementDisplay& display() const { return display_; }
    std::optional<std::size_t> selected() const { return selected_; }
    void select(std::size_t i);
    // Whether the last click in the condition list was on its joining-word column.
    void setClickOnConjunction(bool on) { clickOnConjunction_ = on; }
    const std::string& manualText() const { return manualText_; }
    void setManualText(std::string text) { manualText_ = std::move(text); }

    // ---- Buttons ----
    void next();
    void back();
    // True when the wizard closes as cancelled; otherwise the condition being edited is given
    // up and the condition list shows again.
    bool cancel();
    void join(std::string_view conjunction);  // AND or OR
    void change();
    void remove();
    void manual();
    void setValueKind(ValueKind kind);
    // Runs the field's lookup expression; a result that is not blank becomes the value.
    void lookup(const cdz::Bindings* bindings);

    // ---- What is shown ----
    bool backVisible() const { return page_ <= WizardPage::Value; }
    bool backEnabled() const { return page_ != WizardPage::Field; }
    bool nextVisible() const { return page_ <= WizardPage::Value; }
    bool finishVisible() const { return !nextVisible(); }  // and then the default button
    bool manualVisible() const { return !manualHidden_; }
    const XRQW_FieldEntry* field() const { return fieldAt(fields_, edit_.field); }
    // Operators the field offers (1 to this count, by number).
    int operatorCount() const;
    // The value page's heading: the field and operator chosen.
    const std::string& caption() const { return caption_; }
    ValueControl valueControl() const;
    // The picture that limits the typed value.
    std::string valuePicture() const;
    // The display-text slot of the option box, 0 when none is shown.
    int optionSlot() const;
    bool lookupShown() const;
    std::vector<std::string> choices() const;
    // The row of the first choice that begins with the current value.
    std::size_t choiceRow() const;

    // The text Finish uses: generated from the conditions, or the one typed on page 5.
    std::string finishText() const;
    bool finishIsManual() const { return page_ == WizardPage::Manual; }

private:
    void storeCondition();
    void clearEdit();

    const XRQW_FieldsQueue& fields_;
    const DisplayTexts& texts_;
    ElementDisplay display_;
    bool noManual_;
    bool manualHidden_;
    WizardPage page_ = WizardPage::Field;
    ConditionEdit edit_;
    ElementQueue elements_;
    std::optional<std::size_t> selected_;
    bool changing_ = false;     // the pages rewrite the selected condition
    bool joinPending_ = false;  // the last condition's AND or OR waits for the new one
    bool clickOnConjunction_ = false;
    std::string caption_;
    std::string manualText_;
};

}  // namespace qk
