#include <gtest/gtest.h>

#include "runtime/text/Picture.h"

namespace cdz {
namespace {

struct FormatCase {
    const char* picture;
    const char* stored;
    const char* shown;
};

TEST(NumberPicture, Format) {
    const FormatCase cases[] = {
        {"@n9", "4550000", "4,550,000"},
        {"@n_9", "4550000", "  4550000"},
        {"@n7", "4550000", "4550000"},  // grouped would not fit
        {"n4b", "1959", "1959"},
        {"n4b", "0", "    "},
        {"n4b", "12345", "####"},
        {"@n3", "7", "  7"},
        {"@n3", "1000", "###"},
        {"@n3", "-5", " -5"},
        {"@n3", "-100", "###"},  // the sign does not fit: never shown as positive
        {"@n3", "2.5", "  3"},
        {"@n3", "-2.5", " -3"},
        {"@n-13", "-1234567", "   -1,234,567"},
        {"n-13", "42", "           42"},
        {"@n-10.2", "1234.5", "  1,234.50"},
        {"@n-10.2", "-0.005", "     -0.01"},
        {"@n-10.2", "-0.004", "      0.00"},
        {"@n-10.2", "99999999.999", "##########"},
        {"@n-10.2", "9999999.994", "9999999.99"},
        {"@N30.9", "12345.123456789", "              12,345.123456789"},
        // Digits beyond a double's precision survive: the grouped text is too wide.
        {"@N30.9", "12345678901234567.123456789", "   12345678901234567.123456789"},
        {"n_3", "42", " 42"},
        {"n_2", "100", "##"},
        {"@n_5", "12345", "12345"},
        {"N2", "9", " 9"},
        {"N3", "100", "100"},
        {"n2", "0", " 0"},
        {"@n_4b", "0", "    "},
        {"@n_4b", "0.4", "    "},  // blank tests the rounded value
        {"@n_4b", "120", " 120"},
        {"@n5", "99999.6", "#####"},  // rounding carries into a sixth digit
        {"@n06", "-12", "-00012"},
        {"@n06", "4550", "004550"},
        {"@n*8", "1234", "***1,234"},
        {"@n*8.2", "-1.5", "***-1.50"},
        {"@n3", "abc", "  0"},
        {"@n3", "", "  0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture << " " << c.stored);
        const auto p = Picture::parse(c.picture);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->kind(), 'N');
        EXPECT_EQ(p->format(std::string_view(c.stored)), c.shown);
        EXPECT_EQ(p->format(std::string_view(c.shown)).size(), static_cast<size_t>(p->width()));
    }
}

TEST(NumberPicture, FormatDouble) {
    EXPECT_EQ(formatPicture("@n-10.2", 2.675), "      2.68");
    EXPECT_EQ(formatPicture("@n-10.2", 0.1 + 0.2), "      0.30");
    EXPECT_EQ(formatPicture("@n9", 1e300), "#########");
    EXPECT_EQ(formatPicture("@n9", std::numeric_limits<double>::quiet_NaN()), "#########");
    EXPECT_EQ(formatPicture("@n_4b", -0.0), "    ");
}

TEST(NumberPicture, Deformat) {
    const FormatCase cases[] = {
        {"@n-10.2", "  1,234.50", "1234.5"},
        {"@n-10.2", "(12.50)", "-12.5"},
        {"@n-10.2", "-(12.50)", "-12.5"},
        {"@n-10.2", "€ 3.50", "3.5"},
        {"@n9", "$4,550,000", "4550000"},
        {"@n9", "12-", "-12"},
        {"@n9", "+12", "12"},
        {"@n9", "-0", "0"},
        {"@n*8", "***1,234", "1234"},
        {"@n06", "-00012", "-12"},
        {"n4b", "    ", "0"},
        {"@n3", "abc", "0"},
        {"@n3", "1.2.3", "0"},
        {"@n3", "(12", "0"},
        {"@n3", "1e5", "0"},
        {"@N30.9", "0.000000001", "0.000000001"},
        {"@n3", "123456789012345678901234567890", "123456789012345678901234567890"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(deformatPicture(c.picture, c.stored), c.shown) << c.picture << " " << c.stored;
}

TEST(NumberPicture, RoundTrip) {
    const char* pictures[] = {"@n3", "@n-13",  "@n_4b", "@n-10.2", "@N30.9", "n_3",
                              "n_2", "@n_5",   "N2",    "N3",      "n2",     "n-13",
                              "n4b", "@n*8.2", "@n06",  "@n9"};
    const char* values[] = {"0", "7", "-5", "42", "1959", "1234.5", "-0.25", "99", "4550000"};
    for (const char* pic : pictures) {
        const auto p = Picture::parse(pic);
        ASSERT_TRUE(p) << pic;
        for (const char* v : values) {
            const std::string shown = p->format(std::string_view(v));
            if (shown.find('#') != std::string::npos) continue;
            EXPECT_EQ(p->format(p->deformat(shown)), shown) << pic << " " << v;
        }
    }
}

TEST(NumberPicture, MalformedPicturesDoNotParse) {
    for (const char* pic : {"@n", "@n0", "@n-", "@nx3", "@n3.", "@n3.3", "@n3bb", "@n1000",
                            "@n3.2x", "@n-_", "@n*", "@n 3", "@n3 b"})
        EXPECT_FALSE(Picture::parse(pic)) << pic;
}

}  // namespace
}  // namespace cdz
