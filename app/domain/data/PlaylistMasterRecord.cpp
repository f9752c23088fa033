#include "app/domain/data/PlaylistMasterRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

// Blank names may repeat: the form reserves a playlist number with a still blank record.
const FileDecl& PlaylistMasterRecord::declaration() {
    using R = PlaylistMasterRecord;
    static const FileDecl decl =
        FileDeclBuilder<R>("PlaylistMaster", "PLD", "cdzplist", 38)
            .field<&R::PlaylistID>("PlaylistID")
            .field<&R::PlaylistDescription>("PlaylistDescription")
            .field<&R::LastEditDate>("LastEditDate")
            .memo<&R::Notes>("Notes", 1000)
            .key("KeyPlaylistID", {"PlaylistID"}, kPrimary | kAutoNumber)
            .key("KeyPlaylistDescription", {"PlaylistDescription"}, kUnique | kBlanksRepeat)
            .build();
    return decl;
}

}  // namespace cdz
