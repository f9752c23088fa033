#include "app/domain/data/AlbumRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

// The unique keys let blank values repeat: every album typed in by hand has a blank CD
// identifier, and the form reserves an album number with a record that is still blank.
const FileDecl& AlbumRecord::declaration() {
    using R = AlbumRecord;
    static const FileDecl decl =
        FileDeclBuilder<R>("Album", "ALB", "cdzalbum", 534)
            .field<&R::AlbumID>("AlbumID")
            .field<&R::Artist>("Artist")
            .field<&R::Album>("Album")
            .field<&R::Media>("Media")
            .field<&R::FileNumber>("FileNumber")
            .field<&R::ReleaseDate>("ReleaseDate")
            .field<&R::CategoryID>("CategoryID")
            .field<&R::AssociatedWAVFile>("AssociatedWAVFile")
            .field<&R::AssociatedImage>("AssociatedImage")
            .field<&R::CDIdentifier>("CDIdentifier")
            .field<&R::XCCD>("XCCD")
            .field<&R::Playlist>("Playlist")
            .field<&R::TotalTime>("TotalTime")
            .field<&R::Rating>("Rating")
            .field<&R::PurPrice>("PurPrice")
            .field<&R::PurchaseDate>("PurchaseDate")
            .field<&R::Value>("Value")
            .memo<&R::Recording>("Recording", 256)
            .memo<&R::Performance>("Performance", 256)
            .memo<&R::Notes>("Notes", 2000)
            .key("KeyAlbumID", {"AlbumID"}, kPrimary | kAutoNumber)
            .key("KeyAlbum", {"Album", "Artist"}, kUnique | kBlanksRepeat)
            .key("KeyArtist", {"Artist", "Album"}, kUnique | kBlanksRepeat)
            .key("KeyCDIdentifier", {"CDIdentifier"}, kUnique | kBlanksRepeat)
            .build();
    return decl;
}

}  // namespace cdz
