#include "app/domain/data/MediaRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

const FileDecl& MediaRecord::declaration() {
    using R = MediaRecord;
    static const FileDecl decl = FileDeclBuilder<R>("Media", "MED", "cdzmedia", 20)
                                     .field<&R::Media>("Media")
                                     .key("KeyMedia", {"Media"}, kUnique)
                                     .build();
    return decl;
}

}  // namespace cdz
