// The General page's rules of the add-album wizard: which typed release dates are taken and as
// what day, and which value is refused first, with what the user is told and where the focus
// goes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/albums/wizard/AlbumWizardChecks.h"
#include "runtime/text/DateTime.h"

namespace cdz {
namespace {

using Problem = AlbumGeneralProblem;
using What = Problem::What;

TEST(AlbumWizardChecks, ReadsTheReleaseDateOrRefusesIt) {
    const struct {
        const char* picture;
        const char* shown;
        std::optional<int32_t> day;
    } cases[] = {
        {"@d2", "", 0},  // blank is no date
        {"@d2", "09/01/2004", dateFromYmd(2004, 9, 1)},
        {"@d2", "01/01/1801", kFirstDay},
        {"@d2", "12/31/1800", std::nullopt},  // before the first day
        {"@d2", "1997", 1997},                // a bare year
        {"@d2", "0", std::nullopt},
        {"@d2", "not a date", std::nullopt},
        // A picture that does not parse leaves the text as it is: only a whole positive
        // number that fits is a day.
        {"@x", "42", 42},
        {"@x", "42x", std::nullopt},
        {"@x", "-5", std::nullopt},
        {"@x", "2147483648", std::nullopt},
    };
    for (const auto& c : cases) {
        const AlbumWizardChecks checks(c.picture, true, {});
        EXPECT_EQ(checks.releaseDay(c.shown), c.day) << c.picture << " " << c.shown;
    }
}

TEST(AlbumWizardChecks, RefusesTheFirstValueInThePagesOrder) {
    const struct {
        const char* what;
        const char* date;
        bool categoryAccepted;
        bool mediaChosen;
        bool mediaFiled;
        bool singleArtist;
        std::optional<What> refused;
        Problem::Field focus;
        bool categoryAsked;
    } cases[] = {
        {"all accepted", "09/01/2004", true, true, true, true, {}, {}, true},
        {"bad date before the category", "13/45/2004", false, false, false, true,
         What::UnreadableDate, Problem::Field::ReleaseDate, false},
        {"category refused", "", false, false, false, true, What::CategoryRefused,
         Problem::Field::Category, true},
        {"no media chosen", "", true, false, false, true, What::NoMedia, Problem::Field::Media,
         true},
        {"media gone", "", true, true, false, true, What::MediaNotFiled, Problem::Field::Media,
         true},
        {"a compilation does not look the media up", "", true, true, false, false, {}, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> asked;
        AlbumWizardChecks::Lookups lookups;
        lookups.acceptCategory = [&](const std::string& name) {
            asked.push_back(name);
            return c.categoryAccepted;
        };
        lookups.mediaFiled = [&](const std::string& name) {
            EXPECT_EQ(name, "Vinyl");
            return c.mediaFiled;
        };
        AlbumGeneralTyped typed;
        if (c.singleArtist) typed.artist = "Nadia Korr";
        typed.album = "Lanterns";
        typed.releaseDate = c.date;
        typed.fileNumber = "A-12";
        typed.category = "Jazz";
        if (c.mediaChosen) typed.media = "Vinyl";
        const auto taken = AlbumWizardChecks("@d2", c.singleArtist, lookups).general(typed);

        EXPECT_EQ(asked,
                  c.categoryAsked ? std::vector<std::string>{"Jazz"} : std::vector<std::string>{});
        if (!c.refused) {
            ASSERT_TRUE(std::holds_alternative<AlbumGeneralValues>(taken));
            const auto& v = std::get<AlbumGeneralValues>(taken);
            EXPECT_EQ(v.artist, typed.artist);
            EXPECT_EQ(v.album, "Lanterns");
            EXPECT_EQ(v.fileNumber, "A-12");
            EXPECT_EQ(v.releaseDate, *AlbumWizardChecks("@d2", true, {}).releaseDay(c.date));
            EXPECT_EQ(v.media, "Vinyl");
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<Problem>(taken));
        const auto& p = std::get<Problem>(taken);
        EXPECT_EQ(p.what, *c.refused);
        EXPECT_EQ(p.focus, c.focus);
        // Only the date is told here; the category's check and the standard warning tell the
        // rest themselves.
        if (p.what == What::UnreadableDate) {
            EXPECT_EQ(p.title, "Invalid Date");
            EXPECT_EQ(p.text,
                      "\"13/45/2004\" is not a date.|Type the release date as the date format of "
                      "the Preferences shows it, or leave it blank.");
        } else {
            EXPECT_EQ(p.text, "");
        }
    }
}

}  // namespace
}  // namespace cdz
