#include "app/domain/data/CategoryRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

// Blank names may repeat: the form reserves a category number with a still blank record.
const FileDecl& CategoryRecord::declaration() {
    using R = CategoryRecord;
    static const FileDecl decl = FileDeclBuilder<R>("Categories", "CAT", "CDZCAT", 36)
                                     .field<&R::CategoryID>("CategoryID")
                                     .field<&R::Category>("Category")
                                     .key("KeyCategoryID", {"CategoryID"}, kPrimary | kAutoNumber)
                                     .key("KeyCategory", {"Category"}, kUnique | kBlanksRepeat)
                                     .build();
    return decl;
}

}  // namespace cdz
