#include "runtime/data/RecordBindings.h"

namespace cdz {

void RecordBindings::bind(Bindings& bindings, const FileDecl& decl, void* record) {
    for (const auto& f : decl.columns()) {
        void* at = f.address(record);
        switch (f.type) {
            case FieldType::String:
                bindings.bind(f.label, static_cast<const TextField*>(at));
                break;
            case FieldType::Memo:
                bindings.bind(f.label, static_cast<const std::string*>(at));
                break;
            case FieldType::Byte:
                bindings.bind(f.label, static_cast<const uint8_t*>(at));
                break;
            case FieldType::Short:
                bindings.bind(f.label, static_cast<const int16_t*>(at));
                break;
            case FieldType::Long:
                bindings.bind(f.label, static_cast<const int32_t*>(at));
                break;
            case FieldType::Decimal:
                bindings.bindDecimal(f.label, static_cast<const int64_t*>(at), f.decimal);
                break;
        }
    }
}

bool RecordBindings::boundTo(const Bindings& bindings, std::string_view name,
                             const FieldDesc& column, void* record) {
    const ExprBinding* b = bindings.find(name);
    return b && b->kind != ExprBinding::Kind::Getter && b->address == column.address(record);
}

}  // namespace cdz
