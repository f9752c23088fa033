// The twelve declarations against the published layouts: files, every field with its type and
// offset, memos, keys with their components and attributes, and the registration order.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/domain/data/CatalogueFile.h"

namespace cdz {
namespace {

struct FileRow {
    CatalogueFile file;
    const char* label;
    const char* prefix;
    const char* externalName;
    int recordBytes;
    int keys;
    int memos;
    int registrationFlag;
};

// In registration order.
const FileRow kFiles[] = {
    {CatalogueFile::AddWizard, "AddWizard", "AW", "CDZAdWiz", 73, 1, 0, 0},
    {CatalogueFile::Album, "Album", "ALB", "cdzalbum", 534, 4, 3, 1},
    {CatalogueFile::Categories, "Categories", "CAT", "CDZCAT", 36, 2, 0, 0},
    {CatalogueFile::Configuration, "Configuration", "CF", "CDZConf", 120, 1, 0, 0},
    {CatalogueFile::Fonts, "Fonts", "FON", "cdzfont", 134, 2, 0, 0},
    {CatalogueFile::Labels, "Labels", "LAB", "cdzlabel", 602, 3, 6, 0},
    {CatalogueFile::Media, "Media", "MED", "cdzmedia", 20, 1, 0, 0},
    {CatalogueFile::Cadenzio, "Cadenzio", "MUS", "cdzdata", 573, 10, 3, 1},
    {CatalogueFile::OldCadenzio, "OldCadenzio", "M1", "cdzro", 124, 4, 1, 0},
    {CatalogueFile::PlaylistDetails, "PlaylistDetails", "PLA", "cdzpldet", 56, 2, 0, 0},
    {CatalogueFile::PlaylistMaster, "PlaylistMaster", "PLD", "cdzplist", 38, 2, 1, 0},
    {CatalogueFile::AudioFiles, "AudioFiles", "AUD", "cdzaudio", 52, 2, 1, 0},
};

TEST(CatalogueDeclarations, FilesInRegistrationOrder) {
    ASSERT_EQ(catalogueFiles().size(), std::size(kFiles));
    for (size_t i = 0; i < std::size(kFiles); ++i) {
        const FileRow& r = kFiles[i];
        SCOPED_TRACE(r.label);
        const auto& info = catalogueFiles()[i];
        EXPECT_EQ(info.file, r.file);
        EXPECT_EQ(info.label, r.label);
        EXPECT_EQ(info.prefix, r.prefix);
        EXPECT_EQ(info.registrationFlag, r.registrationFlag);
        const FileDecl& d = declarationOf(r.file);
        EXPECT_EQ(d.label(), r.label);
        EXPECT_EQ(d.prefix(), r.prefix);
        EXPECT_EQ(d.externalName(), r.externalName);
        EXPECT_EQ(d.recordBytes(), r.recordBytes);
        EXPECT_EQ(static_cast<int>(d.keys().size()), r.keys);
        EXPECT_EQ(d.memoCount(), r.memos);
        std::string why;
        EXPECT_TRUE(d.checkRecordSize(&why)) << why;
        CatalogueFile back{};
        ASSERT_TRUE(catalogueFileByLabel(r.label, &back));
        EXPECT_EQ(back, r.file);
    }
    EXPECT_EQ(declarationOf(CatalogueFile::Configuration).encrypted(), true);
    EXPECT_EQ(declarationOf(CatalogueFile::Cadenzio).encrypted(), false);
}

struct FieldRow {
    const char* label;
    const char* type;
    int offset;
};

// Every field of every file with its declared offset; memos last with their maximum.
const std::map<CatalogueFile, std::vector<FieldRow>>& fieldTable() {
    using F = CatalogueFile;
    static const std::map<F, std::vector<FieldRow>> table{
        {F::Cadenzio,
         {{"MUS:Artist", "STRING(40)", 0},
          {"MUS:Title", "STRING(40)", 40},
          {"MUS:Album", "STRING(40)", 80},
          {"MUS:Media", "STRING(20)", 120},
          {"MUS:FileNumber", "STRING(20)", 140},
          {"MUS:ReleaseDate", "LONG", 160},
          {"MUS:CategoryID", "LONG", 164},
          {"MUS:ChartNumber", "BYTE", 168},
          {"MUS:TrackNumber", "BYTE", 169},
          {"MUS:Side", "STRING(1)", 170},
          {"MUS:Time", "LONG", 171},
          {"MUS:UserDefinedKeyField", "STRING(30)", 175},
          {"MUS:AdditionalInformation1", "STRING(80)", 205},
          {"MUS:AdditionalInformation2", "STRING(80)", 285},
          {"MUS:AdditionalInformation3", "STRING(80)", 365},
          {"MUS:BeatsPerMinute", "LONG", 445},
          {"MUS:Style", "STRING(30)", 449},
          {"MUS:Composer", "STRING(80)", 479},
          {"MUS:LastPlayed", "LONG", 559},
          {"MUS:ID", "LONG", 563},
          {"MUS:AlbumID", "LONG", 567},
          {"MUS:Rating", "STRING(2)", 571},
          {"MUS:Recording", "MEMO(256)", -1},
          {"MUS:PerformanceNotes", "MEMO(256)", -1},
          {"MUS:Notes", "MEMO(2000)", -1}}},
        {F::Album,
         {{"ALB:AlbumID", "LONG", 0},
          {"ALB:Artist", "STRING(40)", 4},
          {"ALB:Album", "STRING(40)", 44},
          {"ALB:Media", "STRING(20)", 84},
          {"ALB:FileNumber", "STRING(20)", 104},
          {"ALB:ReleaseDate", "LONG", 124},
          {"ALB:CategoryID", "DECIMAL(6,0)", 128},
          {"ALB:AssociatedWAVFile", "STRING(128)", 134},
          {"ALB:AssociatedImage", "STRING(128)", 262},
          {"ALB:CDIdentifier", "STRING(24)", 390},
          {"ALB:XCCD", "STRING(32)", 414},
          {"ALB:Playlist", "STRING(70)", 446},
          {"ALB:TotalTime", "LONG", 516},
          {"ALB:Rating", "STRING(2)", 520},
          {"ALB:PurPrice", "DECIMAL(4,2)", 522},
          {"ALB:PurchaseDate", "LONG", 526},
          {"ALB:Value", "DECIMAL(4,2)", 530},
          {"ALB:Recording", "MEMO(256)", -1},
          {"ALB:Performance", "MEMO(256)", -1},
          {"ALB:Notes", "MEMO(2000)", -1}}},
        {F::Categories, {{"CAT:CategoryID", "DECIMAL(6,0)", 0}, {"CAT:Category", "STRING(30)", 6}}},
        {F::Media, {{"MED:Media", "STRING(20)", 0}}},
        {F::PlaylistMaster,
         {{"PLD:PlaylistID", "LONG", 0},
          {"PLD:PlaylistDescription", "STRING(30)", 4},
          {"PLD:LastEditDate", "LONG", 34},
          {"PLD:Notes", "MEMO(1000)", -1}}},
        {F::PlaylistDetails,
         {{"PLA:PlaylistID", "LONG", 0},
          {"PLA:PlaylistSeq", "DECIMAL(6,0)", 4},
          {"PLA:ID", "DECIMAL(6,0)", 10},
          {"PLA:PlaylistNotes", "STRING(40)", 16}}},
        {F::Labels,
         {{"LAB:LabelID", "DECIMAL(6,0)", 0},
          {"LAB:LabelDescription", "STRING(30)", 6},
          {"LAB:LabelType", "STRING(9)", 36},
          {"LAB:AlbumID", "LONG", 45},
          {"LAB:CDSpine", "STRING(100)", 49},
          {"LAB:CDSpineFontID", "LONG", 149},
          {"LAB:CDTitle", "STRING(100)", 153},
          {"LAB:CDTitleFontID", "LONG", 253},
          {"LAB:CDCoverTextFontID", "LONG", 257},
          {"LAB:CDInsideTextFontID", "LONG", 261},
          {"LAB:CDSpineJustification", "STRING(6)", 265},
          {"LAB:CDTextJustification", "STRING(6)", 271},
          {"LAB:CDBackCoverJustification", "STRING(6)", 277},
          {"LAB:CassetteFlapFontID", "LONG", 283},
          {"LAB:CassetteTitleFontID", "LONG", 287},
          {"LAB:CassetteContentsFontID", "LONG", 291},
          {"LAB:ImageName", "STRING(255)", 295},
          {"LAB:ImagePositionX", "LONG", 550},
          {"LAB:ImagePositionY", "LONG", 554},
          {"LAB:ImageSize", "STRING(20)", 558},
          {"LAB:ImageSizeX", "LONG", 578},
          {"LAB:ImageSizeY", "STRING(20)", 582},
          {"LAB:CDCoverText", "MEMO(2000)", -1},
          {"LAB:CDInsideText", "MEMO(2000)", -1},
          {"LAB:CassetteFlap", "MEMO(512)", -1},
          {"LAB:CassetteTitle", "MEMO(512)", -1},
          {"LAB:CassetteContentsA", "MEMO(1500)", -1},
          {"LAB:CassetteContentsB", "MEMO(1500)", -1}}},
        {F::Fonts,
         {{"FON:FontID", "DECIMAL(6,0)", 0},
          {"FON:TypeFace", "STRING(32)", 6},
          {"FON:Size", "STRING(32)", 38},
          {"FON:Colour", "STRING(32)", 70},
          {"FON:Style", "STRING(32)", 102}}},
        {F::AddWizard,
         {{"AW:Instance", "DECIMAL(6,0)", 0},
          {"AW:Side", "STRING(1)", 6},
          {"AW:Track", "DECIMAL(2,0)", 7},
          {"AW:Artist", "STRING(30)", 9},
          {"AW:Title", "STRING(30)", 39},
          {"AW:Time", "LONG", 69}}},
        {F::Configuration, {{"CF:DataType", "STRING(40)", 0}, {"CF:DataValue", "STRING(80)", 40}}},
        {F::OldCadenzio,
         {{"M1:Artist", "STRING(30)", 0},
          {"M1:Title", "STRING(30)", 30},
          {"M1:Album", "STRING(30)", 60},
          {"M1:Media", "STRING(20)", 90},
          {"M1:FileNumber", "STRING(10)", 110},
          {"M1:ReleaseDate", "LONG", 120},
          {"M1:Notes", "MEMO(2000)", -1}}},
        {F::AudioFiles,
         {{"AUD:SongID", "LONG", 0},
          {"AUD:PathKey", "STRING(16)", 4},
          {"AUD:Size", "DECIMAL(8,0)", 20},
          {"AUD:Modified", "DECIMAL(8,0)", 28},
          {"AUD:Written", "STRING(16)", 36},
          {"AUD:Path", "MEMO(4096)", -1}}},
    };
    return table;
}

TEST(CatalogueDeclarations, EveryFieldInPlaceWithItsTypeAndOffset) {
    ASSERT_EQ(fieldTable().size(), static_cast<size_t>(kCatalogueFileCount));
    for (const auto& [file, rows] : fieldTable()) {
        const FileDecl& d = declarationOf(file);
        SCOPED_TRACE(d.label());
        ASSERT_EQ(d.columns().size(), rows.size());
        int offset = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const FieldDesc& f = d.columns()[i];
            EXPECT_EQ(f.label, rows[i].label);
            EXPECT_EQ(f.typeName(), rows[i].type) << f.label;
            if (f.isMemo()) {
                EXPECT_EQ(rows[i].offset, -1) << f.label;
                continue;
            }
            EXPECT_EQ(offset, rows[i].offset) << f.label;
            offset += f.bytes();
        }
        EXPECT_EQ(offset, d.recordBytes());
    }
}

struct KeyRow {
    const char* label;
    std::vector<std::string> components;
    bool unique;
    bool primary;
    bool noCase;
    bool autoNumber;
};

TEST(CatalogueDeclarations, KeysWithComponentsUniquenessCaseAndNumbering) {
    const std::map<CatalogueFile, std::vector<KeyRow>> keys{
        {CatalogueFile::Cadenzio,
         {{"MUS:SongsByArtist", {"Artist", "Title"}, false, false, true, false},
          {"MUS:SongsByTitle", {"Title", "Artist"}, false, false, true, false},
          {"MUS:SongsByAlbum",
           {"Album", "Artist", "Side", "TrackNumber", "Title"},
           false,
           false,
           true,
           false},
          {"MUS:SongsByMedia", {"Media", "FileNumber", "Title"}, false, false, true, false},
          {"MUS:SongsByCategory",
           {"CategoryID", "Artist", "Title", "Album"},
           false,
           false,
           false,
           false},
          {"MUS:SongsByChartNumber",
           {"ChartNumber", "Artist", "Title"},
           false,
           false,
           false,
           false},
          {"MUS:SongsByUserDefinedKey",
           {"UserDefinedKeyField", "Artist", "Title"},
           false,
           false,
           false,
           false},
          {"MUS:KeyID", {"ID"}, true, true, false, true},
          {"MUS:KeyAlbumID", {"AlbumID", "TrackNumber"}, false, false, false, false},
          {"MUS:KeyBeatsPerMinute",
           {"BeatsPerMinute", "Title", "Artist"},
           false,
           false,
           false,
           false}}},
        {CatalogueFile::Album,
         {{"ALB:KeyAlbumID", {"AlbumID"}, true, true, false, true},
          {"ALB:KeyAlbum", {"Album", "Artist"}, true, false, false, false},
          {"ALB:KeyArtist", {"Artist", "Album"}, true, false, false, false},
          {"ALB:KeyCDIdentifier", {"CDIdentifier"}, true, false, false, false}}},
        {CatalogueFile::Categories,
         {{"CAT:KeyCategoryID", {"CategoryID"}, true, true, false, true},
          {"CAT:KeyCategory", {"Category"}, true, false, false, false}}},
        {CatalogueFile::Media, {{"MED:KeyMedia", {"Media"}, true, false, false, false}}},
        {CatalogueFile::PlaylistMaster,
         {{"PLD:KeyPlaylistID", {"PlaylistID"}, true, true, false, true},
          {"PLD:KeyPlaylistDescription", {"PlaylistDescription"}, true, false, false, false}}},
        {CatalogueFile::PlaylistDetails,
         {{"PLA:KeyPlaylistID", {"PlaylistID", "PlaylistSeq"}, true, true, false, true},
          {"PLA:KeyID", {"ID"}, false, false, true, false}}},
        {CatalogueFile::Labels,
         {{"LAB:KeyLabelID", {"LabelID"}, true, true, false, true},
          {"LAB:KeyLabelDescription", {"LabelDescription"}, true, false, false, false},
          {"LAB:KeyLabelType", {"LabelType", "LabelDescription"}, false, false, false, false}}},
        {CatalogueFile::Fonts,
         {{"FON:KeyFontID", {"FontID"}, true, true, false, true},
          {"FON:KeyTypeFace", {"TypeFace", "Size", "Colour", "Style"}, true, false, false, false}}},
        {CatalogueFile::AddWizard,
         {{"AW:KeyInstance", {"Instance", "Side", "Track"}, true, true, false, false}}},
        {CatalogueFile::Configuration,
         {{"CF:KeyDataType", {"DataType"}, true, false, false, false}}},
        {CatalogueFile::OldCadenzio,
         {{"M1:SongsByArtist", {"Artist", "Title"}, false, false, true, false},
          {"M1:SongsByTitle", {"Title", "Artist"}, false, false, true, false},
          {"M1:SongsByAlbum", {"Album", "Artist", "Title"}, false, false, true, false},
          {"M1:SongsByMedia", {"Media", "FileNumber", "Title"}, false, false, true, false}}},
        {CatalogueFile::AudioFiles,
         {{"AUD:KeySongID", {"SongID"}, true, true, false, false},
          {"AUD:KeyPathKey", {"PathKey"}, false, false, false, false}}},
    };
    ASSERT_EQ(keys.size(), static_cast<size_t>(kCatalogueFileCount));
    for (const auto& [file, rows] : keys) {
        const FileDecl& d = declarationOf(file);
        ASSERT_EQ(d.keys().size(), rows.size()) << d.label();
        for (size_t i = 0; i < rows.size(); ++i) {
            const KeyDesc& k = d.keys()[i];
            const KeyRow& r = rows[i];
            SCOPED_TRACE(r.label);
            EXPECT_EQ(k.label, r.label);
            std::vector<std::string> names;
            for (int c : k.components) names.push_back(d.columns()[static_cast<size_t>(c)].name);
            EXPECT_EQ(names, r.components);
            EXPECT_EQ(k.unique, r.unique);
            EXPECT_EQ(k.primary, r.primary);
            EXPECT_EQ(k.noCase, r.noCase);
            EXPECT_EQ(k.autoNumber, r.autoNumber);
            EXPECT_EQ(d.keyIndex(r.label), static_cast<int>(i));
        }
    }
}

TEST(CatalogueDeclarations, BlankValuesRepeatOnlyInUniqueKeysOfReservedRecords) {
    // Forms reserve numbers with blank records, and typed-in albums have no CD identifier:
    // exactly these unique keys let all-blank values repeat.
    const std::set<std::string> expected{"ALB:KeyAlbum",
                                         "ALB:KeyArtist",
                                         "ALB:KeyCDIdentifier",
                                         "CAT:KeyCategory",
                                         "PLD:KeyPlaylistDescription",
                                         "LAB:KeyLabelDescription",
                                         "FON:KeyTypeFace"};
    std::set<std::string> found;
    for (const auto& info : catalogueFiles()) {
        for (const auto& k : declarationOf(info.file).keys()) {
            if (k.blanksRepeat) found.insert(k.label);
        }
    }
    EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace cdz
