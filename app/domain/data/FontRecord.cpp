#include "app/domain/data/FontRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

// A font description is stored once; a blank one may repeat, as the form reserves a font
// number with a still blank record.
const FileDecl& FontRecord::declaration() {
    using R = FontRecord;
    static const FileDecl decl =
        FileDeclBuilder<R>("Fonts", "FON", "cdzfont", 134)
            .field<&R::FontID>("FontID")
            .field<&R::TypeFace>("TypeFace")
            .field<&R::Size>("Size")
            .field<&R::Colour>("Colour")
            .field<&R::Style>("Style")
            .key("KeyFontID", {"FontID"}, kPrimary | kAutoNumber)
            .key("KeyTypeFace", {"TypeFace", "Size", "Colour", "Style"}, kUnique | kBlanksRepeat)
            .build();
    return decl;
}

}  // namespace cdz
