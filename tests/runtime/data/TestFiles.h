#pragma once
// Small declarations for the data tests: songs with a case-insensitive key, a case-sensitive
// unique key, an auto-numbered primary key and a memo; categories; and playlist entries
// numbered within their playlist.
#include <cstdint>
#include <string>

#include "runtime/data/FileDeclBuilder.h"

namespace cdz::test {

struct SongRec {
    Text<20> Artist;
    Text<20> Title;
    int32_t ID = 0;
    int32_t CategoryID = 0;
    uint8_t Rating = 0;
    int16_t Year = 0;
    Decimal<4, 2> Price;
    std::string Notes;
};

inline const FileDecl& songDecl() {
    static const FileDecl decl = FileDeclBuilder<SongRec>("Songs", "SNG", "songs", 55)
                                     .field<&SongRec::Artist>("Artist")
                                     .field<&SongRec::Title>("Title")
                                     .field<&SongRec::ID>("ID")
                                     .field<&SongRec::CategoryID>("CategoryID")
                                     .field<&SongRec::Rating>("Rating")
                                     .field<&SongRec::Year>("Year")
                                     .field<&SongRec::Price>("Price")
                                     .memo<&SongRec::Notes>("Notes", 300)
                                     .key("ByArtist", {"Artist", "Title"}, kNoCase)
                                     .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                     .key("ByTitle", {"Title"}, kUnique)
                                     .key("ByCategory", {"CategoryID", "Artist"})
                                     .build();
    return decl;
}

struct CategoryRec {
    Decimal<6, 0> CategoryID;
    Text<10> Category;
};

inline const FileDecl& categoryDecl() {
    static const FileDecl decl = FileDeclBuilder<CategoryRec>("Categories", "CAT", "cats", 16)
                                     .field<&CategoryRec::CategoryID>("CategoryID")
                                     .field<&CategoryRec::Category>("Category")
                                     .key("KeyCategoryID", {"CategoryID"}, kPrimary | kAutoNumber)
                                     .key("KeyCategory", {"Category"}, kUnique)
                                     .build();
    return decl;
}

struct EntryRec {
    int32_t ListID = 0;
    Decimal<6, 0> Seq;
    Decimal<6, 0> SongID;
};

inline const FileDecl& entryDecl() {
    static const FileDecl decl = FileDeclBuilder<EntryRec>("Entries", "ENT", "entries", 16)
                                     .field<&EntryRec::ListID>("ListID")
                                     .field<&EntryRec::Seq>("Seq")
                                     .field<&EntryRec::SongID>("SongID")
                                     .key("KeyList", {"ListID", "Seq"}, kPrimary | kAutoNumber)
                                     .key("KeySong", {"SongID"})
                                     .build();
    return decl;
}

}  // namespace cdz::test
