#include "app/domain/data/OldSongRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

const FileDecl& OldSongRecord::declaration() {
    using R = OldSongRecord;
    static const FileDecl decl = FileDeclBuilder<R>("OldCadenzio", "M1", "cdzro", 124)
                                     .field<&R::Artist>("Artist")
                                     .field<&R::Title>("Title")
                                     .field<&R::Album>("Album")
                                     .field<&R::Media>("Media")
                                     .field<&R::FileNumber>("FileNumber")
                                     .field<&R::ReleaseDate>("ReleaseDate")
                                     .memo<&R::Notes>("Notes", 2000)
                                     .key("SongsByArtist", {"Artist", "Title"}, kNoCase)
                                     .key("SongsByTitle", {"Title", "Artist"}, kNoCase)
                                     .key("SongsByAlbum", {"Album", "Artist", "Title"}, kNoCase)
                                     .key("SongsByMedia", {"Media", "FileNumber", "Title"}, kNoCase)
                                     .build();
    return decl;
}

}  // namespace cdz
