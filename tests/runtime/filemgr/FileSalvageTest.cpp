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

constexpr int kRecords = 3000;

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
    const std::string command =
        std::string(CDZ_TPSFIX) + " " + data.string() + " /E:" + example.string() + " /K 2>&1";
    FILE* out = popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string text;
    char buf[256];
    while (fgets(buf, sizeof buf, out)) text += buf;
    const int status = pclose(out);
    EXPECT_EQ(WEXITSTATUS(status), 0) << text;
    EXPECT_NE(text.find("records saved"), std::string::npos) << text;
    EXPECT_NE(text.find(" lost"), std::string::npos) << text;
    EXPECT_EQ(integrity(data), "ok");

    // Wrong use is refused with its usage line.
    FILE* bad = popen((std::string(CDZ_TPSFIX) + " 2>&1").c_str(), "r");
    std::string usage;
    while (fgets(buf, sizeof buf, bad)) usage += buf;
    EXPECT_EQ(WEXITSTATUS(pclose(bad)), 2);
    EXPECT_NE(usage.find("usage"), std::string::npos);
}

}  // namespace
}  // namespace cdz
