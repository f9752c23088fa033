// The use counters: a file is opened on its first use and closed on its last release, through
// the open routine in force; the guard gives back what it took. And the files stay readable by
// the stock sqlite3 shell.
#include <gtest/gtest.h>

#include <fstream>

#include "app/domain/data/Catalogue.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

using F = CatalogueFile;

class UseCounterTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Catalogue cat{dir.path()};
};

TEST_F(UseCounterTest, OpensOnFirstUseAndClosesOnLastRelease) {
    int opens = 0;
    cat.setOpenRoutine([&](DataFile& f) {
        ++opens;
        return Catalogue::openOrCreate(f);
    });
    EXPECT_EQ(cat.use(F::Album), 0);
    EXPECT_EQ(cat.use(F::Album), 0);
    EXPECT_EQ(cat.use(F::Album), 0);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(cat.useCount(F::Album), 3);
    cat.release(F::Album);
    cat.release(F::Album);
    EXPECT_TRUE(cat.file(F::Album).isOpen());
    cat.release(F::Album);
    EXPECT_FALSE(cat.file(F::Album).isOpen());
    EXPECT_EQ(cat.useCount(F::Album), 0);
    cat.release(F::Album);  // one release too many changes nothing
    EXPECT_EQ(cat.useCount(F::Album), 0);
    EXPECT_EQ(cat.use(F::Album), 0);
    EXPECT_EQ(opens, 2);
    EXPECT_TRUE(cat.file(F::Album).isOpen());
}

TEST_F(UseCounterTest, AFailedOpenLeavesTheCountAtZeroAndIsTriedAgain) {
    {
        std::ofstream junk(dir.path() / "cdzmedia.tps", std::ios::binary);
        junk << std::string(4096, 'x');  // not a database
    }
    int code = cat.use(F::Media);
    EXPECT_NE(code, 0);
    EXPECT_EQ(cat.database().error().code, code);
    EXPECT_EQ(cat.useCount(F::Media), 0);
    EXPECT_FALSE(cat.file(F::Media).isOpen());

    std::filesystem::remove(dir.path() / "cdzmedia.tps");
    EXPECT_EQ(cat.use(F::Media), 0);  // the plain routine creates it now
    EXPECT_EQ(cat.useCount(F::Media), 1);
}

TEST_F(UseCounterTest, GuardHoldsItsFilesForItsLifetime) {
    EXPECT_EQ(cat.use(F::Cadenzio), 0);  // the frame's own use
    {
        FileUse use(cat, {F::Cadenzio, F::Album, F::Categories});
        ASSERT_TRUE(use.ok());
        EXPECT_EQ(cat.useCount(F::Cadenzio), 2);
        EXPECT_EQ(cat.useCount(F::Album), 1);
        EXPECT_TRUE(cat.file(F::Categories).isOpen());
    }
    EXPECT_EQ(cat.useCount(F::Cadenzio), 1);
    EXPECT_TRUE(cat.file(F::Cadenzio).isOpen());
    EXPECT_EQ(cat.useCount(F::Album), 0);
    EXPECT_FALSE(cat.file(F::Categories).isOpen());
}

TEST_F(UseCounterTest, GuardThatCannotTakeAFileGivesBackTheOthersAndSaysWhy) {
    cat.setOpenRoutine([](DataFile& f) {
        if (f.decl().label() == "Labels") return f.database().fail(err::kFileLocked);
        return Catalogue::openOrCreate(f);
    });
    FileUse use(cat, {F::Fonts, F::Labels, F::Album});
    EXPECT_EQ(use.code(), err::kFileLocked);
    EXPECT_EQ(cat.database().error().code, err::kFileLocked);
    for (F f : {F::Fonts, F::Labels, F::Album}) {
        EXPECT_EQ(cat.useCount(f), 0);
        EXPECT_FALSE(cat.file(f).isOpen());
    }
}

TEST_F(UseCounterTest, ElevenFilesOpenCloseInAnyOrderAndOpenAgain) {
    // Eleven at most at once over the files in a folder: all but the audio files' file.
    for (const auto& info : catalogueFiles()) {
        if (info.file != F::AudioFiles) {
            ASSERT_EQ(cat.use(info.file), 0) << info.label;
        }
    }
    // The songs file went first and is the connection's main database; closing it while the
    // others stay open must not disturb them.
    cat.release(F::Cadenzio);
    cat.media().Media = "Cassette";
    EXPECT_EQ(cat.file(F::Media).add(), 0);
    EXPECT_EQ(cat.use(F::Cadenzio), 0);
    cat.song().Title = "Back";
    EXPECT_EQ(cat.file(F::Cadenzio).add(), 0);
    for (const auto& info : catalogueFiles()) cat.release(info.file);
    for (const auto& info : catalogueFiles()) EXPECT_FALSE(cat.file(info.file).isOpen());
    EXPECT_EQ(cat.use(F::AudioFiles), 0);
    cat.release(F::AudioFiles);
    EXPECT_EQ(cat.database().attachedCount(), 0);

    EXPECT_EQ(cat.use(F::Media), 0);
    EXPECT_EQ(cat.file(F::Media).records(), 1);
}

TEST_F(UseCounterTest, TheSqliteShellReadsTheSongsFile) {
    ASSERT_EQ(cat.use(F::Cadenzio), 0);
    for (const char* artist : {"Björk", "BJÖRK", "Abba"}) {
        cat.song() = SongRecord{};
        cat.song().Artist = artist;
        cat.song().Title = "Jóga";
        cat.song().Notes = "notes";
        ASSERT_EQ(cat.file(F::Cadenzio).add(), 0);
    }
    cat.release(F::Cadenzio);

    const auto file = dir.path() / "cdzdata.tps";
    auto count = test::runSqliteShell(file, "select count(*) from Cadenzio");
    ASSERT_TRUE(count.ran) << "the sqlite3 shell did not run";
    EXPECT_EQ(count.exitCode, 0) << count.err;
    EXPECT_EQ(count.out, "3\n");
    auto rows = test::runSqliteShell(
        file, "select Artist, Title, ID, Notes from Cadenzio where Artist = 'Björk'");
    EXPECT_EQ(rows.out, "Björk|Jóga|1|notes\n");
    // The shell's own check finds nothing wrong, and its integrity check passes.
    auto check = test::runSqliteShell(file, "pragma integrity_check");
    EXPECT_EQ(check.out, "ok\n");
}

}  // namespace
}  // namespace cdz
