// Finding a release without its disc: the queries a user types, the service's answers read into
// candidates and releases, searches, lookups and covers against a stand-in server, and
// `cdzapp --find-release` run as a user runs it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include <fstream>

#include "app/albums/cd/ReleaseAnswer.h"
#include "app/albums/cd/ReleaseFill.h"
#include "app/albums/cd/ReleaseFinder.h"
#include "app/albums/cd/ReleaseQuery.h"
#include "runtime/text/DateTime.h"
#include "tests/app/albums/cd/TitleServer.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

const std::string kThird = "a1b2c3d4-0000-4000-8000-00000000000c";
const std::string kGroup = "b2c3d4e5-0000-4000-8000-0000000000aa";

TEST(ReleaseQuery, EachWayOfTypingASearchGivesItsQuery) {
    const struct {
        const char* typed;
        const char* search;  // empty: refused
    } cases[] = {
        {"barcode:724384260927", "barcode:(724384260927 OR 0724384260927)"},
        {"barcode: 7 24384 26092 7", "barcode:(724384260927 OR 0724384260927)"},
        {"BARCODE:0724384260927", "barcode:(0724384260927 OR 724384260927)"},
        {"barcode:72438426092", "barcode:(72438426092 OR 724384260927 OR 0724384260927)"},
        {"barcode:5-012345-678900", "barcode:(5012345678900)"},
        {"barcode:12ab", ""},
        {"barcode:", ""},
        {"catno:CDP 7 46208 2", "catno:\"CDP 7 46208 2\""},
        {"catno:  ", ""},
        {"artist:Crosby, Stills & Nash,title:Déjà \"Vu\"",
         "artist:\"Crosby, Stills & Nash\" AND release:\"Déjà \\\"Vu\\\"\""},
        {"title:Lanterns,artist:Nadia Korr", "artist:\"Nadia Korr\" AND release:\"Lanterns\""},
        {"artist:Nadia Korr", "artist:\"Nadia Korr\""},
        {"Lanterns", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string why;
        const auto q = ReleaseQuery::parse(c.typed, &why);
        EXPECT_EQ(q ? q->searchText() : std::string(), c.search);
        EXPECT_EQ(why.empty(), q.has_value()) << why;
    }
}

TEST(ReleaseAnswer, ReadsCandidatesAndAReleaseOfTwoDiscs) {
    const auto found =
        ReleaseAnswer::candidates(test::TitleServer::recorded("search.json").toStdString(), 25);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 4u);
    EXPECT_EQ(
        found->at(2).line(),
        "Harbour Lights | The Quay Singers | 2xCD | DE | 2004 | Küstenklang | KK 2004-2 | 22");
    EXPECT_EQ(found->at(1).format, "12\" Vinyl");
    EXPECT_EQ(found->at(3).line(),
              "Harbour Lights | The Quay Singers | Cassette | US | 1996 |  |  | 12");
    EXPECT_EQ(ReleaseAnswer::candidates(test::TitleServer::recorded("search.json").toStdString(), 2)
                  ->size(),
              2u);

    const auto r =
        ReleaseAnswer::release(test::TitleServer::recorded("release-2cd.json").toStdString());
    ASSERT_TRUE(r);
    ASSERT_EQ(r->tracks.size(), 22u);
    EXPECT_EQ(r->tracks[0].title, "Éclat du Port");
    EXPECT_EQ(r->tracks[0].disc, 1);
    EXPECT_EQ(r->tracks[13].disc, 2);
    EXPECT_EQ(r->tracks[13].title, "Duet on the Quay");
    EXPECT_EQ(r->tracks[13].artist, "Nadia Korr & The Quay Singers");
    EXPECT_EQ(r->tracks[13].lengthMs, 200500);
    EXPECT_EQ(r->tracks[12].artist, "The Quay Singers");
    EXPECT_EQ(r->releaseGroupId, kGroup);
    EXPECT_TRUE(r->frontCover);
    EXPECT_EQ(r->catalogueNumber, "KK 2004-2");
    EXPECT_EQ(r->day(), dateFromYmd(2004, 9, 1));

    for (const char* json :
         {"", "<html>", "[]", "{\"releases\":{}}", "{\"releases\":[{\"title\":\"no id\"}]}"}) {
        SCOPED_TRACE(json);
        EXPECT_FALSE(ReleaseAnswer::candidates(json, 25));
        EXPECT_FALSE(ReleaseAnswer::release(json));
    }
    EXPECT_FALSE(ReleaseAnswer::release(
        "{\"id\":\"x\",\"title\":\"t\",\"media\":[{\"tracks\":[{\"length\":1}]}]}"));
    // A title too long for its field is cut and counted; a control character is only cleaned.
    const auto cut =
        ReleaseAnswer::release("{\"id\":\"x\",\"title\":\"" + std::string(60, 't') +
                               "\",\"media\":[{\"tracks\":[{\"title\":\"\\u001bok\"}]}]}");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->title, std::string(40, 't'));
    EXPECT_EQ(cut->tracks[0].title, "ok");
    EXPECT_EQ(cut->cutValues, 1);
}

TEST(ReleaseFill, TheAlbumTakesTheMediaItHasAndKeepsTheReleaseInItsNotes) {
    const std::vector<std::string> media{"CD", "LP", "Cassette", "MiniDisc"};
    const struct {
        const char* format;
        const char* media;
    } cases[] = {{"2xCD", "CD"},           {"CD + DVD", "CD"},        {"12\" Vinyl", "LP"},
                 {"Cassette", "Cassette"}, {"Digital Media", ""},     {"", ""},
                 {"SACD", "CD"},           {"3x7\" Vinyl + CD", "LP"}};
    for (const auto& c : cases)
        EXPECT_EQ(ReleaseFill::mediaFor(c.format, media), c.media) << c.format;

    TitleRelease r;
    r.id = "a1b2";
    r.label = "Tidal";
    r.catalogueNumber = "TID 001";
    const std::string notes =
        ReleaseFill::withNotes("Bought in Leeds\nLabel: Old\nMusicBrainz release: old-id", r, 2000);
    EXPECT_EQ(notes,
              "Bought in Leeds\nLabel: Tidal\nCatalogue number: TID 001\n"
              "MusicBrainz release: a1b2");
    EXPECT_EQ(ReleaseFill::releaseIdIn(notes), "a1b2");
    // Long notes of the user's own give way; the release line stays whole.
    const std::string cut = ReleaseFill::withNotes(std::string(3000, 'x'), r, 2000);
    EXPECT_EQ(cut.size(), 2000u);
    EXPECT_EQ(ReleaseFill::releaseIdIn(cut), "a1b2");
    EXPECT_EQ(ReleaseFill::releaseIdIn("no release here"), "");
}

class ReleaseFinderTest : public ::testing::Test {
protected:
    TitleService::Options options(int timeoutMs = 5000) {
        TitleService::Options o;
        o.server = server.address();
        o.coverServer = server.address() + "/archive";
        o.timeout = std::chrono::milliseconds(timeoutMs);
        o.cacheFolder = cache.path();
        return o;
    }
    static QByteArray png() {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        image.save(&out, "PNG");
        return bytes;
    }
    test::TempDir cache;
    test::TitleServer server;
};

TEST_F(ReleaseFinderTest, ChoosingTheThirdCandidateTakesTwoRequestsThenNone) {
    server.answer("/ws/2/release/?", {200, test::TitleServer::recorded("search.json"), 0});
    server.answer("/ws/2/release/" + QByteArray::fromStdString(kThird),
                  {200, test::TitleServer::recorded("release-2cd.json"), 0});
    ReleaseFinder finder(options());
    const auto q = ReleaseQuery::parse("barcode:7 24384 26092 7", nullptr);
    const ReleaseFinder::Search found = finder.search(*q);
    ASSERT_EQ(found.outcome, TitleOutcome::Found);
    ASSERT_EQ(found.candidates.size(), 4u);
    const ReleaseFinder::Lookup chosen = finder.lookup(found.candidates[2].id);
    ASSERT_EQ(chosen.outcome, TitleOutcome::Found);
    EXPECT_EQ(chosen.release.tracks.size(), 22u);
    EXPECT_EQ(finder.requests(), 2);
    ASSERT_EQ(server.requests().size(), 2u);
    const QByteArray search = QByteArray::fromPercentEncoding(server.requests()[0].target);
    EXPECT_NE(search.indexOf("query=barcode:(724384260927 OR 0724384260927)"), -1) << search.data();
    EXPECT_NE(search.indexOf("limit=25"), -1);
    EXPECT_NE(server.requests()[1].target.indexOf("inc=artist-credits+recordings+labels"), -1);
    EXPECT_EQ(server.requests()[1].userAgent.toStdString(), TitleFetch::userAgent());

    ReleaseFinder again(options());
    EXPECT_TRUE(again.lookup(kThird).fromCache);
    EXPECT_EQ(again.requests(), 0);
}

TEST_F(ReleaseFinderTest, EachAnswerToASearchEndsAsItsOutcome) {
    const auto q = ReleaseQuery::parse("catno:CDP 7 46208 2", nullptr);
    const struct {
        const char* what;
        test::TitleServer::Answer answer;
        TitleOutcome outcome;
        const char* says;
    } cases[] = {
        {"none",
         {200, "{\"count\":0,\"releases\":[]}", 0},
         TitleOutcome::NoMatch,
         "knows no release for catalogue number CDP 7 46208 2."},
        {"garbage", {200, "<html>busy</html>", 0}, TitleOutcome::Malformed, "could not be read"},
        {"huge",
         {200, QByteArray(TitleService::kMaxAnswerBytes + 1, ' '), 0},
         TitleOutcome::Malformed,
         "could not be read"},
        {"slow",
         {200, test::TitleServer::recorded("search.json"), 3000},
         TitleOutcome::TimedOut,
         "did not answer within 1 seconds"},
        {"refused", {503, "{}", 0}, TitleOutcome::Refused, "answered with error 503"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        server.answer(c.answer);
        ReleaseFinder finder(options(1000));
        const ReleaseFinder::Search s = finder.search(*q);
        EXPECT_EQ(s.outcome, c.outcome);
        EXPECT_TRUE(s.candidates.empty());
        const std::string told = finder.explain(s.outcome, s.detail, q->describe());
        EXPECT_NE(told.find(c.says), std::string::npos) << told;
    }
    TitleService::Options down = options(1000);
    down.server = test::TitleServer::downAddress();
    EXPECT_EQ(ReleaseFinder(down).search(*q).outcome, TitleOutcome::Unreachable);

    // Cancel while the answer is awaited ends the wait at once.
    server.answer({200, test::TitleServer::recorded("search.json"), 4000});
    ReleaseFinder waiting(options(10000));
    QTimer::singleShot(200, [&] { waiting.cancel(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(waiting.search(*q).outcome, TitleOutcome::Cancelled);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST_F(ReleaseFinderTest, TheFrontCoverIsTheReleasesElseItsGroupsAndAlwaysAPicture) {
    const QByteArray release = "/archive/release/" + QByteArray::fromStdString(kThird);
    const QByteArray group = "/archive/release-group/" + QByteArray::fromStdString(kGroup);
    const struct {
        const char* what;
        test::TitleServer::Answer ofRelease, ofGroup;
        TitleOutcome outcome;
        int requests;
    } cases[] = {
        {"the release's", {200, png(), 0, "image/png"}, {404, "", 0}, TitleOutcome::Found, 1},
        {"the group's", {404, "", 0}, {200, png(), 0, "image/png"}, TitleOutcome::Found, 2},
        {"none", {404, "", 0}, {404, "", 0}, TitleOutcome::NoMatch, 2},
        {"not a picture",
         {200, "GIF89a broken", 0, "image/gif"},
         {404, "", 0},
         TitleOutcome::Malformed,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        server.answer(release, c.ofRelease);
        server.answer(group, c.ofGroup);
        ReleaseFinder finder(options());
        const ReleaseFinder::Cover cover = finder.cover(kThird, kGroup);
        EXPECT_EQ(cover.outcome, c.outcome);
        EXPECT_EQ(finder.requests(), c.requests);
        EXPECT_EQ(cover.picture.isEmpty(), c.outcome != TitleOutcome::Found);
    }
    ReleaseFinder finder(options());
    EXPECT_EQ(finder.cover("../../etc", "").outcome, TitleOutcome::NoMatch);
    EXPECT_EQ(finder.requests(), 0);
}

struct FindRun {
    int exitCode = -1;
    std::string out, err;
};

// The run's event loop keeps going meanwhile, so the stand-in of this process answers.
FindRun findRelease(const QStringList& arguments, const std::filesystem::path& folder) {
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.insert("XDG_CACHE_HOME", QString::fromStdString((folder / "cache").string()));
    app.setProcessEnvironment(env);
    app.start(test::appPath(),
              QStringList{"--data-dir", QString::fromStdString(folder.string())} + arguments);
    QElapsedTimer clock;
    clock.start();
    while (app.state() != QProcess::NotRunning && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    FindRun r;
    if (app.state() != QProcess::NotRunning || app.exitStatus() != QProcess::NormalExit) return r;
    return {app.exitCode(), app.readAllStandardOutput().toStdString(),
            app.readAllStandardError().toStdString()};
}

TEST_F(ReleaseFinderTest, TheCommandPrintsTheCandidatesOrSaysWhyThereAreNone) {
    std::ofstream(cache.path() / "CDZSETS.INI")
        << "[Settings]\nMusicBrainzServer=" << server.address() << "\nMusicBrainzTimeout=5\n";
    server.answer({200, test::TitleServer::recorded("search.json"), 0});
    const FindRun found =
        findRelease({"--find-release", "barcode:7 24384 26092 7", "--limit", "3"}, cache.path());
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_EQ(found.out,
              "1. Harbour Lights | The Quay Singers | CD | GB | 1996 | Tidal | TID 001 | 12 | "
              "rel-harbour-cd\n"
              "2. Harbour Lights | The Quay Singers | 12\" Vinyl | GB | 1996 | Tidal | TIDLP 001 | "
              "10 | rel-harbour-lp\n"
              "3. Harbour Lights | The Quay Singers | 2xCD | DE | 2004 | Küstenklang | KK 2004-2 | "
              "22 | " +
                  kThird + "\n");

    server.answer({200, "{\"releases\":[]}", 0});
    const FindRun none =
        findRelease({"--find-release", "artist:Nobody,title:Nothing"}, cache.path());
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "cdzapp: The title service knows no release for Nobody - Nothing.\n");
    const FindRun wrong = findRelease({"--find-release", "Nothing"}, cache.path());
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("Search by \"barcode:DIGITS\""), std::string::npos) << wrong.err;
}

}  // namespace
}  // namespace cdz
