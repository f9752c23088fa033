// The data files on disk: every file created and open at once, texts at their width, memos at
// their full length, the case rule of every key, unique keys, blanks that may repeat, and auto
// numbers.
#include <gtest/gtest.h>

#include <string>

#include "app/domain/data/Catalogue.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

std::string repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

class CatalogueFilesTest : public ::testing::Test {
protected:
    DataFile& useFile(CatalogueFile f) {
        EXPECT_EQ(cat.use(f), 0) << cat.database().error().text << " "
                                 << cat.database().error().driverText;
        return cat.file(f);
    }

    test::TempDir dir;
    Catalogue cat{dir.path()};
};

// Over the files in a folder, eleven at once: the storage holds the first file open and ten
// more beside it. The audio files' file is the one left out, as the program opens it only for
// a scan or a song's delete.
TEST_F(CatalogueFilesTest, ElevenFilesOpenAtOnceUnderTheirExternalNames) {
    for (const auto& info : catalogueFiles()) {
        if (info.file != CatalogueFile::AudioFiles) useFile(info.file);
    }
    EXPECT_EQ(cat.use(CatalogueFile::AudioFiles), err::kDriverError);
    cat.release(CatalogueFile::Fonts);
    useFile(CatalogueFile::AudioFiles);  // in the place the fonts' file gave back
    cat.release(CatalogueFile::AudioFiles);
    useFile(CatalogueFile::Fonts);
    for (const auto& info : catalogueFiles()) {
        if (info.file == CatalogueFile::AudioFiles) continue;
        SCOPED_TRACE(info.label);
        EXPECT_TRUE(cat.file(info.file).isOpen());
        EXPECT_EQ(cat.file(info.file).records(), 0);
        auto expected = dir.path() / (declarationOf(info.file).externalName() + ".tps");
        EXPECT_TRUE(std::filesystem::exists(expected)) << expected;
    }
    // A write to each file while all are open lands in the right file.
    cat.song().Title = "Song";
    EXPECT_EQ(cat.file(CatalogueFile::Cadenzio).add(), 0);
    cat.media().Media = "Compact Disc";
    EXPECT_EQ(cat.file(CatalogueFile::Media).add(), 0);
    cat.oldSong().Title = "Old";
    EXPECT_EQ(cat.file(CatalogueFile::OldCadenzio).add(), 0);
    EXPECT_EQ(cat.file(CatalogueFile::Cadenzio).records(), 1);
    EXPECT_EQ(cat.file(CatalogueFile::Media).records(), 1);
    EXPECT_EQ(cat.file(CatalogueFile::OldCadenzio).records(), 1);
    EXPECT_EQ(cat.file(CatalogueFile::Album).records(), 0);
}

TEST_F(CatalogueFilesTest, TextsKeepTheirWidthInCharactersWhateverTheirBytes) {
    DataFile& songs = useFile(CatalogueFile::Cadenzio);
    SongRecord& s = cat.song();
    const std::string wide = repeat("𝄞", 40);  // four bytes each
    s.Artist = wide + "x";                     // one character too many
    s.Title = repeat("日本", 20);
    s.Album = repeat("Ö", 39) + "ß";
    s.Side = "ä";
    s.Rating = "★★★";
    ASSERT_EQ(songs.add(), 0);
    const int32_t id = s.ID;
    cat.song() = SongRecord{};
    s.ID = id;
    ASSERT_EQ(songs.get(SongRecord::KeyID), 0);
    EXPECT_EQ(s.Artist.str(), wide);
    EXPECT_EQ(charCount(s.Title.str()), 40);
    EXPECT_EQ(s.Album.str(), repeat("Ö", 39) + "ß");
    EXPECT_EQ(s.Side.str(), "ä");
    EXPECT_EQ(s.Rating.str(), "★★");
}

TEST_F(CatalogueFilesTest, MemosRoundTripAtFullLengthAndAreCutBeyondIt) {
    struct Row {
        CatalogueFile file;
        const char* memo;
        int max;
    };
    const Row rows[] = {
        {CatalogueFile::Cadenzio, "MUS:Notes", 2000},
        {CatalogueFile::Cadenzio, "MUS:Recording", 256},
        {CatalogueFile::Cadenzio, "MUS:PerformanceNotes", 256},
        {CatalogueFile::Album, "ALB:Notes", 2000},
        {CatalogueFile::Album, "ALB:Performance", 256},
        {CatalogueFile::PlaylistMaster, "PLD:Notes", 1000},
        {CatalogueFile::Labels, "LAB:CDCoverText", 2000},
        {CatalogueFile::Labels, "LAB:CassetteContentsB", 1500},
        {CatalogueFile::Labels, "LAB:CassetteFlap", 512},
        {CatalogueFile::OldCadenzio, "M1:Notes", 2000},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.memo);
        DataFile& f = useFile(r.file);
        const FileDecl& d = f.decl();
        const FieldDesc* memo = d.column(r.memo);
        ASSERT_NE(memo, nullptr);
        ASSERT_EQ(memo->width, r.max);
        // Full length in two-byte characters with a line break inside, then one too long.
        for (int extra : {0, 1}) {
            f.clearBuffer();
            std::string text = "ü\n" + repeat("é", r.max - 2 + extra);
            memo->memo(f.record()) = text;
            ASSERT_EQ(f.add(), 0) << f.error().text;
            int64_t recno = f.recordNumber();
            f.clearBuffer();
            ASSERT_EQ(f.getRecord(recno), 0);
            const std::string& back = memo->memo(f.record());
            EXPECT_EQ(charCount(back), r.max);
            EXPECT_EQ(back, std::string(cutChars(text, r.max)));
            ASSERT_EQ(f.erase(), 0);
        }
    }
}

// A record whose text key components are upper case is found from their lower-case form by a
// case-insensitive key only.
TEST_F(CatalogueFilesTest, EachKeyFindsOtherCaseOnlyWhenItIgnoresCase) {
    int checked = 0;
    for (const auto& info : catalogueFiles()) {
        DataFile& f = useFile(info.file);
        const FileDecl& d = f.decl();
        for (size_t k = 0; k < d.keys().size(); ++k) {
            const KeyDesc& key = d.keys()[k];
            bool hasText = false;
            for (int c : key.components) hasText |= d.columns()[static_cast<size_t>(c)].isText();
            if (!hasText) continue;
            SCOPED_TRACE(key.label);
            f.clearBuffer();
            for (int c : key.components) {
                const FieldDesc& col = d.columns()[static_cast<size_t>(c)];
                if (col.isText()) {
                    col.text(f.record()) = col.width >= 5 ? "BJÖRK" : "Ä";
                } else {
                    col.setInteger(f.record(), 7);
                }
            }
            ASSERT_EQ(f.add(), 0) << f.error().text << f.error().driverText;
            const int64_t recno = f.recordNumber();
            for (int c : key.components) {
                const FieldDesc& col = d.columns()[static_cast<size_t>(c)];
                if (col.isText()) col.text(f.record()) = col.width >= 5 ? "björk" : "ä";
            }
            int code = f.get(static_cast<int>(k));
            if (key.noCase) {
                EXPECT_EQ(code, 0);
                EXPECT_EQ(f.recordNumber(), recno);
            } else {
                EXPECT_EQ(code, err::kRecordNotFound);
            }
            ASSERT_EQ(f.getRecord(recno), 0);
            ASSERT_EQ(f.erase(), 0);
            ++checked;
        }
        cat.release(info.file);  // eleven files at most are open at once
    }
    EXPECT_EQ(checked, 24);  // every key with a text component, in all twelve files
}

TEST_F(CatalogueFilesTest, CaseInsensitiveSongKeysOrderAndFindWithFullFolding) {
    DataFile& songs = useFile(CatalogueFile::Cadenzio);
    SongRecord& s = cat.song();
    for (const char* artist : {"BJÖRK", "Abba", "straße", "björk", "Zappa"}) {
        s = SongRecord{};
        s.Artist = artist;
        s.Title = "T";
        ASSERT_EQ(songs.add(), 0);
    }
    s = SongRecord{};
    s.Artist = "STRASSE";
    s.Title = "t";
    ASSERT_EQ(songs.get(SongRecord::SongsByArtist), 0);
    EXPECT_EQ(s.Artist, "straße");

    std::vector<std::string> order;
    ASSERT_EQ(songs.set(SongRecord::SongsByArtist), 0);
    while (songs.next() == 0) order.push_back(s.Artist.str());
    // Folded order: abba, björk (twice, in record order), strasse, zappa.
    EXPECT_EQ(order, (std::vector<std::string>{"Abba", "BJÖRK", "björk", "straße", "Zappa"}));
}

TEST_F(CatalogueFilesTest, CaseSensitiveUniqueKeysTellCasesApartButRefuseTrueDuplicates) {
    DataFile& albums = useFile(CatalogueFile::Album);
    AlbumRecord& a = cat.album();
    auto addAlbum = [&](const char* title, const char* artist, const char* cd) {
        a = AlbumRecord{};
        a.Album = title;
        a.Artist = artist;
        a.CDIdentifier = cd;
        return albums.add();
    };
    EXPECT_EQ(addAlbum("Abbey Road", "The Beatles", "12 345"), 0);
    EXPECT_EQ(addAlbum("abbey road", "The Beatles", "12 346"), 0);
    EXPECT_EQ(addAlbum("Abbey Road", "The Beatles", "99"), err::kDuplicateKey);
    EXPECT_EQ(addAlbum("Let It Be", "The Beatles", "12 345"), err::kDuplicateKey);
    EXPECT_EQ(albums.records(), 2);

    DataFile& media = useFile(CatalogueFile::Media);
    cat.media().Media = "Vinyl";
    EXPECT_EQ(media.add(), 0);
    cat.media().Media = "VINYL";
    EXPECT_EQ(media.add(), 0);
    cat.media().Media = "Vinyl";
    EXPECT_EQ(media.add(), err::kDuplicateKey);

    DataFile& fonts = useFile(CatalogueFile::Fonts);
    auto addFont = [&](const char* face, const char* size) {
        cat.font() = FontRecord{};
        cat.font().TypeFace = face;
        cat.font().Size = size;
        cat.font().Colour = "0";
        cat.font().Style = "Bold";
        return fonts.add();
    };
    EXPECT_EQ(addFont("Arial", "12"), 0);
    EXPECT_EQ(addFont("Arial", "14"), 0);
    EXPECT_EQ(addFont("Arial", "12"), err::kDuplicateKey);
    EXPECT_EQ(addFont("ARIAL", "12"), 0);
}

TEST_F(CatalogueFilesTest, BlankValuesMayRepeatInUniqueKeysOfReservedRecords) {
    DataFile& albums = useFile(CatalogueFile::Album);
    AlbumRecord& a = cat.album();
    // Two albums typed in by hand: neither has a CD identifier.
    for (const char* title : {"First", "Second"}) {
        a = AlbumRecord{};
        a.Album = title;
        a.Artist = "Someone";
        EXPECT_FALSE(albums.duplicate());
        ASSERT_EQ(albums.add(), 0) << title;
    }
    // Two reserved (still blank) records at once.
    for (int i = 0; i < 2; ++i) {
        a = AlbumRecord{};
        ASSERT_EQ(albums.add(), 0);
    }
    // A non-blank identifier stays unique, and duplicate() says so before the add.
    a = AlbumRecord{};
    a.Album = "Third";
    a.CDIdentifier = "X1";
    ASSERT_EQ(albums.add(), 0);
    a = AlbumRecord{};
    a.Album = "Fifth";
    a.CDIdentifier = "X2";
    ASSERT_EQ(albums.add(), 0);  // the current record is no longer the one with X1
    a = AlbumRecord{};
    a.Album = "Fourth";
    a.CDIdentifier = "X1";
    EXPECT_TRUE(albums.duplicate());
    EXPECT_TRUE(albums.duplicate(AlbumRecord::KeyCDIdentifier));
    EXPECT_FALSE(albums.duplicate(AlbumRecord::KeyAlbum));
    EXPECT_EQ(albums.add(), err::kDuplicateKey);
    // Blank records keep their place in the key's order: first.
    ASSERT_EQ(albums.set(AlbumRecord::KeyCDIdentifier), 0);
    int blanks = 0;
    while (albums.next() == 0 && a.CDIdentifier.empty()) ++blanks;
    EXPECT_EQ(blanks, 4);
    EXPECT_EQ(a.CDIdentifier, "X1");
    EXPECT_EQ(albums.records(), 6);

    // Media is not reserved blank: its one key stays strictly unique.
    DataFile& media = useFile(CatalogueFile::Media);
    cat.media() = MediaRecord{};
    EXPECT_EQ(media.add(), 0);
    EXPECT_EQ(media.add(), err::kDuplicateKey);
}

TEST_F(CatalogueFilesTest, AutoNumbersTakeTheHighestPlusOne) {
    struct Row {
        CatalogueFile file;
        const char* number;
    };
    const Row rows[] = {
        {CatalogueFile::Cadenzio, "MUS:ID"},
        {CatalogueFile::Album, "ALB:AlbumID"},
        {CatalogueFile::Categories, "CAT:CategoryID"},
        {CatalogueFile::PlaylistMaster, "PLD:PlaylistID"},
        {CatalogueFile::Labels, "LAB:LabelID"},
        {CatalogueFile::Fonts, "FON:FontID"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.number);
        DataFile& f = useFile(r.file);
        const FieldDesc* number = f.decl().column(r.number);
        ASSERT_NE(number, nullptr);
        // Distinct texts for the unique keys that do not let blanks repeat.
        auto add = [&](int64_t given, const std::string& name) {
            f.clearBuffer();
            number->setInteger(f.record(), given);
            for (const auto& c : f.decl().columns()) {
                if (c.type == FieldType::String) c.text(f.record()) = name;
            }
            EXPECT_EQ(f.add(), 0) << f.error().text << f.error().driverText;
            return number->integer(f.record());
        };
        EXPECT_EQ(add(0, "a"), 1);
        EXPECT_EQ(add(0, "b"), 2);
        EXPECT_EQ(add(40, "c"), 40);  // a number given is kept
        EXPECT_EQ(add(0, "d"), 41);
    }

    // Playlist entries are numbered within their playlist.
    DataFile& entries = useFile(CatalogueFile::PlaylistDetails);
    PlaylistDetailRecord& e = cat.playlistEntry();
    auto addEntry = [&](int32_t list) {
        e = PlaylistDetailRecord{};
        e.PlaylistID = list;
        e.ID = Decimal<6, 0>(5.0);
        EXPECT_EQ(entries.add(), 0);
        return e.PlaylistSeq.toInt();
    };
    EXPECT_EQ(addEntry(1), 1);
    EXPECT_EQ(addEntry(1), 2);
    EXPECT_EQ(addEntry(2), 1);
    EXPECT_EQ(addEntry(1), 3);
    EXPECT_EQ(addEntry(2), 2);
}

TEST_F(CatalogueFilesTest, SongsOnNoAlbumAndInNoCategoryComeFirst) {
    DataFile& songs = useFile(CatalogueFile::Cadenzio);
    SongRecord& s = cat.song();
    const std::pair<int32_t, int32_t> albumAndCategory[] = {{3, 2}, {0, 0}, {1, 5}, {0, 1}};
    for (auto [album, category] : albumAndCategory) {
        s = SongRecord{};
        s.AlbumID = album;
        s.CategoryID = category;
        s.Title = "T" + std::to_string(album) + std::to_string(category);
        ASSERT_EQ(songs.add(), 0);
    }
    ASSERT_EQ(songs.set(SongRecord::KeyAlbumID), 0);
    std::vector<int32_t> albums;
    while (songs.next() == 0) albums.push_back(s.AlbumID);
    EXPECT_EQ(albums, (std::vector<int32_t>{0, 0, 1, 3}));
    ASSERT_EQ(songs.set(SongRecord::SongsByCategory), 0);
    ASSERT_EQ(songs.next(), 0);
    EXPECT_EQ(s.CategoryID, 0);
}

}  // namespace
}  // namespace cdz
