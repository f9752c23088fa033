#include "querykit/qwizard/SavedElements.h"

namespace qk {

namespace {

// The 1-based position of the field numbered `pointer`, or -1.
int positionOf(const XRQW_FieldsQueue& fields, int32_t pointer) {
    if (pointer <= 0) return -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].FieldPointer == pointer) return static_cast<int>(i) + 1;
    }
    return -1;
}

int32_t pointerAt(const XRQW_FieldsQueue& fields, int position) {
    const XRQW_FieldEntry* f = fieldAt(fields, position);
    return f ? f->FieldPointer : -1;
}

}  // namespace

QueryElement SavedElements::fromRecord(const ElementRec& rec, const XRQW_FieldsQueue& fields,
                                       const ElementDisplay& display) {
    QueryElement e;
    e.fieldIndex = positionOf(fields, rec.FieldPointer);
    const XRQW_FieldEntry* field = fieldAt(fields, e.fieldIndex);
    e.conjunction = rec.Conjunction.clipped();
    e.opcode = rec.Opcode;
    e.value = rec.Value.clipped();
    e.isExpression = rec.Expression != 0;
    e.matchType = rec.MatchType != 0;
    if (field != nullptr) {
        e.source = field->Source.clipped();
        e.dataKind = field->DataKind;
        // A check box's operator follows its stored state.
        if (field->EntryKind == kCheckBox)
            e.opcode = e.value == "0" ? op::kNotChecked : op::kChecked;
    }
    if (rec.CmpPointer != 0) e.compareIndex = positionOf(fields, rec.CmpPointer);
    e.display = display.line(e);
    return e;
}

std::vector<QueryElement> SavedElements::load(QueryStore& store, int32_t queryNo,
                                              const XRQW_FieldsQueue& fields,
                                              const ElementDisplay& display) {
    std::vector<QueryElement> out;
    TableUse use(store, StoreTableId::Elements);
    if (!use) return out;
    ElementRec& rec = store.element();
    rec = ElementRec{};
    rec.QueryNo = queryNo;
    cdz::DataFile& file = store.file(StoreTableId::Elements);
    file.setAt(Keys::kElementsByQueryNo);
    while (file.next() == 0 && rec.QueryNo == queryNo)
        out.push_back(fromRecord(rec, fields, display));
    return out;
}

std::vector<ElementRec> SavedElements::toRecords(const std::vector<QueryElement>& elements,
                                                 const XRQW_FieldsQueue& fields) {
    std::vector<ElementRec> out;
    out.reserve(elements.size());
    for (const QueryElement& e : elements) {
        ElementRec rec;
        rec.FieldPointer = pointerAt(fields, e.fieldIndex);
        if (e.compareIndex != 0) rec.CmpPointer = pointerAt(fields, e.compareIndex);
        rec.Conjunction = e.conjunction;
        rec.Value = e.value;
        rec.MatchType = e.matchType ? 1 : 0;
        rec.Opcode = static_cast<uint8_t>(e.opcode);
        rec.Expression = e.isExpression ? 1 : 0;
        out.push_back(rec);
    }
    return out;
}

}  // namespace qk
