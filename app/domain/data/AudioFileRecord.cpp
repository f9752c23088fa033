#include "app/domain/data/AudioFileRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

const FileDecl& AudioFileRecord::declaration() {
    using R = AudioFileRecord;
    static const FileDecl decl = FileDeclBuilder<R>("AudioFiles", "AUD", "cdzaudio", 52)
                                     .field<&R::SongID>("SongID")
                                     .field<&R::PathKey>("PathKey")
                                     .field<&R::Size>("Size")
                                     .field<&R::Modified>("Modified")
                                     .field<&R::Written>("Written")
                                     .memo<&R::Path>("Path", 4096)
                                     .key("KeySongID", {"SongID"}, kPrimary)
                                     .key("KeyPathKey", {"PathKey"})
                                     .build();
    return decl;
}

}  // namespace cdz
