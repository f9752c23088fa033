#pragma once
// A browse engine over real data files in the test's own folder: the categories file (two
// orders) and the songs file joined to its categories (ranged orders), with a host that records
// the warnings it is asked to show and a form that writes what the test tells it to.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseEngine.h"
#include "runtime/data/RecordBindings.h"
#include "tests/support/TempDir.h"

namespace cdz::test {

struct BrowseFixture {
    TempDir dir;
    Catalogue catalogue{dir.path()};
    Bindings bindings;
    int rows = 5;
    std::vector<std::pair<int, std::string>> warnings;
    bool closed = false;
    std::function<Response(Request)> form = [](Request) { return Response::Cancelled; };

    BrowseFixture() {
        for (CatalogueFile f :
             {CatalogueFile::Categories, CatalogueFile::Media, CatalogueFile::Cadenzio}) {
            catalogue.use(f);
            RecordBindings::bind(bindings, declarationOf(f), catalogue.record(f));
        }
    }

    DataFile& categories() { return catalogue.file(CatalogueFile::Categories); }
    DataFile& songs() { return catalogue.file(CatalogueFile::Cadenzio); }

    void addCategory(int id, const std::string& name) {
        CategoryRecord& c = catalogue.category();
        c.CategoryID = id;
        c.Category = name;
        ASSERT_EQ(categories().add(), 0);
    }
    void addCategories(int n) {
        for (int i = 1; i <= n; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "Cat%03d", i);
            addCategory(i, name);
        }
    }
    void addSong(const std::string& artist, const std::string& title, const std::string& media) {
        SongRecord& s = catalogue.song();
        songs().clearBuffer();
        s.Artist = artist;
        s.Title = title;
        s.Media = media;
        ASSERT_EQ(songs().add(), 0);
    }

    BrowseHost host() {
        BrowseHost h;
        h.visibleRows = [this] { return rows; };
        h.warning = [this](Warning n, std::string label) {
            warnings.emplace_back(static_cast<int>(n), label);
        };
        h.close = [this] { closed = true; };
        h.callForm = [this](Request r) { return form(r); };
        return h;
    }

    // The category browse: by name (step locator) and by number.
    std::unique_ptr<BrowseEngine> categoryBrowse(Request calledWith = Request::None) {
        BrowseDeclaration d;
        d.file = &categories();
        d.sorts = {{"CAT:KeyCategory", false, {}, LocatorKind::Step, ThumbKind::Text, 30, 1},
                   {"CAT:KeyCategoryID", false, {}, LocatorKind::None, ThumbKind::None, 0, 0}};
        d.rowFields = {"CAT:Category", "CAT:CategoryID"};
        auto e = std::make_unique<BrowseEngine>(d, bindings, host(), calledWith);
        e->refresh();
        return e;
    }

    // The songs by artist, and by media limited to the media in the media buffer.
    std::unique_ptr<BrowseEngine> songBrowse() {
        BrowseDeclaration d;
        d.file = &songs();
        d.joins = {{&categories(), {{"MUS:CategoryID", "CAT:CategoryID"}}}};
        RangeLimit media{&catalogue.file(CatalogueFile::Media), "MED:Media",
                         "BRW1::Sort3:Reset:MED:Media",
                         "UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)"};
        d.sorts = {
            {"MUS:SongsByArtist", false, {}, LocatorKind::Incremental, ThumbKind::Text, 40, 5},
            {"MUS:SongsByMedia", true, media, LocatorKind::Incremental, ThumbKind::Text, 20, 1}};
        d.rowFields = {"MUS:Title", "MUS:Artist", "MUS:Media", "CAT:Category"};
        auto e = std::make_unique<BrowseEngine>(d, bindings, host(), Request::None);
        e->refresh();
        return e;
    }

    // The texts of a field over the page, top to bottom.
    static std::vector<std::string> column(const BrowseEngine& e, int field = 0) {
        std::vector<std::string> out;
        for (int r = 1; r <= e.page().count(); ++r) {
            out.push_back(std::get<std::string>(e.rowValue(r, field)));
        }
        return out;
    }
    static std::string highlighted(const BrowseEngine& e, int field = 0) {
        return e.choice() ? std::get<std::string>(e.rowValue(e.choice(), field)) : "";
    }
};

}  // namespace cdz::test
