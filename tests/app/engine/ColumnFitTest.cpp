// A design's columns wide enough for a whole time, date or number and for their headers; text
// columns and hidden ones as designed.
#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "app/engine/columns/ColumnFit.h"
#include "app/engine/columns/ListFormat.h"
#include "app/engine/resize/DialogUnits.h"

namespace cdz {
namespace {

TEST(ColumnFit, NumbersDatesTimesAndHeadersShowWhole) {
    const QFontMetrics metrics(QApplication::font());
    const std::string design =
        "75L(2)|_M~Title~@s40@23R(2)|_M~Time~C(0)@t4b@45R(2)|_M~Released~C(0)@d2b@"
        "8R(2)|_M~Track Number~C(0)@n3@0L(2)|_M~Hidden~@n9@";
    const auto fitted = ListFormat::parse(fitColumnWidths(design, metrics));
    ASSERT_TRUE(fitted.format);
    const auto& columns = fitted.format->columns();
    auto pixels = [&](size_t c) {
        return dialogUnitsToPixelsX(columns[c].width(), metrics.averageCharWidth());
    };
    EXPECT_EQ(columns[0].width(), 75);  // text keeps its design
    EXPECT_EQ(columns[4].width(), 0);   // hidden stays hidden
    const struct {
        size_t column;
        const char* shown;
    } whole[] = {{1, "10:05:15"}, {2, "09/22/1997"}, {3, "Track Number"}, {3, "255"}};
    for (const auto& w : whole) {
        EXPECT_GT(pixels(w.column), metrics.horizontalAdvance(w.shown)) << w.shown;
    }
    EXPECT_EQ(fitColumnWidths("not a format", metrics), "not a format");
}

}  // namespace
}  // namespace cdz
