#include "runtime/text/Decimal.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace cdz {
namespace {

constexpr DecimalSpec kTrack{2, 0};   // 3 digits
constexpr DecimalSpec kPrice{4, 2};   // 7 digits, 2 places
constexpr DecimalSpec kWidest{9, 0};  // 17 digits

TEST(Decimal, FromDoubleRoundsHalfAwayFromZeroAndHoldsTheDigitLimit) {
    struct Case {
        double v;
        DecimalSpec spec;
        int64_t raw;
    } const cases[] = {
        {999, kTrack, 999},
        {1000, kTrack, 999},  // held at the limit, never wrapped to 0
        {-1000, kTrack, -999},
        {12345, kTrack, 999},
        {2.5, kTrack, 3},
        {-2.5, kTrack, -3},
        {2.675, kPrice, 268},  // the typed value rounds, not its binary neighbour
        {-2.675, kPrice, -268},
        {0.005, kPrice, 1},
        {-0.005, kPrice, -1},
        {0.004, kPrice, 0},
        {12345.678, kPrice, 1234568},
        {99999.995, kPrice, 9999999},
        {1e17, kWidest, 99999999999999999},
        {1e300, kWidest, 99999999999999999},
        {-1e-300, kPrice, 0},
        {std::numeric_limits<double>::quiet_NaN(), kPrice, 0},
        {std::numeric_limits<double>::infinity(), kPrice, 9999999},
        {-std::numeric_limits<double>::infinity(), kPrice, -9999999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decimalFromDouble(c.v, c.spec), c.raw) << c.v << " " << c.spec.bytes;
}

TEST(Decimal, TextRoundTrip) {
    struct Case {
        const char* text;
        DecimalSpec spec;
        std::optional<int64_t> raw;
        const char* printed;
    } const cases[] = {
        {"12.5", kPrice, 1250, "12.50"},
        {" -0.05 ", kPrice, -5, "-0.05"},
        {"1.005", kPrice, 101, "1.01"},
        {"-1.005", kPrice, -101, "-1.01"},
        {"+7", kPrice, 700, "7.00"},
        {".5", kPrice, 50, "0.50"},
        {"5.", kPrice, 500, "5.00"},
        {"0", kPrice, 0, "0.00"},
        {"-3", kTrack, -3, "-3"},
        {"123456789012345678901234567890", kWidest, 99999999999999999, "99999999999999999"},
        {"", kPrice, std::nullopt, ""},
        {"-", kPrice, std::nullopt, ""},
        {".", kPrice, std::nullopt, ""},
        {"1.2.3", kPrice, std::nullopt, ""},
        {"12a", kPrice, std::nullopt, ""},
        {"1 2", kPrice, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto raw = decimalFromString(c.text, c.spec);
        EXPECT_EQ(raw, c.raw);
        if (raw) {
            EXPECT_EQ(decimalToString(*raw, c.spec), c.printed);
            EXPECT_EQ(decimalFromString(decimalToString(*raw, c.spec), c.spec), raw);
        }
    }
}

TEST(Decimal, TemplateFace) {
    Decimal<6, 0> id(12345678901.0);
    EXPECT_EQ(id.toInt(), 12345678901);
    id = 123456789012.0;  // 12 digits into 11
    EXPECT_EQ(id.toInt(), 99999999999);

    Decimal<4, 2> price(19.999);
    EXPECT_EQ(price.toString(), "20.00");
    EXPECT_DOUBLE_EQ(price.toDouble(), 20.0);
    using Price = Decimal<4, 2>;
    EXPECT_EQ(Price::fromRaw(-123456789).raw(), -9999999);
    EXPECT_LT(Price(-1.0), Price(0.5));
    EXPECT_EQ(Price(0.1 + 0.2), Price(0.3));
}

}  // namespace
}  // namespace cdz
