#include "app/domain/data/ConfigurationRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

const FileDecl& ConfigurationRecord::declaration() {
    using R = ConfigurationRecord;
    static const FileDecl decl = FileDeclBuilder<R>("Configuration", "CF", "CDZConf", 120)
                                     .field<&R::DataType>("DataType")
                                     .field<&R::DataValue>("DataValue")
                                     .key("KeyDataType", {"DataType"}, kUnique)
                                     .encrypted()
                                     .build();
    return decl;
}

}  // namespace cdz
