#include "app/domain/data/PlaylistDetailRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

const FileDecl& PlaylistDetailRecord::declaration() {
    using R = PlaylistDetailRecord;
    static const FileDecl decl =
        FileDeclBuilder<R>("PlaylistDetails", "PLA", "cdzpldet", 56)
            .field<&R::PlaylistID>("PlaylistID")
            .field<&R::PlaylistSeq>("PlaylistSeq")
            .field<&R::ID>("ID")
            .field<&R::PlaylistNotes>("PlaylistNotes")
            // The sequence is numbered within its playlist: highest of the same list + 1.
            .key("KeyPlaylistID", {"PlaylistID", "PlaylistSeq"}, kPrimary | kAutoNumber)
            .key("KeyID", {"ID"}, kNoCase)
            .build();
    return decl;
}

}  // namespace cdz
