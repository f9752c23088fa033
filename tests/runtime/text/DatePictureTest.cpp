#include <QLocale>
#include <stdexcept>

#include <gtest/gtest.h>

#include "runtime/text/DateReader.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Picture.h"

namespace cdz {
namespace {

// Two-digit years are read relative to this year, so the tests do not age.
constexpr int kThisYear = 2025;
const int32_t kHalloween59 = dateFromYmd(1959, 10, 31);

// Pins the desktop locale for the test and restores it afterwards.
class DatePictureTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(saved_); }

    static DatePicture date(const std::string& picture) {
        const auto p = Picture::parse(picture);
        if (!p || !p->asDate()) throw std::runtime_error("not a date picture: " + picture);
        return *p->asDate();
    }

private:
    QLocale saved_;
};

struct Case {
    const char* picture;
    const char* shown;
};

TEST_F(DatePictureTest, FormatsEveryStyle) {
    const Case cases[] = {
        {"@d1", "10/31/59"},
        {"@d2", "10/31/1959"},
        {"@d3", "OCT 31,1959"},
        {"@d4", "October 31, 1959"},
        {"@d5", "31/10/59"},
        {"@d6", "31/10/1959"},
        {"@d7", "31 OCT 59"},
        {"@d8", "31 OCT 1959"},
        {"@d9", "59/10/31"},
        {"@d10", "1959/10/31"},
        {"@d11", "591031"},
        {"@d12", "19591031"},
        {"@d13", "10/59"},
        {"@d14", "10/1959"},
        {"@d15", "59/10"},
        {"@d16", "1959/10"},
        {"@d6-", "31-10-1959"},
        {"@d2.", "10.31.1959"},
        {"@D10_", "1959 10 31"},
        {"D8-", "31-OCT-1959"},
        {"@d2b", "10/31/1959"},
        {"@d17", "10/31/59"},
        {"@d17-", "10-31-59"},
        {"@d17b", "10/31/59"},
        {"@d18", "Saturday, October 31, 1959"},
    };
    for (const auto& c : cases) {
        const DatePicture p = date(c.picture);
        EXPECT_EQ(p.format(int64_t{kHalloween59}), c.shown) << c.picture;
        EXPECT_EQ(p.read(c.shown, kThisYear),
                  p.style() >= 13 && p.style() <= 16 ? dateFromYmd(1959, 10, 1) : kHalloween59)
            << c.picture;
    }
    // Single-digit days and months.
    EXPECT_EQ(date("@d2").format(int64_t{dateFromYmd(2001, 2, 3)}), "02/03/2001");
    EXPECT_EQ(date("@d3").format(int64_t{dateFromYmd(2001, 2, 3)}), "FEB 3,2001");
    EXPECT_EQ(date("@d7").format(int64_t{dateFromYmd(2001, 2, 3)}), "3 FEB 01");
}

TEST_F(DatePictureTest, FollowsAnotherLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Case cases[] = {
        {"@d17", "31.10.59"},
        {"@d17-", "31-10-59"},
        {"@d17_", "31 10 59"},
        {"@d18", "Samstag, 31. Oktober 1959"},
    };
    for (const auto& c : cases) {
        const DatePicture p = date(c.picture);
        EXPECT_EQ(p.format(int64_t{kHalloween59}), c.shown) << c.picture;
        EXPECT_EQ(p.read(c.shown, kThisYear), kHalloween59) << c.picture;
    }
    // Month names of the desktop language are read too, with or without the dot.
    EXPECT_EQ(date("@d6").read("31. Okt. 1959", kThisYear), kHalloween59);
    EXPECT_EQ(date("@d6").read("31 März 1960", kThisYear), dateFromYmd(1960, 3, 31));
}

// The forms people type, under the desktop's short format of the plain C locale and of an
// English and a German desktop.
TEST_F(DatePictureTest, ReadsTheFormsPeopleType) {
    const int32_t day = dateFromYmd(1997, 9, 22);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        const DatePicture p = date("@d17");
        for (const char* text : {"09/22/1997", "9/22/97", "22/09/1997", "22.09.1997", "1997-09-22",
                                 "Sep 22, 1997", "22 Sep 1997"}) {
            EXPECT_EQ(p.read(text, kThisYear), day) << locale.name().toStdString() << " " << text;
        }
        EXPECT_EQ(p.read("1997", kThisYear), 1997);
        EXPECT_EQ(p.read("31/31/1997", kThisYear), 0) << locale.name().toStdString();
        EXPECT_EQ(p.read(p.format(int64_t{day}), kThisYear), day) << locale.name().toStdString();
    }
}

TEST_F(DatePictureTest, NoDateAndOutOfRange) {
    for (const char* pic : {"@d1", "@d2b", "@d4", "@d17-", "@d18"}) {
        EXPECT_EQ(date(pic).format(int64_t{0}), "") << pic;
        EXPECT_EQ(date(pic).format(std::string_view("0")), "") << pic;
        EXPECT_EQ(date(pic).format(0.0), "") << pic;
    }
    const DatePicture d2 = date("@d2");
    EXPECT_EQ(d2.format(int64_t{kLastBareYear + 1}), "03/16/1809");
    EXPECT_EQ(d2.format(int64_t{lastDay()}), "12/31/9999");
    for (int64_t bad : {int64_t{-5}, int64_t{lastDay()} + 1, int64_t{1} << 40})
        EXPECT_EQ(d2.format(bad), "##########") << bad;
    EXPECT_EQ(d2.format(std::numeric_limits<double>::infinity()), "##########");
    EXPECT_EQ(d2.format(58015.9), "10/31/1959");
}

// A release known only by its year shows as the year under every picture, and reads back so.
TEST_F(DatePictureTest, BareYearsShowAndReadAsYears) {
    for (int style = 1; style <= 18; ++style) {
        const DatePicture p = date("@d" + std::to_string(style));
        for (int32_t year : {1987, 2001, kLastBareYear}) {
            EXPECT_EQ(p.format(int64_t{year}), std::to_string(year)) << style;
            EXPECT_EQ(p.read(std::to_string(year), kThisYear), year) << style;
        }
    }
    // Other runs of four digits keep the picture's shorthand.
    EXPECT_EQ(date("@d13").read("0359", kThisYear), dateFromYmd(1959, 3, 1));
    EXPECT_EQ(date("@d2").read("999", kThisYear), 0);
}

TEST_F(DatePictureTest, ReadsWhatUsersType) {
    const struct {
        const char* picture;
        const char* text;
        int32_t day;
    } cases[] = {
        {"@d3", "oct 31, 1959", kHalloween59},
        {"@d4", "OCTOBER 31 1959", kHalloween59},
        {"@d8", "31 October 1959", kHalloween59},
        {"@d2", "Oct 31 1959", kHalloween59},
        {"@d1", "10-31-59", kHalloween59},
        {"@d2", " 10/31/1959 ", kHalloween59},
        {"@d2", "10311959", kHalloween59},
        {"@d6", "311059", kHalloween59},
        {"@d12", "19591031", kHalloween59},
        {"@d2", "1/1/1801", kFirstDay},
        {"@d2", "12/31/9999", lastDay()},
        {"@d6", "29/02/2000", dateFromYmd(2000, 2, 29)},
        {"@d14", "2/2000", dateFromYmd(2000, 2, 1)},
        {"@d1", "1/2/35", dateFromYmd(2035, 1, 2)},
        {"@d1", "1/2/36", dateFromYmd(1936, 1, 2)},
        {"@d2", "", 0},
        {"@d2", "   ", 0},
        {"@d2", "hello", 0},
        {"@d2", "02/30/2000", 0},
        {"@d2", "13/01/2000", dateFromYmd(2000, 1, 13)},  // day first: the day says so
        {"@d6", "1959-10-31", kHalloween59},
        {"@d6", "10/31/1959", kHalloween59},
        {"@d14", "31/10/1959", 0},  // a picture without a day reads no day
        {"@d2", "00/10/2000", 0},
        {"@d6", "29/02/1900", 0},
        {"@d2", "12/31/1800", 0},
        {"@d2", "1/1/10000", 0},
        {"@d2", "10/31", 0},
        {"@d2", "1031195", 0},
        {"@d2", "10/31/999999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(date(c.picture).read(c.text, kThisYear), c.day) << c.picture << " " << c.text;
        EXPECT_EQ(date(c.picture).deformat(c.text, kThisYear), std::to_string(c.day));
    }
}

TEST_F(DatePictureTest, TwoDigitYearWindow) {
    const struct {
        int yy, now, year;
    } cases[] = {
        {59, 2025, 1959}, {35, 2025, 2035}, {36, 2025, 1936}, {0, 2025, 2000},  {99, 2025, 1999},
        {59, 2070, 2059}, {80, 2070, 2080}, {81, 2070, 1981}, {10, 1990, 1910},
    };
    for (const auto& c : cases) EXPECT_EQ(DateReader::expandYear(c.yy, c.now), c.year) << c.yy;
}

TEST_F(DatePictureTest, RoundTripAcrossTheRange) {
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        for (int style = 1; style <= 18; ++style) {
            const DatePicture p = date("@d" + std::to_string(style) + "-");
            const std::string sample = p.format(int64_t{kHalloween59});
            const bool twoDigitYear = sample.find("1959") == std::string::npos;
            for (int32_t day = kLastBareYear + 1; day <= lastDay(); day += 997) {
                const Ymd ymd = ymdFromDate(day);
                if (twoDigitYear && (ymd.year < kThisYear - 89 || ymd.year > kThisYear + 10))
                    continue;
                const int32_t expected =
                    style >= 13 && style <= 16 ? dateFromYmd(ymd.year, ymd.month, 1) : day;
                ASSERT_EQ(p.read(p.format(int64_t{day}), kThisYear), expected)
                    << locale.name().toStdString() << " d" << style << " "
                    << p.format(int64_t{day});
            }
        }
    }
}

}  // namespace
}  // namespace cdz
