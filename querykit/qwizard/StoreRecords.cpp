#include "querykit/qwizard/StoreRecords.h"

#include "runtime/data/FileDeclBuilder.h"
#include "runtime/text/Unicode.h"

namespace qk {

using cdz::FileDeclBuilder;

const cdz::FileDecl& queriesDecl() {
    static const cdz::FileDecl decl =
        FileDeclBuilder<QueryRec>("XRQW_Queries", "XRQW_QR", "QUERIES.TPS\\!XRQW_Queries", 1120)
            .field<&QueryRec::QueryNo>("QueryNo")
            .field<&QueryRec::ClassName>("ClassName")
            .field<&QueryRec::Description>("Description")
            .field<&QueryRec::Manual>("Manual")
            .field<&QueryRec::Invalid>("Invalid")
            .field<&QueryRec::QueryString>("QueryString")
            .key("ByQueryNo", {"QueryNo"}, cdz::kPrimary)
            .key("ByClassName", {"ClassName", "Description"})
            .build();
    return decl;
}

const cdz::FileDecl& elementsDecl() {
    static const cdz::FileDecl decl =
        FileDeclBuilder<ElementRec>("XRQW_Elements", "XRQW_EL", "QUERIES.TPS\\!XRQW_Elements", 98)
            .field<&ElementRec::QueryNo>("QueryNo")
            .field<&ElementRec::FieldPointer>("FieldPointer")
            .field<&ElementRec::CmpPointer>("CmpPointer")
            .field<&ElementRec::Conjunction>("Conjunction")
            .field<&ElementRec::Value>("Value")
            .field<&ElementRec::MatchType>("MatchType")
            .field<&ElementRec::Opcode>("Opcode")
            .field<&ElementRec::Expression>("Expression")
            .key("ByQueryNo", {"QueryNo"})
            .build();
    return decl;
}

const cdz::FileDecl& fieldsDecl() {
    static const cdz::FileDecl decl =
        FileDeclBuilder<FieldRec>("XRQW_Fields", "XRQW_FD", "QUERIES.TPS\\!XRQW_Fields", 113)
            .field<&FieldRec::ClassName>("ClassName")
            .field<&FieldRec::FieldType>("FieldType")
            .field<&FieldRec::FieldName>("FieldName")
            .field<&FieldRec::FieldPointer>("FieldPointer")
            .key("ByClassName", {"ClassName", "FieldType", "FieldName"})
            .build();
    return decl;
}

const cdz::FileDecl& oldElementsDecl() {
    static const cdz::FileDecl decl =
        FileDeclBuilder<OldElementRec>("OLDFILE", "OLDFILE", "QUERIES.TPS\\!XRQW_Elements", 137)
            .field<&OldElementRec::QueryNo>("QueryNo")
            .field<&OldElementRec::FieldPointer>("FieldPointer")
            .field<&OldElementRec::CmpPointer>("CmpPointer")
            .field<&OldElementRec::Conjunction>("Conjunction")
            .field<&OldElementRec::Value>("Value")
            .field<&OldElementRec::MatchType>("MatchType")
            .field<&OldElementRec::Operator>("Operator")
            .field<&OldElementRec::Expression>("Expression")
            .key("ByQueryNo", {"QueryNo"})
            .build();
    return decl;
}

std::string storedClassName(std::string_view className) {
    cdz::Text<30> stored(cdz::toUpper(cdz::clip(className)));
    return std::string(stored.clipped());
}

}  // namespace qk
