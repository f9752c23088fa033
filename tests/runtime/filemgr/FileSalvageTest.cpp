// Repair of damaged files from their example, and the repair program around it.
#include "runtime/filemgr/FileSalvage.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/FileDeclBuilder.h"
#include "runtime/filemgr/ExampleFile.h"
#include "runtime/filemgr/FileSalvageSummary.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

namespace fs = std::filesystem;

struct Rec {
    Text<40> Name;
    int32_t ID = 0;
    std::string Notes;
};

const FileDecl& decl() {
    static const FileDecl d = FileDeclBuilder<Rec>("Tracks", "TRK", "tracks", 44)
                                  .field<&Rec::Name>("Name")
                                  .field<&Rec::ID>("ID")
                                  .memo<&Rec::Notes>("Notes", 400)
                                  .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                  .key("ByName", {"Name"}, kNoCase)
                                  .build();
    return d;
}

// Another declaration of the same record: another table, or the same with one key fewer.
FileDecl otherDecl(const char* label, const char* externalName) {
    return FileDeclBuilder<Rec>(label, "OTH", externalName, 44)
        .field<&Rec::Name>("Name")
        .field<&Rec::ID>("ID")
        .memo<&Rec::Notes>("Notes", 400)
        .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
        .build();
}

constexpr int kRecords = 3000;

struct ProgramRun {
    int status = -1;
    std::string output;  // standard output and error together
};

ProgramRun runRepairProgram(const std::string& arguments) {
    ProgramRun run;
    FILE* out =
        popen((std::string(cdz::test::tpsfixPath()) + " " + arguments + " 2>&1").c_str(), "r");
    if (!out) return run;
    char buf[256];
    while (fgets(buf, sizeof buf, out)) run.output += buf;
    run.status = WEXITSTATUS(pclose(out));
    return run;
}

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FileSalvageTest : public ::testing::Test {
protected:
    void SetUp() override {
        {
            DataFile file(db, decl(), rec);
            ASSERT_EQ(file.create(), 0);
            ASSERT_EQ(file.open(), 0);
            ASSERT_EQ(file.stream(), 0);
            for (int i = 0; i < kRecords; ++i) {
                rec = Rec{};
                rec.Name = "Name " + std::to_string(i);
                rec.Notes = std::string(300, static_cast<char>('a' + i % 26));
                ASSERT_EQ(file.add(), 0);
            }
            ASSERT_EQ(file.flush(), 0);
            ASSERT_EQ(file.close(), 0);
        }
        ASSERT_EQ(makeExampleFile(db, decl(), "tracks", &example), 0) << db.error().driverText;
        data = dir.path() / "tracks.tps";
    }

    // Overwrites pages of the file with noise, as a failing disk would.
    void damagePages(int first, int count) {
        const auto size = fs::file_size(data);
        const int pageSize = 4096;
        ASSERT_GT(static_cast<int64_t>(size), static_cast<int64_t>(first + count) * pageSize);
        std::fstream f(data, std::ios::in | std::ios::out | std::ios::binary);
        std::mt19937 noise(7);
        f.seekp(static_cast<std::streamoff>(first) * pageSize);
        for (int i = 0; i < count * pageSize; ++i) f.put(static_cast<char>(noise()));
    }

    // Records of the rebuilt file, read through the program's own data layer.
    int64_t readBack(bool* allSound) {
        DataFile file(db, decl(), rec);
        EXPECT_EQ(file.open(), 0) << db.error().text << db.error().driverText;
        int64_t n = 0;
        *allSound = true;
        file.set(file.keyIndex("KeyID"));
        while (file.next() == 0) {
            ++n;
            const int i = rec.ID - 1;
            if (rec.Name.str() != "Name " + std::to_string(i) ||
                rec.Notes != std::string(300, static_cast<char>('a' + i % 26))) {
                *allSound = false;
            }
        }
        EXPECT_EQ(file.records(), n);
        file.close();
        return n;
    }

    static std::string integrity(const fs::path& file) {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &stmt, nullptr);
        std::string result = "no answer";
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            result = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(raw);
        return result;
    }

    test::TempDir dir;
    Database db{dir.path()};
    Rec rec;
    fs::path example;
    fs::path data;
};

TEST_F(FileSalvageTest, ASoundFileKeepsEveryRecord) {
    SalvageReport report;
    std::string error;
    ASSERT_TRUE(salvageFile(data, example, &report, &error)) << error;
    EXPECT_EQ(report.saved(), kRecords);
    EXPECT_EQ(report.lost(), 0);
    bool sound = false;
    EXPECT_EQ(readBack(&sound), kRecords);
    EXPECT_TRUE(sound);
    EXPECT_TRUE(fs::exists(report.keptAs));
}

TEST_F(FileSalvageTest, DamagedPagesLoseOnlyTheRecordsOnThem) {
    const int pages = static_cast<int>(fs::file_size(data) / 4096);
    damagePages(pages / 2, 2);
    ASSERT_NE(integrity(data), "ok");

    SalvageReport report;
    std::string error;
    ASSERT_TRUE(salvageFile(data, example, &report, &error)) << error;
    ASSERT_EQ(report.tables.size(), 1u);
    // Two damaged pages of about ten records each, or one interior page: most records survive.
    EXPECT_GT(report.saved(), kRecords * 9 / 10);
    EXPECT_LT(report.saved(), kRecords);
    EXPECT_EQ(report.saved() + report.lost(), kRecords);
    EXPECT_FALSE(report.tables[0].note.empty());

    EXPECT_EQ(integrity(data), "ok");
    bool sound = false;
    EXPECT_EQ(readBack(&sound), report.saved());
    EXPECT_TRUE(sound) << "a saved record differs from what was written";
    // The damaged file is kept as it was.
    EXPECT_NE(integrity(report.keptAs), "ok");
}

TEST_F(FileSalvageTest, AFileThatIsNotADatabaseBecomesAnEmptyFileAndIsKept) {
    std::ofstream(data, std::ios::trunc) << "noise noise noise";
    SalvageReport report;
    std::string error;
    ASSERT_TRUE(salvageFile(data, example, &report, &error)) << error;
    EXPECT_EQ(report.saved(), 0);
    EXPECT_EQ(report.lost(), -1);
    bool sound = false;
    EXPECT_EQ(readBack(&sound), 0);
    std::ifstream kept(report.keptAs);
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "noise noise noise");
}

TEST_F(FileSalvageTest, WithoutTheExampleNothingIsTouched) {
    const auto before = fs::file_size(data);
    SalvageReport report;
    std::string error;
    EXPECT_FALSE(salvageFile(data, dir.path() / "none.tpe", &report, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fs::file_size(data), before);
    EXPECT_FALSE(fs::exists(data.string() + ".damaged"));
}

TEST_F(FileSalvageTest, TheRepairProgramReportsWhatItSavedAndLost) {
    damagePages(static_cast<int>(fs::file_size(data) / 4096) / 3, 1);
    const ProgramRun run = runRepairProgram(data.string() + " /E:" + example.string() + " /K");
    const std::string& text = run.output;
    EXPECT_EQ(run.status, 0) << text;
    EXPECT_NE(text.find("records saved"), std::string::npos) << text;
    EXPECT_NE(text.find(" lost"), std::string::npos) << text;
    EXPECT_EQ(integrity(data), "ok");
    // The summary the program that ran it reads back.
    const std::optional<SalvageSummary> summary = readSummary(text);
    ASSERT_TRUE(summary) << text;
    EXPECT_GT(summary->saved, 0);
    EXPECT_GT(summary->lost, 0);
    EXPECT_EQ(summary->saved + summary->lost, kRecords);
    EXPECT_EQ(summary->keptAs, data.string() + ".damaged");

    // Wrong use is refused with its usage line.
    const ProgramRun bad = runRepairProgram("");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("usage"), std::string::npos);
}

TEST_F(FileSalvageTest, TheRepairProgramRefusesWhatItCannotRepairAndChangesNothing) {
    const FileDecl albums = otherDecl("Albums", "albums");
    const FileDecl otherTracks = otherDecl("Tracks", "newtracks");
    fs::path albumsExample;
    fs::path otherLayout;
    ASSERT_EQ(makeExampleFile(db, albums, "albums", &albumsExample), 0);
    ASSERT_EQ(makeExampleFile(db, otherTracks, "newtracks", &otherLayout), 0);
    const fs::path noise = dir.path() / "noise.tps";
    std::ofstream(noise) << "noise noise noise";
    // Another catalogue's file of the same layout: its records must never join the repair.
    const fs::path foreign = dir.path() / "foreign.tpe";
    fs::copy_file(data, foreign);

    struct Case {
        fs::path file;
        fs::path example;
        std::string told;
        int status = 1;
    };
    const Case cases[] = {
        {data, albumsExample,
         "the example albums.tpe is of table Albums, but tracks.tps holds table Tracks"},
        {data, otherLayout,
         "the example newtracks.tpe declares table Tracks with another layout than the one "
         "tracks.tps holds"},
        {noise, albumsExample,
         "the layout of noise.tps cannot be read, and the example albums.tpe (table Albums) is "
         "not named after it"},
        {dir.path() / "missing.tps", example,
         (dir.path() / "missing.tps").string() + " does not exist"},
        {data, data, "the example file is the file itself; give an empty file of its layout", 2},
        {data, foreign,
         "the example file holds records (" + std::to_string(kRecords) +
             " in Tracks); give an empty file",
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        const std::string before = slurp(c.file);
        const ProgramRun run =
            runRepairProgram(c.file.string() + " /E:" + c.example.string() + " /K");
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.output, "tpsfix: " + c.file.string() + ": not repaired: " + c.told +
                                  "; nothing was changed\n");
        EXPECT_EQ(slurp(c.file), before);
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            EXPECT_EQ(entry.path().string().find(".damaged"), std::string::npos) << entry.path();
            EXPECT_EQ(entry.path().string().find(".rebuilding"), std::string::npos) << entry.path();
        }
    }
    EXPECT_FALSE(fs::exists(dir.path() / "missing.tps"));
}

TEST_F(FileSalvageTest, EveryRepairKeepsItsOwnCopyOfTheDamagedFile) {
    const std::string copies[] = {".damaged", ".damaged.1", ".damaged.2"};
    for (int round = 0; round < 3; ++round) {
        std::ofstream(data, std::ios::trunc) << "round " << round;
        SalvageReport report;
        std::string error;
        ASSERT_TRUE(salvageFile(data, example, &report, &error)) << error;
        EXPECT_EQ(report.keptAs, data.string() + copies[round]);
    }
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(slurp(data.string() + copies[round]), "round " + std::to_string(round));
    }
}

TEST_F(FileSalvageTest, TheFileKeepsItsNameWhenTheFirstCopyNameIsTaken) {
    // A journal to move with the file, and a folder where the first copy's journal would go.
    std::ofstream(data.string() + "-journal");
    fs::create_directories(data.string() + ".damaged-journal/inside");
    SalvageReport report;
    std::string error;
    ASSERT_TRUE(salvageFile(data, example, &report, &error)) << error;
    EXPECT_EQ(report.keptAs, data.string() + ".damaged.1");
    EXPECT_TRUE(fs::exists(data.string() + ".damaged.1-journal"));
    EXPECT_FALSE(fs::exists(data.string() + "-journal"));
    bool sound = false;
    EXPECT_EQ(readBack(&sound), kRecords);
    EXPECT_TRUE(sound);
}

}  // namespace
}  // namespace cdz
