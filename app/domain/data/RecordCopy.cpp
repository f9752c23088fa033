#include "app/domain/data/RecordCopy.h"

namespace cdz {

RecordCopy RecordCopy::blank(const FileDecl& decl) {
    RecordCopy copy;
    copy.values_.resize(decl.columns().size());
    return copy;
}

RecordCopy RecordCopy::take(const FileDecl& decl, const void* record) {
    RecordCopy copy;
    copy.values_.reserve(decl.columns().size());
    for (const FieldDesc& f : decl.columns()) copy.values_.push_back(f.value(record));
    return copy;
}

void RecordCopy::restore(const FileDecl& decl, void* record) const {
    for (int c = 0; c < static_cast<int>(values_.size()); ++c) restoreColumn(decl, c, record);
}

void RecordCopy::restoreColumn(const FileDecl& decl, int column, void* record) const {
    if (column < 0 || column >= static_cast<int>(values_.size()) ||
        column >= static_cast<int>(decl.columns().size())) {
        return;
    }
    decl.columns()[static_cast<size_t>(column)].assign(record,
                                                       values_[static_cast<size_t>(column)]);
}

}  // namespace cdz
