#pragma once
// A copy of every field and memo of one record buffer, taken through the file's declaration:
// what a form compares a changed record with, and what the Ditto key recalls.
#include <vector>

#include "runtime/data/FileDecl.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class RecordCopy {
public:
    RecordCopy() = default;
    // A cleared record of the file: restoring it clears every field and memo.
    static RecordCopy blank(const FileDecl& decl);
    static RecordCopy take(const FileDecl& decl, const void* record);

    void restore(const FileDecl& decl, void* record) const;
    // One column (field or memo, by its index in the declaration) back into the record.
    void restoreColumn(const FileDecl& decl, int column, void* record) const;

    bool empty() const { return values_.empty(); }
    bool operator==(const RecordCopy&) const = default;

private:
    SqlValues values_;
};

}  // namespace cdz
