// Reads by key answered together: each asked value gets the record a read by the key alone
// finds (the first stored, a case-insensitive key folded, past the size of one statement), a
// value asked twice is answered twice, and one nobody holds is not answered.
#include <gtest/gtest.h>

#include <map>

#include "runtime/data/DataFile.h"
#include "runtime/data/KeyLookup.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class KeyLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(songs.open(), 0);
    }

    void add(const std::string& artist, const std::string& title, int32_t category = 0) {
        song = SongRec{};
        song.Artist = artist;
        song.Title = title;
        song.CategoryID = category;
        ASSERT_EQ(songs.add(), 0) << db.error().driverText;
    }

    // The buffer's key values after `fill`, and the number get() finds for them (0: none).
    template <class Fill>
    std::pair<SqlValues, int32_t> ask(int key, Fill fill) {
        song = SongRec{};
        fill();
        SqlValues values = KeyLookup(songs, key).valuesInBuffer();
        const int code = songs.get(key);
        EXPECT_TRUE(code == 0 || code == err::kRecordNotFound) << code;
        return {values, code == 0 ? song.ID : 0};
    }

    // Looks the asked values up together; each must be answered as get() answered it.
    void expectAnswersOfGet(int key, const std::vector<std::pair<SqlValues, int32_t>>& asked) {
        std::vector<SqlValues> values;
        for (const auto& a : asked) values.push_back(a.first);
        std::map<size_t, int32_t> answers;
        ASSERT_EQ(KeyLookup(songs, key)
                      .find(values,
                            [&](size_t i) {
                                EXPECT_EQ(answers.count(i), 0u) << i;
                                answers[i] = song.ID;
                                EXPECT_EQ(songs.recordNumber() > 0, true);
                            }),
                  0)
            << db.error().driverText;
        for (size_t i = 0; i < asked.size(); ++i) {
            const auto answer = answers.find(i);
            EXPECT_EQ(answer == answers.end() ? 0 : answer->second, asked[i].second) << i;
        }
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
};

TEST_F(KeyLookupTest, EachValueIsAnsweredAsAReadByTheKeyAnswersIt) {
    const int byCategory = songDecl().keyIndex("ByCategory");
    const int byArtist = songDecl().keyIndex("ByArtist");
    const int byId = songDecl().keyIndex("KeyID");
    // Each band's songs twice over: its first song answers it.
    for (int i = 0; i < 300; ++i) {
        add("Band " + std::to_string(i % 150), "Title " + std::to_string(i), i % 150);
    }
    add("Édith Piaf", "Hymne");
    std::vector<std::pair<SqlValues, int32_t>> byBand;
    std::vector<std::pair<SqlValues, int32_t>> byNumber;
    // Every band asked twice, past the values of one statement.
    for (int i = 0; i < 320; ++i) {
        byBand.push_back(ask(byCategory, [&] {
            song.CategoryID = i % 160;
            song.Artist = "Band " + std::to_string(i % 160);
        }));
        byNumber.push_back(ask(byId, [&] { song.ID = i * 2; }));
    }
    ASSERT_EQ(byBand[1].second, 2);
    ASSERT_EQ(byBand[161].second, 2);
    ASSERT_EQ(byBand[155].second, 0);  // no such band
    ASSERT_EQ(byNumber[200].second, 0);
    expectAnswersOfGet(byCategory, byBand);
    expectAnswersOfGet(byId, byNumber);
    expectAnswersOfGet(byId, {});
    // The key does not tell case apart.
    const auto piaf = ask(byArtist, [&] {
        song.Artist = "ÉDITH PIAF";
        song.Title = "hymne";
    });
    ASSERT_EQ(piaf.second, 301);
    expectAnswersOfGet(byArtist, {piaf, ask(byArtist, [&] { song.Artist = "Piaf"; })});
}

}  // namespace
}  // namespace cdz::test
