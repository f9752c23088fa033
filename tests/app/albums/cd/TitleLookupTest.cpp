// Looking a disc's titles up: the disc ID of a table of contents, the service's JSON read into
// releases, and whole lookups against a stand-in server giving recorded answers.
#include <gtest/gtest.h>

#include <QJsonDocument>

#include "app/albums/cd/TitleAnswer.h"
#include "app/albums/cd/TitleDiscId.h"
#include "app/albums/cd/TitleService.h"
#include "runtime/text/DateTime.h"
#include "tests/app/albums/cd/TitleServer.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

// The published example of the disc ID's documentation: six tracks from sector 0, lead-out at
// sector 95312, known as 49HHV7Eb8UKF3aQiNmu1GR8vKTY-.
const std::string kExampleId = "49HHV7Eb8UKF3aQiNmu1GR8vKTY-";
CdContents exampleDisc() {
    CdContents c;
    c.trackFrames = {15213, 16951, 14278, 16822, 17075, 14973};
    c.discFrames = 95312;
    return c;
}

TEST(TitleDiscId, IsComputedFromTheAudioTracksOfTheTableOfContents) {
    CdContents enhanced = exampleDisc();  // the last track is data in a second session
    enhanced.trailingDataTracks = 1;
    CdContents late = exampleDisc();  // numbered from 3, starting two seconds in
    late.firstTrack = 3;
    late.firstSector = 150;
    CdContents data = exampleDisc();
    data.trailingDataTracks = 6;
    const struct {
        const char* what;
        CdContents disc;
        std::string toc;
    } cases[] = {
        {"published example", exampleDisc(), "1+6+95462+150+15363+32314+46592+63414+80489"},
        {"enhanced disc", enhanced, "1+5+69089+150+15363+32314+46592+63414"},
        {"late start", late, "3+8+95612+300+15513+32464+46742+63564+80639"},
        {"data only", data, ""},
        {"no tracks", CdContents{}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TitleDiscId::tocText(c.disc), c.toc);
        EXPECT_EQ(TitleDiscId::of(c.disc).size(), c.toc.empty() ? 0u : 28u);
    }
    EXPECT_EQ(TitleDiscId::of(exampleDisc()), kExampleId);
}

TEST(TitleAnswer, ReadsTheMediumThatIsTheDiscWithItsCredits) {
    const auto read =
        TitleAnswer::read(test::TitleServer::recorded("one.json").toStdString(), kExampleId, 6);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 1u);
    const TitleRelease& r = read->front();
    EXPECT_EQ(r.describe(), "Lanterns / Nadia Korr (1997, GB, 6 tracks)");
    EXPECT_EQ(r.tracks[0].title, "Blue Hour");    // the second medium's, not the first's
    EXPECT_EQ(r.tracks[0].artist, "Nadia Korr");  // the release's credit
    EXPECT_EQ(r.tracks[2].artist, "Nadia Korr & Ivo Lind");
    EXPECT_EQ(r.tracks[4].title, "Café Nocturne");
    EXPECT_EQ(r.tracks[5].lengthMs, 205000);
}

TEST(TitleAnswer, TakesReleasesByTrackCountWhenNoMediumCarriesTheDisc) {
    const auto read =
        TitleAnswer::read(test::TitleServer::recorded("several.json").toStdString(), kExampleId, 6);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 2u);  // the eight-track release is another disc
    EXPECT_EQ(read->at(1).describe(),
              "Harbour Lights (Remaster) / The Quay Singers (2004, DE, 6 tracks)");
}

TEST(TitleAnswer, AnAnswerNotOfTheServicesShapeIsMalformed) {
    for (const char* json :
         {"", "not json", "[]", "{\"error\":\"Not Found\"}", "{\"releases\":\"none\"}",
          "{\"releases\":[3]}", "{\"releases\":[{\"media\":[{\"tracks\":[{\"length\":1}]}]}]}"}) {
        SCOPED_TRACE(json);
        EXPECT_FALSE(TitleAnswer::read(json, kExampleId, 1));
    }
    EXPECT_FALSE(TitleAnswer::read(test::TitleServer::recorded("malformed.json").toStdString(),
                                   kExampleId, 6));
    const auto empty = TitleAnswer::read("{\"releases\":[]}", kExampleId, 6);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

// What the service sends reaches neither a field nor the terminal raw: control characters
// become blanks, and a title is cut to the 40 characters a title holds.
TEST(TitleAnswer, TextsLoseControlCharactersAndAreCutToTheirFields) {
    const std::string longTitle(1 << 20, 'x');
    const std::string json =
        "{\"releases\":[{\"id\":\"r1\",\"title\":\"\\u001b[31mRed\\u001b[0m\\nLine\","
        "\"artist-credit\":[{\"name\":\"A\\tB\",\"joinphrase\":\"\"}],"
        "\"media\":[{\"tracks\":[{\"title\":\"" +
        longTitle + "\",\"length\":1000}]}]}]}";
    const auto read = TitleAnswer::read(json, kExampleId, 1);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 1u);
    EXPECT_EQ(read->front().title, "[31mRed [0m Line");
    EXPECT_EQ(read->front().artist, "A B");
    EXPECT_EQ(read->front().tracks[0].title, std::string(40, 'x'));
}

TEST(TitleRelease, TheDateGivesTheDayItNames) {
    const struct {
        const char* date;
        int32_t day;
    } cases[] = {
        {"1997-05-21", dateFromYmd(1997, 5, 21)},
        {"1997-05", dateFromYmd(1997, 5, 1)},
        {"1997", dateFromYmd(1997, 1, 1)},
        {"1997-02-31", dateFromYmd(1997, 2, 1)},
        {"", 0},
        {"19x7", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        TitleRelease release;
        release.date = c.date;
        EXPECT_EQ(release.day(), c.day);
    }
}

class TitleServiceTest : public ::testing::Test {
protected:
    TitleService::Options options(const std::string& address, int timeoutMs = 5000) {
        TitleService::Options o;
        o.server = address;
        o.timeout = std::chrono::milliseconds(timeoutMs);
        o.cacheFolder = cache.path();
        return o;
    }
    test::TempDir cache;
    test::TitleServer server;
};

TEST_F(TitleServiceTest, EachAnswerEndsAsItsOutcome) {
    using O = TitleService::Outcome;
    const QByteArray one = test::TitleServer::recorded("one.json");
    const struct {
        const char* what;
        test::TitleServer::Answer answer;
        bool down;
        O outcome;
        size_t releases;
        const char* says;
    } cases[] = {
        {"one", {200, one, 0}, false, O::Found, 1, ""},
        {"several", {200, test::TitleServer::recorded("several.json"), 0}, false, O::Found, 2, ""},
        {"none",
         {404, test::TitleServer::recorded("none.json"), 0},
         false,
         O::NoMatch,
         0,
         "knows no release of this disc (disc ID 49HHV7Eb8UKF3aQiNmu1GR8vKTY-)"},
        {"slow", {200, one, 3000}, false, O::TimedOut, 0, "did not answer within 1 seconds"},
        {"malformed",
         {200, test::TitleServer::recorded("malformed.json"), 0},
         false,
         O::Malformed,
         0,
         "could not be read"},
        {"busy", {503, "{}", 0}, false, O::Refused, 0, "answered with error 503"},
        {"huge",
         {200, QByteArray(TitleService::kMaxAnswerBytes + 1, ' '), 0},
         false,
         O::Malformed,
         0,
         "could not be read"},
        {"down", {}, true, O::Unreachable, 0, "could not be reached"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        server.answer(c.answer);
        test::TempDir own;  // no answer cached by an earlier case
        TitleService::Options o =
            options(c.down ? test::TitleServer::downAddress() : server.address(), 1000);
        o.cacheFolder = own.path();
        TitleService service(o);
        const TitleService::Result r = service.find(exampleDisc());
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.releases.size(), c.releases);
        EXPECT_NE(service.explain(r).find(c.says), std::string::npos) << service.explain(r);
    }
}

TEST_F(TitleServiceTest, AsksByDiscIdNamingTheProgramAndKeepsTheAnswer) {
    server.answer({200, test::TitleServer::recorded("one.json"), 0});
    TitleService first(options(server.address()));
    const TitleService::Result asked = first.find(exampleDisc());
    ASSERT_EQ(asked.outcome, TitleService::Outcome::Found);
    ASSERT_EQ(server.requests().size(), 1u);
    const auto& request = server.requests().front();
    EXPECT_TRUE(request.target.startsWith("/ws/2/discid/" + QByteArray(kExampleId.c_str()) + "?"))
        << request.target.toStdString();
    EXPECT_TRUE(request.target.contains("toc=1+6+95462+150+15363")) << request.target.toStdString();
    EXPECT_TRUE(request.target.contains("fmt=json"));
    EXPECT_EQ(request.userAgent.toStdString(), TitleService::userAgent());
    EXPECT_TRUE(request.userAgent.startsWith("Orvanta98/"));

    TitleService again(options(server.address()));
    const TitleService::Result kept = again.find(exampleDisc());
    EXPECT_TRUE(kept.fromCache);
    EXPECT_EQ(kept.releases.front().tracks[1].title, "Salt Roads");
    EXPECT_EQ(server.requests().size(), 1u);

    // A month later the service is asked again.
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(cache.path() / "titles")) {
        if (entry.is_regular_file())
            std::filesystem::last_write_time(entry.path(),
                                             std::filesystem::file_time_type::clock::now() -
                                                 TitleService::kCacheAge - std::chrono::hours(1));
    }
    TitleService later(options(server.address()));
    EXPECT_FALSE(later.find(exampleDisc()).fromCache);
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(TitleServiceTest, RequestsFromThisStationAreAtLeastASecondApart) {
    server.answer({404, test::TitleServer::recorded("none.json"), 0});  // nothing is cached
    for (int i = 0; i < 3; ++i) {
        TitleService service(options(server.address()));
        EXPECT_EQ(service.find(exampleDisc()).outcome, TitleService::Outcome::NoMatch);
    }
    ASSERT_EQ(server.requests().size(), 3u);
    for (size_t i = 1; i < 3; ++i)
        EXPECT_GE(server.requests()[i].atMs - server.requests()[i - 1].atMs, 990);
}

}  // namespace
}  // namespace cdz
