#include "app/domain/data/SongRecord.h"

#include "runtime/data/FileDeclBuilder.h"

namespace cdz {

const FileDecl& SongRecord::declaration() {
    using R = SongRecord;
    static const FileDecl decl =
        FileDeclBuilder<R>("Cadenzio", "MUS", "cdzdata", 573)
            .field<&R::Artist>("Artist")
            .field<&R::Title>("Title")
            .field<&R::Album>("Album")
            .field<&R::Media>("Media")
            .field<&R::FileNumber>("FileNumber")
            .field<&R::ReleaseDate>("ReleaseDate")
            .field<&R::CategoryID>("CategoryID")
            .field<&R::ChartNumber>("ChartNumber")
            .field<&R::TrackNumber>("TrackNumber")
            .field<&R::Side>("Side")
            .field<&R::Time>("Time")
            .field<&R::UserDefinedKeyField>("UserDefinedKeyField")
            .field<&R::AdditionalInformation1>("AdditionalInformation1")
            .field<&R::AdditionalInformation2>("AdditionalInformation2")
            .field<&R::AdditionalInformation3>("AdditionalInformation3")
            .field<&R::BeatsPerMinute>("BeatsPerMinute")
            .field<&R::Style>("Style")
            .field<&R::Composer>("Composer")
            .field<&R::LastPlayed>("LastPlayed")
            .field<&R::ID>("ID")
            .field<&R::AlbumID>("AlbumID")
            .field<&R::Rating>("Rating")
            .memo<&R::Recording>("Recording", 256)
            .memo<&R::PerformanceNotes>("PerformanceNotes", 256)
            .memo<&R::Notes>("Notes", 2000)
            .key("SongsByArtist", {"Artist", "Title"}, kNoCase)
            .key("SongsByTitle", {"Title", "Artist"}, kNoCase)
            .key("SongsByAlbum", {"Album", "Artist", "Side", "TrackNumber", "Title"}, kNoCase)
            .key("SongsByMedia", {"Media", "FileNumber", "Title"}, kNoCase)
            .key("SongsByCategory", {"CategoryID", "Artist", "Title", "Album"})
            .key("SongsByChartNumber", {"ChartNumber", "Artist", "Title"})
            .key("SongsByUserDefinedKey", {"UserDefinedKeyField", "Artist", "Title"})
            .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
            .key("KeyAlbumID", {"AlbumID", "TrackNumber"})
            .key("KeyBeatsPerMinute", {"BeatsPerMinute", "Title", "Artist"})
            .build();
    return decl;
}

}  // namespace cdz
