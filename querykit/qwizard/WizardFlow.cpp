#include "querykit/qwizard/WizardFlow.h"

#include "querykit/qwizard/FilterText.h"
#include "runtime/expr/Expression.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace qk {

namespace {

constexpr int kTextOperators = op::kNotContains;
constexpr int kNumberOperators = op::kLessEqual;
constexpr int kChoiceWidth = 40;
constexpr int kTextPictureMax = 80;
constexpr int kExpressionWidth = 50;
constexpr int kNumberOptionSlot = 161;
constexpr int kTextOptionSlot = 162;

bool isTextOperator(int opcode) {
    return opcode >= op::kBeginsWith && opcode <= op::kNotContains;
}

}  // namespace

WizardFlow::WizardFlow(const XRQW_FieldsQueue& fields, const DisplayTexts& texts, bool noManual)
    : fields_(fields),
      texts_(texts),
      display_(fields, texts),
      noManual_(noManual),
      manualHidden_(noManual) {}

void WizardFlow::startNew() {
    elements_.assign({});
    selected_.reset();
    changing_ = false;
    joinPending_ = false;
    clearEdit();
    page_ = WizardPage::Field;
}

void WizardFlow::startElements(std::vector<QueryElement> elements) {
    startNew();
    if (elements.empty()) return;
    elements_.assign(std::move(elements));
    selected_ = 0;
    page_ = WizardPage::Query;
}

void WizardFlow::startManual(std::string text) {
    startNew();
    manualText_ = std::move(text);
    manualHidden_ = true;
    page_ = WizardPage::Manual;
}

void WizardFlow::select(std::size_t i) {
    if (i < elements_.size()) selected_ = i;
}

void WizardFlow::clearEdit() {
    edit_ = ConditionEdit{};
    caption_.clear();
}

int WizardFlow::operatorCount() const {
    const XRQW_FieldEntry* f = field();
    return f != nullptr && f->DataKind == kTextData ? kTextOperators : kNumberOperators;
}

void WizardFlow::next() {
    const XRQW_FieldEntry* f = field();
    switch (page_) {
        case WizardPage::Field:
            if (f == nullptr) return;
            if (f->EntryKind == kCheckBox) {
                caption_ = std::string(f->Label.clipped()) + " " + display_.operatorName(1);
                page_ = WizardPage::Value;
                return;
            }
            if (edit_.opcode < 1 || edit_.opcode > operatorCount()) edit_.opcode = op::kEqual;
            page_ = WizardPage::Operation;
            return;
        case WizardPage::Operation:
            if (edit_.opcode < 1 || edit_.opcode > op::kLast) edit_.opcode = op::kEqual;
            caption_ =
                std::string(f->Label.clipped()) + " " + display_.operatorName(edit_.opcode) + " ";
            page_ = WizardPage::Value;
            return;
        case WizardPage::Value:
            storeCondition();
            page_ = WizardPage::Query;
            return;
        default:
            return;
    }
}

void WizardFlow::storeCondition() {
    const XRQW_FieldEntry* f = field();
    if (f == nullptr) return;
    QueryElement e;
    e.fieldIndex = edit_.field;
    e.source = f->Source.clipped();
    e.dataKind = f->DataKind;
    e.opcode = edit_.opcode;
    e.matchType = optionSlot() != 0 && edit_.option;
    switch (edit_.kind) {
        case ValueKind::Constant:
            if (f->EntryKind == kCheckBox) {
                e.value = edit_.checked ? "1" : "0";
                e.opcode = edit_.checked ? op::kChecked : op::kNotChecked;
            } else {
                e.value = f->EntryKind == kDropList ? edit_.choice : edit_.typed;
                if (f->DataKind == kTextData && f->Size > 0) {
                    e.value = cdz::cutChars(e.value, f->Size);
                }
            }
            break;
        case ValueKind::OtherField: {
            const XRQW_FieldEntry* other = fieldAt(fields_, edit_.otherField);
            if (other == nullptr) return;
            e.value = other->Source.clipped();
            e.compareIndex = edit_.otherField;
            break;
        }
        case ValueKind::Expression:
            e.value = edit_.typed;
            e.isExpression = true;
            break;
    }
    if (f->DataKind == kNumberData && cdz::clip(e.value).empty()) e.value = "0";
    e.value = cdz::cutChars(e.value, kValueWidth);
    e.display = display_.line(e);
    if (changing_ && selected_) {
        elements_.change(*selected_, std::move(e));
    } else {
        selected_ = elements_.add(std::move(e));
    }
    changing_ = false;
    joinPending_ = false;
}

void WizardFlow::back() {
    if (page_ == WizardPage::Operation) {
        page_ = WizardPage::Field;
    } else if (page_ == WizardPage::Value) {
        const XRQW_FieldEntry* f = field();
        page_ =
            f != nullptr && f->EntryKind == kCheckBox ? WizardPage::Field : WizardPage::Operation;
    }
}

bool WizardFlow::cancel() {
    if (page_ == WizardPage::Query || elements_.empty()) return true;
    if (joinPending_) elements_.clearLastConjunction();
    joinPending_ = false;
    changing_ = false;
    if (page_ == WizardPage::Manual) manualHidden_ = noManual_;
    page_ = WizardPage::Query;
    return false;
}

void WizardFlow::join(std::string_view conjunction) {
    if (elements_.empty()) return;
    elements_.setLastConjunction(conjunction);
    changing_ = false;
    joinPending_ = true;
    clearEdit();
    page_ = WizardPage::Field;
}

void WizardFlow::change() {
    if (!selected_ || *selected_ >= elements_.size()) return;
    const QueryElement& e = elements_.at(*selected_);
    if (clickOnConjunction_) {
        elements_.toggleConjunction(*selected_);
        return;
    }
    clearEdit();
    edit_.field = fieldAt(fields_, e.fieldIndex) ? e.fieldIndex : 1;
    edit_.opcode = e.opcode;
    edit_.kind = e.valueKind();
    edit_.option = e.matchType;
    if (edit_.kind == ValueKind::OtherField) {
        edit_.otherField = e.compareIndex > 0 ? e.compareIndex : 1;
    } else {
        edit_.typed = e.value;
        edit_.choice = cdz::cutChars(e.value, kChoiceWidth);
        edit_.checked = e.value != "0";
    }
    changing_ = true;
    page_ = WizardPage::Field;
}

void WizardFlow::remove() {
    if (clickOnConjunction_ || !selected_ || *selected_ >= elements_.size()) return;
    elements_.remove(*selected_);
    if (elements_.empty()) {
        selected_.reset();
        changing_ = false;
        joinPending_ = false;
        clearEdit();
        page_ = WizardPage::Field;
        return;
    }
    if (*selected_ >= elements_.size()) selected_ = elements_.size() - 1;
}

void WizardFlow::manual() {
    if (!elements_.empty()) manualText_ = FilterText::generate(elements_.elements());
    manualHidden_ = true;
    page_ = WizardPage::Manual;
}

void WizardFlow::setValueKind(ValueKind kind) {
    if (kind == edit_.kind) return;
    edit_.kind = kind;
    edit_.typed.clear();
    edit_.choice.clear();
}

void WizardFlow::lookup(const cdz::Bindings* bindings) {
    const XRQW_FieldEntry* f = field();
    if (f == nullptr || f->Lookup.empty() || bindings == nullptr) return;
    cdz::Expression e;
    if (!e.compile(f->Lookup.clipped(), *bindings)) return;
    const std::string result = e.evaluate().toText();
    if (!cdz::clip(result).empty()) edit_.typed = cdz::cutChars(result, kValueWidth);
}

ValueControl WizardFlow::valueControl() const {
    if (edit_.kind == ValueKind::OtherField) return ValueControl::FieldList;
    if (edit_.kind == ValueKind::Expression) return ValueControl::Entry;
    const XRQW_FieldEntry* f = field();
    if (f != nullptr && f->EntryKind == kCheckBox) return ValueControl::CheckBox;
    if (f != nullptr && f->EntryKind == kDropList) return ValueControl::DropList;
    return ValueControl::Entry;
}

std::string WizardFlow::valuePicture() const {
    if (edit_.kind == ValueKind::Expression) return "@S" + std::to_string(kExpressionWidth);
    const XRQW_FieldEntry* f = field();
    if (f == nullptr) return "@S" + std::to_string(kValueWidth);
    if (isTextOperator(edit_.opcode)) {
        return "@S" + std::to_string(f->Size > kTextPictureMax ? kTextPictureMax : f->Size);
    }
    return std::string(f->Picture.clipped());
}

int WizardFlow::optionSlot() const {
    const ValueControl c = valueControl();
    if (c == ValueControl::DropList || c == ValueControl::CheckBox) return 0;
    const XRQW_FieldEntry* f = field();
    return f != nullptr && f->DataKind == kTextData ? kTextOptionSlot : kNumberOptionSlot;
}

bool WizardFlow::lookupShown() const {
    const XRQW_FieldEntry* f = field();
    return edit_.kind == ValueKind::Constant && valueControl() == ValueControl::Entry &&
           f != nullptr && !f->Lookup.empty();
}

std::vector<std::string> WizardFlow::choices() const {
    std::vector<std::string> out;
    const XRQW_FieldEntry* f = field();
    if (f == nullptr) return out;
    std::string_view rest = f->Choices.clipped();
    while (!rest.empty()) {
        const auto bar = rest.find('|');
        out.emplace_back(rest.substr(0, bar));
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
    return out;
}

std::size_t WizardFlow::choiceRow() const {
    const std::vector<std::string> all = choices();
    const std::string want = cdz::foldCase(cdz::clip(edit_.choice));
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (cdz::foldCase(all[i]).starts_with(want)) return i;
    }
    return 0;
}

std::string WizardFlow::finishText() const {
    if (page_ == WizardPage::Manual) return manualText_;
    return FilterText::generate(elements_.elements());
}

}  // namespace qk
