#include "app/domain/data/AddWizardRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

const FileDecl& AddWizardRecord::declaration() {
    using R = AddWizardRecord;
    static const FileDecl decl = FileDeclBuilder<R>("AddWizard", "AW", "CDZAdWiz", 73)
                                     .field<&R::Instance>("Instance")
                                     .field<&R::Side>("Side")
                                     .field<&R::Track>("Track")
                                     .field<&R::Artist>("Artist")
                                     .field<&R::Title>("Title")
                                     .field<&R::Time>("Time")
                                     .key("KeyInstance", {"Instance", "Side", "Track"}, kPrimary)
                                     .build();
    return decl;
}

}  // namespace cdz
