#include <QLocale>

#include <gtest/gtest.h>

#include "runtime/text/DateTime.h"
#include "runtime/text/Picture.h"

namespace cdz {
namespace {

// Pins the desktop locale for the test and restores it afterwards.
class PictureTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

TEST_F(PictureTest, ParsesKindsWithOrWithoutAt) {
    const struct {
        const char* text;
        char kind;
        int width;
    } cases[] = {
        {"@s40", 'S', 40}, {"@S1000", 'S', 1000}, {"s30", 'S', 30}, {" @s255 ", 'S', 255},
        {"@n3", 'N', 3},   {"@N30.9", 'N', 30},   {"n_2", 'N', 2},  {"@n-10.2", 'N', 10},
        {"@d2", 'D', 10},  {"D17", 'D', 7},       {"@d4", 'D', 18}, {"d11", 'D', 6},
        {"@t4", 'T', 8},   {"T3", 'T', 7},        {"@t4b", 'T', 8}, {"t2", 'T', 4},
    };
    for (const auto& c : cases) {
        const auto p = Picture::parse(c.text);
        ASSERT_TRUE(p) << c.text;
        EXPECT_EQ(p->kind(), c.kind) << c.text;
        EXPECT_EQ(p->width(), c.width) << c.text;
        EXPECT_EQ(" " + p->text() + " ",
                  c.text[0] == ' ' ? c.text : " " + std::string(c.text) + " ");
    }
}

TEST_F(PictureTest, UnknownOrMalformedPicturesLeaveValuesAlone) {
    for (const char* pic :
         {"",     "@",   "  ",   "@x5",  "@s",        "@s0",    "@sabc", "@s99999",
          "@s-3", "@d",  "@d0",  "@d19", "@d2x",      "@d2--",  "@d123", "@t",
          "@t0",  "@t9", "@t4x", "@n",   "@p###-##p", "@e12.3", "@@s5",  "s 5"}) {
        EXPECT_FALSE(Picture::parse(pic)) << pic;
        EXPECT_EQ(formatPicture(pic, "raw value"), "raw value") << pic;
        EXPECT_EQ(deformatPicture(pic, "shown"), "shown") << pic;
        EXPECT_EQ(formatPicture(pic, 12.5), "12.5") << pic;
    }
}

TEST_F(PictureTest, TextPicturesCutAtWholeCharacters) {
    EXPECT_EQ(formatPicture("@s5", "Motörhead"), "Motör");
    EXPECT_EQ(formatPicture("@s3", "ÄÖÜß"), "ÄÖÜ");
    EXPECT_EQ(formatPicture("s30", "short"), "short");
    EXPECT_EQ(formatPicture("@S1000", std::string(1500, 'x')), std::string(1000, 'x'));
    EXPECT_EQ(deformatPicture("@s2", "abc"), "ab");
    EXPECT_EQ(formatPicture("@s10", 12.5), "12.5");
    EXPECT_EQ(formatPicture("@s2", 12.5), "12");
}

TEST_F(PictureTest, EveryDateFormatOfThePreferences) {
    const std::string halloween = std::to_string(dateFromYmd(1959, 10, 31));
    const std::string october = std::to_string(dateFromYmd(1959, 10, 1));
    const struct {
        const char* picture;
        std::string stored;
        const char* shown;
        std::string readBack;
    } cases[] = {
        {"d17", halloween, "10/31/59", halloween},
        {"n4b", "1959", "1959", "1959"},  // "Year Only": a bare year below 3000
        {"d4", halloween, "October 31, 1959", halloween},
        {"d3", halloween, "OCT 31,1959", halloween},
        {"d1", halloween, "10/31/59", halloween},
        {"d2", halloween, "10/31/1959", halloween},
        {"d7", halloween, "31 OCT 59", halloween},
        {"d8", halloween, "31 OCT 1959", halloween},
        {"d5", halloween, "31/10/59", halloween},
        {"d6", halloween, "31/10/1959", halloween},
        {"d15", halloween, "59/10", october},
        {"d16", halloween, "1959/10", october},
        {"d13", halloween, "10/59", october},
        {"d14", halloween, "10/1959", october},
        {"d18", halloween, "Saturday, October 31, 1959", halloween},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatPicture(c.picture, c.stored), c.shown) << c.picture;
        EXPECT_EQ(deformatPicture(c.picture, c.shown), c.readBack) << c.picture;
        EXPECT_EQ(formatPicture(c.picture, std::string("0")).find_first_not_of(' '),
                  std::string::npos)
            << c.picture << ": no date shows blank";
    }
}

TEST_F(PictureTest, PicturesOfTheProgramRoundTrip) {
    const struct {
        const char* picture;
        const char* stored;
    } cases[] = {
        {"@s40", "The Beatles"},
        {"@S1000", "a, \"quoted\" text"},
        {"@s255", "Notes"},
        {"s30", "Jazz"},
        {"@n3", "12"},
        {"@n-13", "-42"},
        {"@n_4b", "120"},
        {"@n-10.2", "19.99"},
        {"@N30.9", "3.25"},
        {"n_3", "7"},
        {"n_2", "12"},
        {"@n_5", "4711"},
        {"N2", "9"},
        {"N3", "100"},
        {"n2", "0"},
        {"n-13", "5"},
        {"n4b", "1959"},
        {"T3", "6300001"},
        {"T4", "480001"},
        {"@t4b", "22501"},
        {"@d17-", "58015"},
        {"@d17b", "58015"},
        {"@d2", "58015"},
        {"t4", "22501"},
    };
    for (const auto& c : cases) {
        const auto p = Picture::parse(c.picture);
        ASSERT_TRUE(p) << c.picture;
        EXPECT_EQ(p->deformat(p->format(std::string_view(c.stored))), c.stored) << c.picture;
    }
}

}  // namespace
}  // namespace cdz
