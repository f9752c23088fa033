// Stepping a real view to the first, previous, next or last record a test accepts, the
// progress figures, and the record the view is left on.
#include "querykit/navigation/QueryNavigator.h"

#include <gtest/gtest.h>

#include "runtime/expr/Expression.h"
#include "tests/querykit/NavigationFiles.h"

namespace qk {
namespace {

using State = QueryNavigator::State;
using Verdict = QueryNavigator::Verdict;

class QueryNavigatorTest : public ::testing::Test {
protected:
    // Runs a search in batches of 20 to its end and settles the view.
    State navigate(NavDirection direction, std::string_view startTitle, std::string_view filter) {
        const std::string start = startTitle.empty() ? "" : tracks.positionOf(startTitle);
        auto expression = std::make_shared<cdz::Expression>();
        EXPECT_TRUE(expression->compile(filter, tracks.bindings));
        QueryNavigator nav(tracks.view, direction, start, [expression] {
            return expression->test() ? Verdict::Match : Verdict::NoMatch;
        });
        tracks.view.setPageSize(7);
        EXPECT_EQ(nav.begin(), State::Running);
        while (nav.step(20) == State::Running) {
        }
        nav.settle();
        EXPECT_EQ(tracks.view.pageSize(), 7);  // the host's own again
        return nav.state();
    }

    test::TrackFile tracks{{"A", 1980}, {"B", 1990}, {"C", 1980}, {"D", 1990}, {"E", 1980}};
};

TEST_F(QueryNavigatorTest, FindsTheMatchInItsDirectionOrComesBackToTheStart) {
    struct Case {
        NavDirection direction;
        const char* start;
        const char* filter;
        State state;
        const char* current;  // the record the view is left on
    };
    const Case cases[] = {
        {NavDirection::First, "E", "TRK:Year = 1990", State::Found, "B"},
        {NavDirection::Last, "A", "TRK:Year = 1990", State::Found, "D"},
        {NavDirection::Next, "B", "TRK:Year = 1990", State::Found, "D"},
        {NavDirection::Next, "C", "TRK:Year = 1990", State::Found, "D"},
        {NavDirection::Previous, "D", "TRK:Year = 1990", State::Found, "B"},
        {NavDirection::Previous, "E", "TRK:Year = 1980", State::Found, "C"},
        {NavDirection::Next, "D", "TRK:Year = 1990", State::EndOfView, "D"},
        {NavDirection::Previous, "B", "TRK:Year = 1990", State::EndOfView, "B"},
        {NavDirection::First, "C", "TRK:Year = 2000", State::EndOfView, "C"},
        {NavDirection::Last, "C", "TRK:Year = 2000", State::EndOfView, "C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.filter);
        EXPECT_EQ(navigate(c.direction, c.start, c.filter), c.state);
        EXPECT_EQ(tracks.rec.Title.str(), c.current);
    }
}

TEST_F(QueryNavigatorTest, NextFromARecordSinceDeletedTestsTheOneInItsPlace) {
    const std::string start = tracks.positionOf("C");
    ASSERT_EQ(tracks.file.erase(), 0);
    cdz::Expression expression;
    ASSERT_TRUE(expression.compile("TRK:Year = 1990", tracks.bindings));
    QueryNavigator nav(tracks.view, NavDirection::Next, start,
                       [&] { return expression.test() ? Verdict::Match : Verdict::NoMatch; });
    ASSERT_EQ(nav.begin(), State::Running);
    EXPECT_EQ(nav.step(20), State::Found);
    EXPECT_EQ(tracks.rec.Title.str(), "D");
}

TEST(QueryNavigatorProgressTest, ShowsAfterFortyRecordsAndCountsFiveHundredAsAHundred) {
    test::TrackFile many;
    many.db.beginStream();
    for (int i = 0; i < 1100; ++i) {
        many.rec = test::TrackRec{};
        many.rec.Title = std::to_string(10000 + i);
        ASSERT_EQ(many.file.add(), 0);
    }
    many.db.endStream();
    QueryNavigator nav(many.view, NavDirection::First, "", [] { return Verdict::NoMatch; });
    ASSERT_EQ(nav.begin(), State::Running);
    struct Point {
        int read;
        bool shows;
        int percent;
    };
    const Point points[] = {{39, false, 8},   {40, true, 8},  {41, true, 9},     {499, true, 100},
                            {500, true, 100}, {501, true, 1}, {1000, true, 100}, {1006, true, 2}};
    for (const Point& p : points) {
        nav.step(p.read - nav.recordsRead());
        ASSERT_EQ(nav.recordsRead(), p.read);
        EXPECT_EQ(nav.showsProgress(), p.shows) << p.read;
        EXPECT_EQ(nav.percent(), p.percent) << p.read;
    }
    EXPECT_EQ(nav.step(200), State::EndOfView);
}

}  // namespace
}  // namespace qk
