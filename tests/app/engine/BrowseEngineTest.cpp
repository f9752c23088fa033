// The browse engine over real files: movements, refreshes, locates, forms and ranges.
#include <gtest/gtest.h>

#include "tests/app/engine/BrowseFixture.h"

namespace cdz::test {
namespace {

using Mode = BrowseEngine::RefreshMode;

TEST(BrowseEngine, EmptyViewShowsNothingAndClearsTheBuffer) {
    BrowseFixture f;
    f.catalogue.category().Category = "left over";
    auto e = f.categoryBrowse();
    EXPECT_TRUE(e->page().empty());
    EXPECT_EQ(e->choice(), 0);
    EXPECT_FALSE(e->canChange());
    EXPECT_FALSE(e->thumbVisible());
    EXPECT_EQ(f.catalogue.category().Category, "");
    e->scrollPage(true);
    e->scrollEnd(true);
    EXPECT_TRUE(e->page().empty());
    EXPECT_TRUE(f.warnings.empty());
}

// Each step: a movement, then the page's first row and the highlighted row.
TEST(BrowseEngine, MovementsKeepOnePageAroundTheHighlight) {
    BrowseFixture f;
    f.addCategories(23);
    auto e = f.categoryBrowse();
    struct Step {
        const char* what;
        std::function<void(BrowseEngine&)> move;
        const char* first;
        const char* highlighted;
    };
    const std::vector<Step> steps = {
        {"opened", [](BrowseEngine&) {}, "Cat001", "Cat001"},
        {"4 down",
         [](BrowseEngine& b) {
             for (int i = 0; i < 4; ++i) b.scrollOne(true);
         },
         "Cat001", "Cat005"},
        {"down at the edge", [](BrowseEngine& b) { b.scrollOne(true); }, "Cat002", "Cat006"},
        {"page down", [](BrowseEngine& b) { b.scrollPage(true); }, "Cat007", "Cat011"},
        {"bottom", [](BrowseEngine& b) { b.scrollEnd(true); }, "Cat019", "Cat023"},
        {"page down at the end", [](BrowseEngine& b) { b.scrollPage(true); }, "Cat019", "Cat023"},
        {"up", [](BrowseEngine& b) { b.scrollOne(false); }, "Cat019", "Cat022"},
        {"page up", [](BrowseEngine& b) { b.scrollPage(false); }, "Cat014", "Cat017"},
        {"click row 2", [](BrowseEngine& b) { b.select(2); }, "Cat014", "Cat015"},
        {"top", [](BrowseEngine& b) { b.scrollEnd(false); }, "Cat001", "Cat001"},
        {"page up at the top", [](BrowseEngine& b) { b.scrollPage(false); }, "Cat001", "Cat001"},
        {"up at the top", [](BrowseEngine& b) { b.scrollOne(false); }, "Cat001", "Cat001"},
    };
    for (const Step& s : steps) {
        s.move(*e);
        ASSERT_EQ(e->page().count(), 5) << s.what;
        EXPECT_EQ(BrowseFixture::column(*e).front(), s.first) << s.what;
        EXPECT_EQ(BrowseFixture::highlighted(*e), s.highlighted) << s.what;
        // The buffer follows the highlight.
        EXPECT_EQ(f.catalogue.category().Category, s.highlighted) << s.what;
    }
    EXPECT_TRUE(f.warnings.empty());
}

TEST(BrowseEngine, FewerRecordsThanRowsStayOnOnePage) {
    BrowseFixture f;
    f.addCategories(3);
    auto e = f.categoryBrowse();
    EXPECT_FALSE(e->thumbVisible());
    e->scrollPage(true);
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"Cat001", "Cat002", "Cat003"}));
    EXPECT_EQ(e->choice(), 3);
    e->scrollEnd(false);
    e->scrollEnd(true);
    EXPECT_EQ(e->page().count(), 3);
    EXPECT_EQ(e->choice(), 3);
}

TEST(BrowseEngine, AnotherSortOrderKeepsTheHighlightedRecord) {
    BrowseFixture f;
    f.addCategory(1, "Zydeco");
    for (int i = 2; i <= 12; ++i) f.addCategory(i, "Genre" + std::to_string(100 + i));
    auto e = f.categoryBrowse();
    e->scrollEnd(true);
    ASSERT_EQ(BrowseFixture::highlighted(*e), "Zydeco");
    e->setSortTab(1);
    e->refresh();
    EXPECT_EQ(BrowseFixture::highlighted(*e), "Zydeco");
    EXPECT_EQ(e->choice(), 1);
    EXPECT_EQ(BrowseFixture::column(*e).front(), "Zydeco");
}

TEST(BrowseEngine, FormResponsesRebuildThePage) {
    BrowseFixture f;
    f.addCategories(12);
    auto e = f.categoryBrowse();
    e->scrollOne(true);
    ASSERT_EQ(BrowseFixture::highlighted(*e), "Cat002");

    // A cancelled insert leaves the page as it was.
    f.form = [](Request) { return Response::Cancelled; };
    e->insert();
    EXPECT_EQ(BrowseFixture::column(*e).front(), "Cat001");
    EXPECT_EQ(BrowseFixture::highlighted(*e), "Cat002");

    // A completed insert highlights the new record wherever it is.
    f.form = [&](Request r) {
        EXPECT_EQ(r, Request::Insert);
        EXPECT_EQ(f.catalogue.category().Category, "");
        f.catalogue.category().CategoryID = 99;
        f.catalogue.category().Category = "Cat0105";
        return f.categories().add() == 0 ? Response::Completed : Response::Cancelled;
    };
    e->insert();
    // Found in name order after Cat010; the rows after it fill the page up from below.
    EXPECT_EQ(BrowseFixture::highlighted(*e), "Cat0105");
    EXPECT_EQ(BrowseFixture::column(*e),
              (std::vector<std::string>{"Cat009", "Cat010", "Cat0105", "Cat011", "Cat012"}));

    // A change that moves the record away rebuilds the page around it.
    e->scrollEnd(false);
    e->scrollOne(true);
    f.form = [&](Request r) {
        EXPECT_EQ(r, Request::Change);
        f.catalogue.category().Category = "Zz top";
        return f.categories().put() == 0 ? Response::Completed : Response::Cancelled;
    };
    e->change();
    EXPECT_EQ(BrowseFixture::highlighted(*e), "Zz top");
    EXPECT_EQ(e->choice(), e->page().count());

    // A completed delete takes the row away and highlights its neighbour (Cat002 is now
    // "Zz top").
    e->scrollEnd(false);
    f.form = [&](Request r) {
        EXPECT_EQ(r, Request::Delete);
        return f.categories().erase() == 0 ? Response::Completed : Response::Cancelled;
    };
    e->erase();
    EXPECT_EQ(BrowseFixture::column(*e).front(), "Cat003");
    EXPECT_EQ(BrowseFixture::highlighted(*e), "Cat003");
    EXPECT_TRUE(f.warnings.empty());
}

TEST(BrowseEngine, RangeLimitsTheViewAndPrimesAnInsert) {
    BrowseFixture f;
    f.addSong("Abba", "Waterloo", "LP");
    f.addSong("Beck", "Loser", "CD");
    f.addSong("Cher", "Believe", "CD");
    f.addSong("Dido", "Thank You", "lp");
    auto e = f.songBrowse();
    e->scrollEnd(true);
    f.catalogue.media().Media = "LP";
    e->setSortTab(1);
    e->refresh();
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"Thank You", "Waterloo"}));
    EXPECT_EQ(e->choice(), 1);
    // Another media shows the top of its range, even with the highlight further down.
    e->scrollOne(true);
    f.catalogue.media().Media = "CD";
    e->refresh();
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"Believe", "Loser"}));
    EXPECT_EQ(e->choice(), 1);
    // An empty range shows nothing; an insert there falls inside it.
    f.catalogue.media().Media = "MiniDisc";
    e->refresh();
    EXPECT_TRUE(e->page().empty());
    f.form = [&](Request) {
        EXPECT_EQ(f.catalogue.song().Media, "MiniDisc");
        return Response::Cancelled;
    };
    e->insert();
    // A query filter joins the range.
    f.catalogue.media().Media = "CD";
    e->setQueryFilter("MUS:Artist = 'Cher'");
    e->refresh();
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"Believe"}));
    EXPECT_TRUE(f.warnings.empty());
}

// A filter that does not compile is reported once and the records show unfiltered, as the
// warning says.
TEST(BrowseEngine, BadQueryFilterIsReportedOnceAndIgnored) {
    BrowseFixture f;
    f.addCategories(3);
    auto e = f.categoryBrowse();
    e->setQueryFilter("CAT:Category = ");
    e->refresh();
    e->scrollEnd(true);
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_EQ(f.warnings[0].first, 36);
    EXPECT_EQ(e->page().count(), 3);
    EXPECT_FALSE(f.closed);
}

// Another station's changes reach the page at the next refresh; a record it deleted while it
// was highlighted is reported, never shown or handed to the form.
TEST(BrowseEngine, AnotherStationsChangesAreSeen) {
    BrowseFixture f;
    f.addCategories(4);
    auto e = f.categoryBrowse();
    e->scrollOne(true);
    e->scrollOne(true);
    ASSERT_EQ(BrowseFixture::highlighted(*e), "Cat003");

    Catalogue other(f.dir.path());
    ASSERT_EQ(other.use(CatalogueFile::Categories), 0);
    DataFile& theirs = other.file(CatalogueFile::Categories);
    other.category().CategoryID = 50;
    other.category().Category = "Cat0025";
    ASSERT_EQ(theirs.add(), 0);
    other.category().Category = "Cat003";
    ASSERT_EQ(theirs.get(CategoryRecord::KeyCategory), 0);
    ASSERT_EQ(theirs.erase(), 0);

    bool formCalled = false;
    f.form = [&](Request) {
        formCalled = true;
        return Response::Cancelled;
    };
    EXPECT_FALSE(e->change());
    EXPECT_FALSE(formCalled);
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_EQ(f.warnings[0], (std::pair<int, std::string>{35, "Categories"}));
    EXPECT_EQ(BrowseFixture::column(*e),
              (std::vector<std::string>{"Cat001", "Cat002", "Cat0025", "Cat004"}));
}

TEST(BrowseEngine, ReadFailureWarnsAndClosesTheWindow) {
    BrowseFixture f;
    f.addCategories(12);
    auto e = f.categoryBrowse();
    f.catalogue.release(CatalogueFile::Categories);
    e->scrollPage(true);
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_EQ(f.warnings[0].first, 35);
    EXPECT_TRUE(f.closed);
}

}  // namespace
}  // namespace cdz::test

namespace cdz::test {
namespace {

// The incremental locator finds as the key compares: the artist key ignores case with full
// Unicode folding; a prefix past the last key shows the last page with its last row.
TEST(BrowseEngine, IncrementalLocatorFindsAsTheKeyCompares) {
    BrowseFixture f;
    for (const char* artist : {"Abba", "Cher", "Dido", "Édith Piaf", "Eels", "Zappa"}) {
        f.addSong(artist, "Song", "CD");
    }
    f.rows = 3;
    auto e = f.songBrowse();
    auto type = [&](const std::u32string& text) {
        for (char32_t c : text) e->typeLocator(c);
    };
    type(U"édi");
    EXPECT_EQ(BrowseFixture::highlighted(*e, 1), "Édith Piaf");
    EXPECT_EQ(e->locatorText(), "édi");
    e->scrollEnd(false);
    EXPECT_EQ(e->locatorText(), "");
    type(U"ÉDI");
    EXPECT_EQ(BrowseFixture::highlighted(*e, 1), "Édith Piaf");
    e->typeLocator(U'\b');
    e->typeLocator(U'\b');
    e->typeLocator(U'\b');
    e->typeLocator(U'\b');  // nothing left to take away
    EXPECT_EQ(e->locatorText(), "");
    type(U"ÿ");  // files with y: "Zappa" is the first key at or after it
    EXPECT_EQ(BrowseFixture::highlighted(*e, 1), "Zappa");
    EXPECT_EQ(e->choice(), 3);
    EXPECT_EQ(BrowseFixture::column(*e, 1).front(), "Édith Piaf");
    e->scrollEnd(false);
    type(std::u32string(31, U'a'));
    EXPECT_EQ(e->locatorText(), std::string(30, 'a'));
}

// Dropping the thumb at either end is the movement to that end; in between it locates the
// distribution's point.
TEST(BrowseEngine, ThumbDropsAtTheEndsMoveToTheEnds) {
    BrowseFixture f;
    for (int i = 0; i < 52; ++i) {
        f.addCategory(i + 1, std::string(1, char('A' + i % 26)) + char('a' + i / 26) + "genre");
    }
    auto e = f.categoryBrowse();
    ASSERT_TRUE(e->thumbVisible());
    e->dropThumb(100);
    EXPECT_EQ(BrowseFixture::highlighted(*e), "Zbgenre");
    EXPECT_EQ(e->thumb(), 100);
    e->dropThumb(0);
    EXPECT_EQ(BrowseFixture::highlighted(*e), "Aagenre");
    EXPECT_LE(e->thumb(), 2);
    e->dropThumb(50);
    const std::string middle = BrowseFixture::highlighted(*e);
    EXPECT_GT(middle, "Kagenre");
    EXPECT_LT(middle, "Pbgenre");
    EXPECT_NEAR(e->thumb(), 50, 3);
    EXPECT_TRUE(f.warnings.empty());
}

// A column order keeps the tab's range and orders by the column without regard to case; it pages
// both ways, locates on the column, follows an edit, and gives the key order back.
TEST(BrowseEngine, AColumnOrderKeepsTheRangeAndLocatesOnItsColumn) {
    BrowseFixture f;
    f.addCategory(1, "zydeco");
    f.addCategory(2, "Blues");
    f.addCategory(3, "ambient");
    f.addCategory(4, "Ölpop");
    const struct {
        const char* title;
        const char* media;
        int category;
    } songs[] = {{"s1", "LP", 1}, {"s2", "CD", 2}, {"s3", "lp", 3}, {"s4", "LP", 2},
                 {"s5", "LP", 4}, {"s6", "LP", 3}, {"s7", "CD", 1}, {"s8", "LP", 0}};
    for (const auto& s : songs) {
        f.addSong("a", s.title, s.media);
        f.catalogue.song().CategoryID = s.category;
        ASSERT_EQ(f.songs().put(), 0);
    }
    auto e = f.songBrowse();
    f.catalogue.media().Media = "LP";
    e->setSortTab(1);
    e->refresh();
    f.rows = 3;
    ASSERT_TRUE(e->setColumnOrder({"CAT:Category", false, "@s20"}));
    // The LP songs only: no category first, then ambient, Blues, zydeco, Ölpop (folded "ö"
    // sorts after "z" byte-wise).
    const std::vector<std::string> ascending = {"s8", "s3", "s6", "s4", "s1", "s5"};
    std::vector<std::string> seen = BrowseFixture::column(*e);
    e->scrollPage(true);
    for (const std::string& t : BrowseFixture::column(*e)) seen.push_back(t);
    EXPECT_EQ(seen, ascending);
    e->scrollPage(false);
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"s8", "s3", "s6"}));
    ASSERT_TRUE(e->setColumnOrder({"CAT:Category", true, "@s20"}));
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"s5", "s1", "s4"}));
    // Typed characters locate on the column, upper-cased as the order compares.
    ASSERT_TRUE(e->setColumnOrder({"CAT:Category", false, "@s20"}));
    e->typeLocator(U'b');
    EXPECT_EQ(BrowseFixture::highlighted(*e), "s4");
    EXPECT_EQ(e->locatorText(), "b");
    e->typeLocator(U'z');
    EXPECT_EQ(BrowseFixture::highlighted(*e), "s1");  // the first after "BZ"
    // An edit that moves a song in the order is followed to its new place.
    f.form = [&](Request) {
        f.catalogue.song().CategoryID = 3;
        EXPECT_EQ(f.songs().put(), 0);
        return Response::Completed;
    };
    e->scrollEnd(true);
    ASSERT_EQ(BrowseFixture::highlighted(*e), "s5");
    e->change();
    EXPECT_EQ(BrowseFixture::highlighted(*e), "s5");
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"s5", "s6", "s4"}));
    EXPECT_FALSE(e->setColumnOrder({"MUS:Notes", false, ""}));  // a memo does not order
    e->clearColumnOrder();
    EXPECT_FALSE(e->columnOrder());
    EXPECT_EQ(BrowseFixture::column(*e), (std::vector<std::string>{"s1", "s3", "s4"}));
    EXPECT_TRUE(f.warnings.empty());
}

}  // namespace
}  // namespace cdz::test
