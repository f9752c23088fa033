// The shared open routine on real files: missing, keys to rebuild, older layouts, damaged files
// and files left locked by a killed transaction.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/domain/data/MediaRecord.h"
#include "runtime/data/FileDeclBuilder.h"
#include "tests/app/shell/startup/StartupFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;
namespace fs = std::filesystem;

class OpenDataFileTest : public StartupFixture {
protected:
    // Adds media names to the stored media file and closes it again.
    void storeMedia(std::initializer_list<const char*> names) {
        {
            FileUse use(catalogue(), {F::Media});
            ASSERT_TRUE(use.ok());
            for (const char* n : names) {
                catalogue().media().Media = n;
                ASSERT_EQ(catalogue().file(F::Media).add(), 0);
            }
        }
        ASSERT_FALSE(catalogue().file(F::Media).isOpen());
    }

    std::vector<std::string> readMedia() {
        std::vector<std::string> names;
        DataFile& media = catalogue().file(F::Media);
        EXPECT_EQ(media.set(), 0);
        while (media.next() == 0) names.push_back(catalogue().media().Media.str());
        return names;
    }

    fs::path pathOf(F f) { return catalogue().file(f).path(); }
};

TEST_F(OpenDataFileTest, AnEmptyFolderGetsEveryFileCreatedOnFirstUse) {
    for (const auto& info : catalogueFiles()) {
        EXPECT_FALSE(fs::exists(pathOf(info.file))) << info.label;
        EXPECT_EQ(catalogue().use(info.file), 0) << info.label;
        EXPECT_TRUE(catalogue().file(info.file).isOpen()) << info.label;
        EXPECT_TRUE(fs::exists(pathOf(info.file))) << info.label;
        EXPECT_EQ(marker(), "") << info.label;
        catalogue().release(info.file);
    }
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(halts.empty());
}

TEST_F(OpenDataFileTest, KeysToRebuildAreRebuiltOnYesAndEndTheProgramOnNo) {
    struct Case {
        Button answer;
        int code;
        std::vector<std::string> halts;
        std::string marker;
    };
    const Case cases[] = {
        {Button::Yes, 0, {}, ""},
        {Button::No, err::kKeyFileRebuild, {"Invalid Key!"}, "cdzmedia"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(buttonName(c.answer)));
        makeState();
        fs::remove(pathOf(F::Media));
        storeMedia({"Vinyl", "Tape"});
        execOn(pathOf(F::Media), "DROP INDEX \"Media__KeyMedia\"");
        makeState();
        dialogs->queue(c.answer);
        EXPECT_EQ(catalogue().use(F::Media), c.code);
        ASSERT_EQ(messageTexts().size(), 1u);
        EXPECT_EQ(messageTexts()[0], "Media key file is invalid.  Do you want to rebuild the key?");
        EXPECT_EQ(dialogs->shown()[0].title, "Invalid Key");
        EXPECT_EQ(halts, c.halts);
        EXPECT_EQ(marker(), c.marker);
        if (c.code == 0) {
            EXPECT_EQ(readMedia(), (std::vector<std::string>{"Vinyl", "Tape"}));
            // The key is whole again: it refuses a duplicate.
            catalogue().media().Media = "Tape";
            EXPECT_EQ(catalogue().file(F::Media).add(), err::kDuplicateKey);
        }
        halts.clear();
    }
}

// The media file as an earlier version wrote it: a narrower name and no key.
struct EarlyMedia {
    Text<10> Media;
};

TEST_F(OpenDataFileTest, AnOlderLayoutIsUpgradedKeepingEveryRecord) {
    {
        Database db(dir.path());
        EarlyMedia rec;
        const FileDecl decl = FileDeclBuilder<EarlyMedia>("Media", "MED", "cdzmedia", 10)
                                  .field<&EarlyMedia::Media>("Media")
                                  .build();
        DataFile early(db, decl, rec);
        ASSERT_EQ(early.create(), 0);
        ASSERT_EQ(early.open(), 0);
        for (const char* n : {"Minidisc", "DAT", "Reel"}) {
            rec.Media = n;
            ASSERT_EQ(early.add(), 0);
        }
    }
    ASSERT_EQ(catalogue().use(F::Media), 0);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(marker(), "");
    EXPECT_EQ(readMedia(), (std::vector<std::string>{"Minidisc", "DAT", "Reel"}));
    // Now as wide as declared, and keyed.
    catalogue().media().Media = "Cassette (Chrome)";
    EXPECT_EQ(catalogue().file(F::Media).add(), 0);
    EXPECT_EQ(catalogue().file(F::Media).add(), err::kDuplicateKey);
}

TEST_F(OpenDataFileTest, ADamagedFileIsUpgradedWhenItCanBe) {
    storeMedia({"CD"});
    // The records' table is gone but the file still knows its layout.
    execOn(pathOf(F::Media), "DROP TABLE \"Media\"");
    makeState();
    EXPECT_EQ(catalogue().use(F::Media), 0);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(catalogue().file(F::Media).records(), 0);
}

TEST_F(OpenDataFileTest, AFileNothingRepairsEndsTheProgramWithDiskError) {
    {
        std::ofstream junk(pathOf(F::Cadenzio), std::ios::binary);
        junk << std::string(4096, '\x5a');
    }
    EXPECT_EQ(catalogue().use(F::Cadenzio), err::kDriverError);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].title, "File Access Error");
    EXPECT_EQ(messageTexts()[0],
              "File (Cadenzio) could not be opened.  Error: file is not a database (26).");
    EXPECT_EQ(halts, std::vector<std::string>{"Disk Error"});
    EXPECT_EQ(catalogue().useCount(F::Cadenzio), 0);
    // Cleared before the upgrade was tried: the repair question would not help this file.
    EXPECT_EQ(marker(), "");
}

TEST_F(OpenDataFileTest, AFileThatCannotBeCreatedEndsTheProgram) {
    // Its folder would have to be inside a plain file.
    std::ofstream(dir.file("blocker")) << "in the way";
    const std::string name = (dir.path() / "blocker" / "cdzlabel").string();
    catalogue().file(F::Labels).setName(name);
    EXPECT_NE(catalogue().use(F::Labels), 0);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].title, "File Creation Error");
    EXPECT_EQ(messageTexts()[0].rfind("Error: (", 0), 0u) << messageTexts()[0];
    EXPECT_NE(messageTexts()[0].find(") creating Labels.  Press OK to end this application."),
              std::string::npos)
        << messageTexts()[0];
    EXPECT_EQ(halts, std::vector<std::string>{"File Creation Error!"});
}

TEST_F(OpenDataFileTest, AFileLockedByAKilledTransactionOpensAfterRecovery) {
    storeMedia({"CD", "LP"});
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const fs::path folder = dir.path();
    const pid_t pid = fork();
    if (pid == 0) {
        // Another station that dies in the middle of a transaction big enough to have
        // reached the file itself.
        sqlite3* raw = nullptr;
        if (sqlite3_open((folder / "cdzmedia.tps").c_str(), &raw) != SQLITE_OK) _exit(1);
        const char* sql =
            "PRAGMA cache_size = 4; BEGIN; DELETE FROM \"Media\"; CREATE TABLE junk(x); WITH "
            "RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
            "FROM c WHERE i < 400) INSERT INTO junk SELECT randomblob(3000) FROM c;";
        if (sqlite3_exec(raw, sql, nullptr, nullptr, nullptr) != SQLITE_OK) _exit(2);
        if (write(ready[1], "x", 1) != 1) _exit(4);
        pause();
        _exit(0);
    }
    close(ready[1]);  // a child that fails ends the read
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(ready[0]);

    // A plain open is refused while the interrupted transaction's journal is there.
    {
        Database db(dir.path());
        MediaRecord rec;
        DataFile media(db, MediaRecord::declaration(), rec);
        ASSERT_EQ(media.open(), err::kFileLocked);
    }
    ASSERT_EQ(catalogue().use(F::Media), 0);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(readMedia(), (std::vector<std::string>{"CD", "LP"}));
}

}  // namespace
}  // namespace cdz::test
