#include "app/domain/data/LabelRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

// Blank names may repeat: the form reserves a label number with a still blank record.
const FileDecl& LabelRecord::declaration() {
    using R = LabelRecord;
    static const FileDecl decl =
        FileDeclBuilder<R>("Labels", "LAB", "cdzlabel", 602)
            .field<&R::LabelID>("LabelID")
            .field<&R::LabelDescription>("LabelDescription")
            .field<&R::LabelType>("LabelType")
            .field<&R::AlbumID>("AlbumID")
            .field<&R::CDSpine>("CDSpine")
            .field<&R::CDSpineFontID>("CDSpineFontID")
            .field<&R::CDTitle>("CDTitle")
            .field<&R::CDTitleFontID>("CDTitleFontID")
            .field<&R::CDCoverTextFontID>("CDCoverTextFontID")
            .field<&R::CDInsideTextFontID>("CDInsideTextFontID")
            .field<&R::CDSpineJustification>("CDSpineJustification")
            .field<&R::CDTextJustification>("CDTextJustification")
            .field<&R::CDBackCoverJustification>("CDBackCoverJustification")
            .field<&R::CassetteFlapFontID>("CassetteFlapFontID")
            .field<&R::CassetteTitleFontID>("CassetteTitleFontID")
            .field<&R::CassetteContentsFontID>("CassetteContentsFontID")
            .field<&R::ImageName>("ImageName")
            .field<&R::ImagePositionX>("ImagePositionX")
            .field<&R::ImagePositionY>("ImagePositionY")
            .field<&R::ImageSize>("ImageSize")
            .field<&R::ImageSizeX>("ImageSizeX")
            .field<&R::ImageSizeY>("ImageSizeY")
            .memo<&R::CDCoverText>("CDCoverText", 2000)
            .memo<&R::CDInsideText>("CDInsideText", 2000)
            .memo<&R::CassetteFlap>("CassetteFlap", 512)
            .memo<&R::CassetteTitle>("CassetteTitle", 512)
            .memo<&R::CassetteContentsA>("CassetteContentsA", 1500)
            .memo<&R::CassetteContentsB>("CassetteContentsB", 1500)
            .key("KeyLabelID", {"LabelID"}, kPrimary | kAutoNumber)
            .key("KeyLabelDescription", {"LabelDescription"}, kUnique | kBlanksRepeat)
            .key("KeyLabelType", {"LabelType", "LabelDescription"})
            .build();
    return decl;
}

}  // namespace cdz
