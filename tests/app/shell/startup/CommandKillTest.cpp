// The long commands killed at random moments, ten rounds each: the catalogue stays sound and
// holds all of a run or none of it, an output file is the old one or the whole new one, no
// temporary file is left once a run completes, and a run after the kill completes.
#include <gtest/gtest.h>

#include <QProcess>

#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "app/domain/data/Catalogue.h"
#include "app/domain/data/SongRecord.h"
#include "runtime/data/pg/PgConnection.h"
#include "runtime/data/pg/PgTableSql.h"
#include "tests/app/shell/startup/StoredCatalogue.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/KillRounds.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = killRounds(10);
constexpr int kSongs = 4000;

struct Outcome {
    int status = -1;
    std::string err;
};

QProcess* started(QProcess& p, const fs::path& folder, const QStringList& args) {
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(cdz::test::appPath(), QStringList(args)
                                      << "--data-dir" << QString::fromStdString(folder.string())
                                      << catalogueArguments(folder));
    return &p;
}

Outcome cdzapp(const fs::path& folder, const QStringList& args) {
    QProcess p;
    started(p, folder, args);
    Outcome r;
    if (!p.waitForFinished(180000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = p.readAllStandardError().toStdString();
    return r;
}

// Runs the command and kills it after `wait`, unless it ended first.
void killedAfter(const fs::path& folder, const QStringList& args, Clock::duration wait) {
    QProcess p;
    started(p, folder, args);
    p.waitForStarted();
    std::this_thread::sleep_for(wait);
    p.kill();
    p.waitForFinished();
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int64_t songs(const fs::path& folder) {
    const std::string n = storedRows(folder, "cdzdata.tps", "SELECT count(*) FROM \"Cadenzio\"");
    return n.empty() ? -1 : std::stoll(n);
}

void expectSound(const fs::path& folder) {
    if (onServer()) return;  // the server keeps its own tables whole
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".tps") continue;
        EXPECT_EQ(storedRows(folder, entry.path().filename().string(), "PRAGMA integrity_check"),
                  "ok\n")
            << entry.path();
    }
}

void expectNoTemporary(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
            << entry.path();
}

// A CD label numbered 1, for the label command.
void addLabel(const fs::path& folder) {
    Catalogue c(folder, testServer(folder));
    ASSERT_EQ(c.use(CatalogueFile::Labels), 0);
    c.file(CatalogueFile::Labels).clearBuffer();
    c.label().LabelID = 1;
    c.label().LabelType = "CD";
    c.label().CDTitle = "Blue Train";
    c.label().CDCoverText = "1. Blue Train (10:43)";
    ASSERT_EQ(c.file(CatalogueFile::Labels).add(), 0);
    c.release(CatalogueFile::Labels);
}

class CommandKill : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream csv(dir.path() / "in.csv");
        csv << "MUS:Artist,MUS:Title,MUS:Album\n";
        for (int i = 0; i < kSongs; ++i)
            csv << "Artist " << i % 97 << ",Title " << i << ",Album " << i / 7 << "\n";
        csv.close();
        fs::create_directory(folder);
        const Outcome first = cdzapp(folder, {"--import", csvPath()});
        ASSERT_EQ(first.status, 0) << first.err;
        const unsigned seed = std::random_device{}();
        ::testing::Test::RecordProperty("seed", std::to_string(seed));
        random.seed(seed);
    }

    QString csvPath() const { return QString::fromStdString((dir.path() / "in.csv").string()); }

    // How long a whole run of `args` takes here; each kill lands somewhere in it.
    Clock::duration span(const QStringList& args) {
        const auto begin = Clock::now();
        const Outcome whole = cdzapp(folder, args);
        EXPECT_EQ(whole.status, 0) << whole.err;
        return Clock::now() - begin;
    }
    Clock::duration moment(Clock::duration span) {
        std::uniform_int_distribution<long long> at(0, span.count());
        return Clock::duration(at(random));
    }

    TempDir dir;
    fs::path folder = dir.path() / "catalogue";
    std::mt19937 random;
};

// An output file is the one that was there or the whole new one.
TEST_F(CommandKill, AKilledExportOrPrintLeavesTheOldFileOrTheWholeNewOne) {
    addLabel(folder);
    const auto pdf = [](const std::string& s) {
        return s.starts_with("%PDF") && s.ends_with("%%EOF\n");
    };
    const struct {
        QStringList args;
        const char* name;
        bool (*whole)(const std::string&);
    } commands[] = {
        {{"--export"},
         "songs.csv",
         [](const std::string& s) { return std::count(s.begin(), s.end(), '\n') == kSongs + 1; }},
        {{"--print", "PRINTMUS:SONGSBYARTIST", "--pdf"}, "songs.pdf", pdf},
        {{"--print-label", "1", "--pdf"}, "label.pdf", pdf},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        const QString target = QString::fromStdString((dir.path() / c.name).string());
        const Clock::duration whole = span(QStringList(c.args) << target);
        for (int round = 0; round < kRounds; ++round) {
            SCOPED_TRACE(round);
            std::ofstream(dir.path() / c.name) << "old";
            killedAfter(folder, QStringList(c.args) << target, moment(whole));
            const std::string left = contents(dir.path() / c.name);
            EXPECT_TRUE(left == "old" || c.whole(left)) << left.substr(0, 40);
            const Outcome again = cdzapp(folder, QStringList(c.args) << target);
            EXPECT_EQ(again.status, 0) << again.err;
            EXPECT_TRUE(c.whole(contents(dir.path() / c.name)));
            expectNoTemporary(dir.path());
            expectSound(folder);
        }
    }
}

// The command's import is one transaction: all of the file's songs or none.
TEST_F(CommandKill, AKilledImportAddsAllOfTheFileOrNothing) {
    const Clock::duration whole = span({"--import", csvPath()});
    int64_t expected = songs(folder);
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        killedAfter(folder, {"--import", csvPath()}, moment(whole));
        const int64_t now = songs(folder);
        EXPECT_TRUE(now == expected || now == expected + kSongs) << now;
        expectSound(folder);
        const Outcome again = cdzapp(folder, {"--import", csvPath()});
        EXPECT_EQ(again.status, 0) << again.err;
        expected = now + kSongs;
        EXPECT_EQ(songs(folder), expected);
    }
}

#ifdef CDZ_TEST_ON_SERVER
// A copy is whole or not made: a killed copy into a folder leaves it without data files, and a
// killed copy to the server leaves the catalogue there empty; either can be run again.
TEST_F(CommandKill, AKilledCopyLeavesTheTargetAsItWasAndCanBeRunAgain) {
    const OnServer server = testServer(folder);
    const QStringList source{"--catalogue", QString::fromStdString(server.catalogue)};
    const QString url = QString::fromStdString(server.conninfo);
    const auto fromServer = [&](const fs::path& into) {
        return QStringList{"--copy-from-server", url} << source << "--data-dir"
                                                      << QString::fromStdString(into.string());
    };
    const auto run = [](const QStringList& args) {
        QProcess p;
        p.start(cdz::test::appPath(), args);
        p.waitForFinished(180000);
        return std::pair(p.exitCode(), p.readAllStandardError().toStdString());
    };
    const fs::path probe = dir.path() / "probe";
    fs::create_directory(probe);
    const auto begin = Clock::now();
    ASSERT_EQ(run(fromServer(probe)).first, 0);
    const Clock::duration whole = Clock::now() - begin;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        const fs::path into = dir.path() / ("into" + std::to_string(round));
        fs::create_directory(into);
        QProcess p;
        p.start(cdz::test::appPath(), fromServer(into));
        p.waitForStarted();
        std::this_thread::sleep_for(moment(whole));
        p.kill();
        p.waitForFinished();
        const std::string copied = contents(into / "cdzdata.tps");
        const auto [status, err] = run(fromServer(into));
        if (status != 0) {
            // Only a copy that had finished before the kill is refused the second time.
            EXPECT_NE(err.find("holds"), std::string::npos) << err;
            EXPECT_FALSE(copied.empty());
        }
        EXPECT_EQ(runSqliteShell(into / "cdzdata.tps", "SELECT count(*) FROM \"Cadenzio\"").out,
                  std::to_string(songs(folder)) + "\n");
        EXPECT_EQ(runSqliteShell(into / "cdzdata.tps", "PRAGMA integrity_check").out, "ok\n");
        for (const auto& entry : fs::directory_iterator(into))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".copy-from-server"))
                << entry.path();
    }
    // To the server: one transaction, so a kill leaves none of the songs or all of them, with
    // the table, its stored count and its keys agreeing (the keys are made after the rows).
    struct There {  // all 0 where the copy was killed before it made the table
        int64_t rows = 0;
        int64_t counted = 0;
        int64_t keys = 0;
    };
    const auto songsThere = [&](const std::string& catalogue) {
        pg::PgConnection conn;
        pg::PgResult r;
        const std::string schema = catalogue + "_cdzdata";
        There t;
        if (conn.open(server.conninfo) ||
            conn.query(
                "SELECT (SELECT count(*) FROM \"" + schema +
                    "\".\"Cadenzio\"), "
                    "(SELECT records FROM \"" +
                    schema +
                    "\".cdz_layout WHERE tbl = "
                    "'Cadenzio'), (SELECT count(*) FROM pg_indexes WHERE schemaname = $1 AND "
                    "tablename = 'Cadenzio')",
                {schema}, &r) ||
            r.rows() != 1)
            return t;
        t.rows = std::stoll(std::string(r.text(0, 0)));
        t.counted = r.isNull(0, 1) ? 0 : std::stoll(std::string(r.text(0, 1)));
        t.keys = std::stoll(std::string(r.text(0, 2)));
        return t;
    };
    // The keys of a whole copy, and one more for the record number.
    const auto keys = static_cast<int64_t>(
        pg::PgTableSql(SongRecord::declaration(), "s", "Cadenzio").indexNames().size() + 1);
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        const std::string name = "killed" + std::to_string(round);
        const QStringList toServer{"--copy-to-server", url,
                                   "--catalogue",      QString::fromStdString(name),
                                   "--data-dir",       QString::fromStdString(probe.string())};
        QProcess p;
        p.start(cdz::test::appPath(), toServer);
        p.waitForStarted();
        std::this_thread::sleep_for(moment(whole));
        p.kill();
        p.waitForFinished();
        const There left = songsThere(name);
        EXPECT_TRUE(left.rows == 0 || left.rows == kSongs) << left.rows;
        EXPECT_EQ(left.counted, left.rows);
        if (left.rows == 0) {
            EXPECT_EQ(run(toServer).first, 0);
        }
        const There after = songsThere(name);
        EXPECT_EQ(after.rows, kSongs);
        EXPECT_EQ(after.counted, kSongs);
        EXPECT_EQ(after.keys, keys);
    }
}
#endif

}  // namespace
}  // namespace cdz::test
