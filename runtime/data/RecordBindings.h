#pragma once
// Ties every field and memo of a declared file, by its label ("MUS:Artist"), to a record
// buffer of that file, so that an expression compiled against the bindings reads the buffer as
// it is when evaluated: how filters, ranges and lookups see the records a view reads.
#include "runtime/data/FileDecl.h"
#include "runtime/expr/Bindings.h"

namespace cdz {

class RecordBindings {
public:
    static void bind(Bindings& bindings, const FileDecl& decl, void* record);
    // True when `name` is bound to that column of that record (and not, say, to a variable of
    // the same name).
    static bool boundTo(const Bindings& bindings, std::string_view name, const FieldDesc& column,
                        void* record);
};

}  // namespace cdz
