// The chart (Top 40) and the playlist printout over real files: the chart numbers its
// playlist 1, 2, 3 ... in one transaction as it prints, and the printout adds the lengths of
// the songs it prints, a deleted song adding nothing.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <cstdio>

#include "app/reports/PlaylistRenumber.h"
#include "app/reports/PlaylistReportSubject.h"
#include "app/reports/PrintCommand.h"
#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "app/reports/TimeTotalLayout.h"
#include "runtime/text/DateTime.h"
#include "tests/app/reports/ReportFixture.h"

namespace cdz::test {
namespace {

struct PlaylistSong {
    const char* title;
    int32_t time;  // stored time value, 0 none
    int64_t seq;
    const char* note;
};

// Playlist 7 "Friday Chart" of the given songs, song n having MUS:ID n; the second playlist
// holds one entry of its own. `deleted` songs are erased after their entries were made.
class PlaylistReportsTest : public ::testing::Test {
protected:
    void make(const std::vector<PlaylistSong>& songs, std::vector<int> deleted = {}) {
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::Cadenzio, CatalogueFile::Categories,
                        CatalogueFile::PlaylistDetails, CatalogueFile::PlaylistMaster});
        c.category().CategoryID = Decimal<6, 0>::fromRaw(1);
        c.category().Category = "Dance";
        ASSERT_EQ(c.file(CatalogueFile::Categories).add(), 0);
        c.playlist().PlaylistID = 7;
        c.playlist().PlaylistDescription = "Friday Chart";
        ASSERT_EQ(c.file(CatalogueFile::PlaylistMaster).add(), 0);
        for (const PlaylistSong& s : songs) {
            c.file(CatalogueFile::Cadenzio).clearBuffer();
            c.song().Artist = "Artist";
            c.song().Title = s.title;
            c.song().Time = s.time;
            c.song().CategoryID = 1;
            c.song().FileNumber = "F1";
            c.song().TrackNumber = 5;
            ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
            c.playlistEntry().PlaylistID = 7;
            c.playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(s.seq);
            c.playlistEntry().ID = Decimal<6, 0>::fromRaw(c.song().ID);
            c.playlistEntry().PlaylistNotes = s.note;
            ASSERT_EQ(c.file(CatalogueFile::PlaylistDetails).add(), 0);
        }
        c.playlistEntry().PlaylistID = 8;
        c.playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(3);
        ASSERT_EQ(c.file(CatalogueFile::PlaylistDetails).add(), 0);
        for (int id : deleted) {
            ASSERT_EQ(c.file(CatalogueFile::Cadenzio).getRecord(id), 0);
            ASSERT_EQ(c.file(CatalogueFile::Cadenzio).erase(), 0);
        }
    }
    // Playlist 7's entries: their numbers in key order.
    std::vector<int64_t> numbers() {
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::PlaylistDetails});
        DataFile& file = c.file(CatalogueFile::PlaylistDetails);
        std::vector<int64_t> out;
        file.set(PlaylistDetailRecord::KeyPlaylistID);
        while (file.next() == 0)
            if (c.playlistEntry().PlaylistID == 7)
                out.push_back(c.playlistEntry().PlaylistSeq.toInt());
        return out;
    }
    std::unique_ptr<ReportJob> start(const char* report) {
        ReportRequest request;
        PlaylistReportSubject::describe(request, std::string(report) == "PRINTPLAYLISTTOP40", 7,
                                        "Friday Chart");
        auto job = std::make_unique<ReportJob>(*f.state, *ReportCatalogue::find(report), request,
                                               letterPaper());
        EXPECT_TRUE(job->start()) << job->error();
        return job;
    }
    std::vector<std::string> print(const char* report) {
        FileUse use(f.state->catalogue(), {CatalogueFile::PlaylistDetails, CatalogueFile::Cadenzio,
                                           CatalogueFile::Categories});
        auto job = start(report);
        while (job->step(10)) {
        }
        EXPECT_TRUE(job->finish());
        return textsOf(job->pages());
    }

    StateFixture f;
};

// The texts that follow `first` on its line, `count` of them, without the blanks that pad
// them.
std::vector<std::string> after(const std::vector<std::string>& texts, const std::string& first,
                               size_t count) {
    std::vector<std::string> out;
    for (size_t i = 0; i + count < texts.size() && out.empty(); ++i) {
        if (texts[i] != first) continue;
        for (size_t k = i + 1; k <= i + count; ++k)
            out.push_back(QString::fromStdString(texts[k]).trimmed().toStdString());
    }
    return out;
}

TEST_F(PlaylistReportsTest, TheChartRenumbersAndPrintsThisWeekAndLastWeek) {
    make({{"Second", timeFromHms(0, 3, 0), 2, "Big LW:7"},
          {"Fifth", timeFromHms(0, 4, 0), 5, ""},
          {"Ninth", timeFromHms(0, 2, 30), 9, "Climber LW:104"}});
    const auto texts = print("PRINTPLAYLISTTOP40");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "Friday Chart");
    EXPECT_EQ(numbers(), (std::vector<int64_t>{1, 2, 3}));
    // Title, then Time, Trk, TW, LW.
    EXPECT_EQ(after(texts, "Second", 4)[2], "1");
    EXPECT_EQ(after(texts, "Second", 4)[3], "7");
    EXPECT_EQ(after(texts, "Fifth", 4)[2], "2");
    EXPECT_EQ(after(texts, "Fifth", 4)[3], "--");
    EXPECT_EQ(after(texts, "Ninth", 4)[2], "3");
    EXPECT_EQ(after(texts, "Ninth", 4)[3], "104");
}

TEST_F(PlaylistReportsTest, AChartLeftMidwayLeavesEveryEntryWithANumberOfItsOwn) {
    make({{"A", 0, 4, ""}, {"B", 0, 6, ""}, {"C", 0, 8, ""}, {"D", 0, 9, ""}});
    {
        FileUse use(f.state->catalogue(), {CatalogueFile::PlaylistDetails, CatalogueFile::Cadenzio,
                                           CatalogueFile::Categories});
        auto job = start("PRINTPLAYLISTTOP40");
        ASSERT_TRUE(job->step(1));
    }  // cancelled
    EXPECT_EQ(numbers(), (std::vector<int64_t>{1, 2, 3, 4}));
}

TEST_F(PlaylistReportsTest, ARenumberingRefusedHalfWayIsAFailureAndChangesNoNumber) {
    make({{"A", 0, 2, ""}, {"B", 0, 5, ""}, {"C", 0, 9, ""}});
    {
        // Another program's trigger refuses the second entry's new number, after the first
        // was saved.
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::PlaylistDetails});
        DataFile& details = c.file(CatalogueFile::PlaylistDetails);
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(details.path().c_str(), &raw), SQLITE_OK);
        const std::string trigger =
            "CREATE TRIGGER refuse BEFORE UPDATE ON \"" + details.sql().table() + "\" WHEN NEW." +
            details.sql().column(1) + " = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END";
        ASSERT_EQ(sqlite3_exec(raw, trigger.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    int64_t changed = -1;
    EXPECT_NE(PlaylistRenumber::run(f.state->catalogue(), 7, &changed), 0);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(numbers(), (std::vector<int64_t>{2, 5, 9}));
}

TEST_F(PlaylistReportsTest, ThePrintoutTotalAddsOnlyTheSongsPrinted) {
    make({{"Kept", timeFromHms(0, 3, 0, 99), 1, ""},
          {"Gone", timeFromHms(0, 9, 0), 2, ""},
          {"Also kept", timeFromHms(0, 2, 30), 3, ""}},
         {2});
    const auto texts = print("PRINTPLAYLIST");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "Playlist  Friday Chart");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Gone"), 0);
    // 5:30.99: the stored values plus one each would make it 5:31.01, the deleted song 14:30.
    std::vector<std::string> total;
    for (const std::string& t : after(texts, TimeTotalLayout::kTotalTime, 7))
        if (!t.empty()) total.push_back(t);
    EXPECT_EQ(total, std::vector<std::string>{"0:05:30"});
    // The deleted song's entry keeps its line, with every song column empty.
    const auto lines = after(texts, "Kept", 15);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[5], "F1");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.begin() + 14),
              std::vector<std::string>(8));
    EXPECT_EQ(lines[14], "Artist");
}

TEST_F(PlaylistReportsTest, BothPrintoutsWriteAPdfOfOnePlaylistOrSayWhichIsWanted) {
    if (QStandardPaths::findExecutable("gs").isEmpty()) GTEST_SKIP() << "Ghostscript is needed";
    make({{"Opener", timeFromHms(0, 3, 0), 3, "LW:2"}, {"Closer", timeFromHms(0, 1, 0), 6, ""}});
    struct Case {
        const char* report;
        const char* playlist;
        int status;
        QStringList inPdf;
        const char* message;
    };
    const Case cases[] = {
        {"PRINTPLAYLIST",
         "7",
         0,
         {"Playlist Friday Chart", "Opener", "Closer", "Total Time", "Dance", "File Number"},
         "1 page written"},
        {"PRINTPLAYLISTTOP40", "7", 0, {"Friday Chart", "TW", "LW", "Opener"}, "1 page written"},
        {"PRINTPLAYLIST", nullptr, 2, {}, "give its number with --playlist N"},
        {"PRINTPLAYLISTTOP40", "12", 1, {}, "there is no playlist 12"},
        {"PRINTDJLIST", "7", 2, {}, "--playlist is for"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        PrintOrder order;
        order.report = c.report;
        order.hasPlaylist = c.playlist != nullptr;
        order.playlist = c.playlist ? c.playlist : "";
        order.pdf = (f.dir.path() / ("p" + std::to_string(++n) + ".pdf")).string();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        ASSERT_TRUE(out && err);
        EXPECT_EQ(PrintCommand::run(*f.state, order, out, err), c.status);
        std::string said;
        for (std::FILE* s : {out, err}) {
            std::rewind(s);
            for (int ch; (ch = std::fgetc(s)) != EOF;) said += static_cast<char>(ch);
            std::fclose(s);
        }
        EXPECT_NE(said.find(c.message), std::string::npos) << said;
        const QString text =
            c.status == 0 ? pdfText(QString::fromStdString(order.pdf)).simplified() : QString();
        for (const QString& want : c.inPdf) EXPECT_TRUE(text.contains(want)) << text.toStdString();
    }
    // Printed from the browse with no playlist highlighted, it says so and prints nothing.
    f.state->catalogue().playlist() = PlaylistMasterRecord{};
    ReportRequest request;
    EXPECT_FALSE(PlaylistReportSubject::prepareChart(*f.state, request));
    EXPECT_EQ(f.lastMessage(), PlaylistReportSubject::kNoPlaylist);
    EXPECT_TRUE(request.filter.empty());
}

}  // namespace
}  // namespace cdz::test
