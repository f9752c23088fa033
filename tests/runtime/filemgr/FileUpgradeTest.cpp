// Structural upgrade of files written under an older declaration.
#include "runtime/filemgr/FileUpgrade.h"

#include <fstream>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/FileDeclBuilder.h"
#include "runtime/filemgr/ExampleFile.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

// The first generation of a file...
struct OldRec {
    Text<10> Name;
    Text<30> Title;
    int32_t ID = 0;
    int32_t Plays = 0;
    Text<10> Weight;
};

const FileDecl& oldDecl() {
    static const FileDecl decl = FileDeclBuilder<OldRec>("Tracks", "TRK", "tracks", 48)
                                     .field<&OldRec::Name>("Name")
                                     .field<&OldRec::Title>("Title")
                                     .field<&OldRec::ID>("ID")
                                     .field<&OldRec::Plays>("Plays")
                                     .field<&OldRec::Weight>("Weight")
                                     .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                     .key("ByName", {"Name"}, kNoCase)
                                     .build();
    return decl;
}

// ...and the next: Name wider, Title narrower, Plays narrower (BYTE), Weight a number, a field
// and a memo added, a key added.
struct NewRec {
    Text<20> Name;
    Text<5> Title;
    int32_t ID = 0;
    uint8_t Plays = 0;
    Decimal<4, 2> Weight;
    Text<2> Rating;
    std::string Notes;
};

const FileDecl& newDecl(unsigned titleKey = kDuplicates) {
    static const FileDecl dup = FileDeclBuilder<NewRec>("Tracks", "TRK", "tracks", 32)
                                    .field<&NewRec::Name>("Name")
                                    .field<&NewRec::Title>("Title")
                                    .field<&NewRec::ID>("ID")
                                    .field<&NewRec::Plays>("Plays")
                                    .field<&NewRec::Weight>("Weight")
                                    .field<&NewRec::Rating>("Rating")
                                    .memo<&NewRec::Notes>("Notes", 100)
                                    .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                    .key("ByName", {"Name"}, kNoCase)
                                    .key("ByTitle", {"Title", "Name"})
                                    .build();
    static const FileDecl unique = FileDeclBuilder<NewRec>("Tracks", "TRK", "tracks", 32)
                                       .field<&NewRec::Name>("Name")
                                       .field<&NewRec::Title>("Title")
                                       .field<&NewRec::ID>("ID")
                                       .field<&NewRec::Plays>("Plays")
                                       .field<&NewRec::Weight>("Weight")
                                       .field<&NewRec::Rating>("Rating")
                                       .memo<&NewRec::Notes>("Notes", 100)
                                       .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                       .key("ByName", {"Name"}, kNoCase)
                                       .key("ByTitle", {"Title"}, kUnique)
                                       .build();
    return titleKey == kUnique ? unique : dup;
}

class FileUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataFile old(db, oldDecl(), oldRec);
        ASSERT_EQ(old.create(), 0);
        ASSERT_EQ(old.open(), 0);
        const struct {
            const char* name;
            const char* title;
            int plays;
            const char* weight;
        } rows[] = {{"Björk", "Hyperballad", 12, "12.5"},
                    {"ABBA", "Waterloo", 300, "300005"},
                    {"abba", "Waterloo", -4, "abc"},
                    {"Ñandú", "Canción de cuna", 7, "-3.25x"}};
        for (const auto& r : rows) {
            oldRec = OldRec{};
            oldRec.Name = r.name;
            oldRec.Title = r.title;
            oldRec.Plays = r.plays;
            oldRec.Weight = r.weight;
            ASSERT_EQ(old.add(), 0);
        }
        ASSERT_EQ(old.close(), 0);
    }

    test::TempDir dir;
    test::TestDatabase db{dir.path()};
    OldRec oldRec;
    NewRec rec;
};

TEST_F(FileUpgradeTest, ConvertsToTheDeclaredLayoutKeepingEveryRecord) {
    DataFile file(db, newDecl(), rec);
    EXPECT_EQ(file.open(), err::kInvalidRecordLayout);

    ASSERT_EQ(upgradeFile(db, newDecl(), "tracks"), 0) << db.error().driverText;
    ASSERT_EQ(file.open(), 0) << db.error().text << db.error().driverText;
    EXPECT_EQ(file.records(), 4);

    struct Expected {
        int id;
        const char* name;
        const char* title;
        int plays;
        double weight;
    };
    // Titles keep their first five characters; plays are held to what a BYTE can hold; a text
    // weight gives its leading number (none: 0), held to what the DECIMAL(7,2) can hold.
    const Expected expected[] = {{1, "Björk", "Hyper", 12, 12.5},
                                 {2, "ABBA", "Water", 255, 99999.99},
                                 {3, "abba", "Water", 0, 0},
                                 {4, "Ñandú", "Canci", 7, -3.25}};
    const int keyId = file.keyIndex("KeyID");
    for (const Expected& x : expected) {
        rec = NewRec{};
        rec.ID = x.id;
        ASSERT_EQ(file.get(keyId), 0) << x.id;
        EXPECT_EQ(rec.Name.str(), x.name);
        EXPECT_EQ(rec.Title.str(), x.title);
        EXPECT_EQ(rec.Plays, x.plays);
        EXPECT_DOUBLE_EQ(rec.Weight.toDouble(), x.weight) << x.id;
        EXPECT_TRUE(rec.Rating.empty());
        EXPECT_TRUE(rec.Notes.empty());
    }

    // The case-insensitive key works on the converted texts, and the added key orders them.
    rec = NewRec{};
    rec.Name = "BJÖRK";
    ASSERT_EQ(file.get(file.keyIndex("ByName")), 0);
    EXPECT_EQ(rec.ID, 1);
    ASSERT_EQ(file.set(file.keyIndex("ByTitle")), 0);
    std::vector<std::string> titles;
    while (file.next() == 0) titles.push_back(rec.Title.str() + "/" + rec.Name.str());
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Canci/Ñandú", "Hyper/Björk", "Water/ABBA", "Water/abba"}));

    // New records continue the numbering and the record count follows.
    rec = NewRec{};
    rec.Name = "Nico";
    ASSERT_EQ(file.add(), 0) << db.error().driverText;
    EXPECT_EQ(rec.ID, 5);
    EXPECT_EQ(file.records(), 5);
}

// A file whose case-blind copies were written by an older program (folded text, which filed
// "Ñandú" after "Nico") is found out of date by its layout and keyed again as names are filed.
TEST_F(FileUpgradeTest, CopiesOfAnOlderOrderAreRebuilt) {
    CDZ_FILES_ONLY();
    ASSERT_EQ(upgradeFile(db, newDecl(), "tracks"), 0);
    {
        DataFile file(db, newDecl(), rec);
        ASSERT_EQ(file.open(), 0);
        rec = NewRec{};
        rec.Name = "Nico";
        ASSERT_EQ(file.add(), 0);
        const std::string path = file.path().string();
        ASSERT_EQ(file.close(), 0);
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(raw,
                               "UPDATE cdz_layout SET layout = replace(layout, ' NOCASE SORTKEY', "
                               "' NOCASE'); UPDATE Tracks SET Name__fold = lower(Name)",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(raw);
        sqlite3_close(raw);
    }
    DataFile file(db, newDecl(), rec);
    EXPECT_EQ(file.open(), err::kInvalidRecordLayout);
    ASSERT_EQ(upgradeFile(db, newDecl(), "tracks"), 0) << db.error().driverText;
    ASSERT_EQ(file.open(), 0);
    ASSERT_EQ(file.set(file.keyIndex("ByName")), 0);
    std::vector<std::string> names;
    while (file.next() == 0) names.push_back(rec.Name.str());
    EXPECT_EQ(names, (std::vector<std::string>{"ABBA", "abba", "Björk", "Ñandú", "Nico"}));
}

TEST_F(FileUpgradeTest, AnUpToDateFileIsLeftAsItIs) {
    ASSERT_EQ(upgradeFile(db, newDecl(), "tracks"), 0);
    ASSERT_EQ(upgradeFile(db, newDecl(), "tracks"), 0);
    DataFile file(db, newDecl(), rec);
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.records(), 4);
}

TEST_F(FileUpgradeTest, RecordsThatBreakADeclaredUniqueKeyLeaveTheOldFile) {
    // Both "Waterloo" titles become "Water": the new unique key cannot hold.
    EXPECT_EQ(upgradeFile(db, newDecl(kUnique), "tracks"), err::kDuplicateKey);
    DataFile old(db, oldDecl(), oldRec);
    ASSERT_EQ(old.open(), 0) << db.error().text;
    EXPECT_EQ(old.records(), 4);
    oldRec = OldRec{};
    oldRec.ID = 2;
    ASSERT_EQ(old.get(old.keyIndex("KeyID")), 0);
    EXPECT_EQ(oldRec.Title.str(), "Waterloo");
    EXPECT_EQ(oldRec.Plays, 300);
}

TEST_F(FileUpgradeTest, ATableDroppedByHandIsMadeAfresh) {
    test::rawSql(dir.path() / "tracks.tps", R"(DROP TABLE "Tracks")");
    ASSERT_EQ(upgradeFile(db, newDecl(), "tracks"), 0) << db.error().driverText;
    DataFile file(db, newDecl(), rec);
    ASSERT_EQ(file.open(), 0) << db.error().text;
    EXPECT_EQ(file.records(), 0);
    rec = NewRec{};
    rec.Name = "Nico";
    ASSERT_EQ(file.add(), 0) << db.error().driverText;
    EXPECT_EQ(rec.ID, 1);
}

// The example a repair starts from is made beside the file in a folder, and never on a server,
// where it would take the file's own place: either way the file keeps its records.
TEST_F(FileUpgradeTest, TheRepairExampleLeavesTheFileWhole) {
    std::filesystem::path example;
    EXPECT_EQ(makeExampleFile(db, oldDecl(), "tracks", &example),
              test::onServer() ? err::kAccessDenied : 0);
    DataFile old(db, oldDecl(), oldRec);
    ASSERT_EQ(old.open(), 0) << db.error().text;
    EXPECT_EQ(old.records(), 4);
}

TEST(FileUpgrade, MissingAndDamagedFiles) {
    test::TempDir dir;
    test::TestDatabase db(dir.path());
    EXPECT_EQ(upgradeFile(db, newDecl(), "tracks"), err::kFileNotFound);
    if (test::onServer()) return;  // what follows is a file's bytes

    std::ofstream(dir.file("tracks.tps")) << "this is not a database, only words in a file\n";
    EXPECT_EQ(upgradeFile(db, newDecl(), "tracks"), err::kDriverError);
    EXPECT_FALSE(db.error().driverText.empty());
}

}  // namespace
}  // namespace cdz
