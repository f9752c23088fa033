#include "app/songs/Pickers.h"

#include <memory>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/browse/ThumbAlphabet.h"
#include "app/engine/state/AppState.h"
#include "app/songs/LookupBrowses.h"

namespace cdz {
namespace {

constexpr int kNameThumb = kThumbLetters | kThumbDigits;

// Runs the category browse as a picker; the category it returns becomes `category`, which a
// cancelled pick leaves as it was.
void pickCategory(AppState& state, int64_t& category) {
    if (state.call(LookupBrowses::kCategories, Request::Select) == Response::Completed) {
        category = state.catalogue().category().CategoryID.toInt();
    }
}

}  // namespace

BrowseWindow* Pickers::album(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(), std::initializer_list<CatalogueFile>{CatalogueFile::Album});
    if (!files->ok()) return nullptr;
    BrowseWindowSpec spec;
    spec.procedure = kAlbum;
    spec.title = "Select An Orvanta Album";
    spec.listName = "?Browse:1";
    spec.designFormat =
        "120L(2)|M~Album~L(2)@s30@120L(2)|M~Artist~L(2)@s30@80L(2)|M~Media~L(2)@s20@"
        "44L(2)|M~File Number~L(2)@s10@40R(2)|M~Release Date~C(0)@d17@";
    spec.keepFormat = true;
    spec.tabs = {"By Album"};
    spec.selectTip = "Click to select the highlighted album";
    spec.closeTip = "Close this window";
    spec.designSize = {300, 170};
    BrowseDeclaration d;
    d.file = &state.catalogue().file(CatalogueFile::Album);
    d.sorts = {{"ALB:KeyAlbum", false, {}, LocatorKind::Step, ThumbKind::Text, 30, kNameThumb}};
    d.rowFields = {"ALB:Album",      "ALB:Artist",      "ALB:Media",
                   "ALB:FileNumber", "ALB:ReleaseDate", "ALB:AlbumID"};
    d.popupItems = {};
    return new BrowseWindow(state, std::move(spec), std::move(d), std::move(files), parent);
}

BrowseWindow* Pickers::fileNumber(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(),
        std::initializer_list<CatalogueFile>{CatalogueFile::Cadenzio, CatalogueFile::Categories});
    if (!files->ok()) return nullptr;
    Catalogue& c = state.catalogue();
    // The category of the "By Category" order: the one in the buffer when the picker opens, then
    // the one last chosen with "&Select Category". It is kept apart from the buffer, which every
    // read of the list fills with the row's own category.
    auto category = std::make_shared<int64_t>(c.category().CategoryID.toInt());

    BrowseWindowSpec spec;
    spec.procedure = kFileNumber;
    spec.title = "Browse Music Database - ";
    spec.countInTitle = true;
    spec.listName = "?Browse";
    spec.designFormat =
        "100L(2)|M~Artist~L(2)@s30@100L(2)|M~Title~L(2)@s30@100L(2)|M~Album~L(2)@s30@"
        "60L(2)|M~Media~L(2)@s20@44L(2)|M~File Number~L(2)@s10@"
        "40R(2)|M~Release Date~C(0)@d17@100L(2)|M~Category~L(2)@s30@";
    spec.keepFormat = true;
    spec.tabs = {"By Artist", "By Title", "By Album", "By Media", "By Category", "By Chart #"};
    spec.showLocator = true;
    spec.extraButtons = {{"&Select Category", "SelectCategoryButton",
                          [&state, category] { pickCategory(state, *category); }}};
    spec.designSize = {340, 190};

    BrowseDeclaration d;
    d.file = &c.file(CatalogueFile::Cadenzio);
    d.joins = {{&c.file(CatalogueFile::Categories), {{"MUS:CategoryID", "CAT:CategoryID"}}}};
    RangeLimit byCategory;
    byCategory.variable = "BRW1::Sort4:Reset:CAT:CategoryID";
    byCategory.filter = "MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID";
    byCategory.value = [category] { return SqlValue(*category); };
    d.sorts = {
        {"MUS:SongsByArtist", false, {}, LocatorKind::Incremental, ThumbKind::Text, 30, kNameThumb},
        {"MUS:SongsByTitle", false, {}, LocatorKind::Incremental, ThumbKind::Text, 30, kNameThumb},
        {"MUS:SongsByAlbum", false, {}, LocatorKind::Incremental, ThumbKind::Text, 30, kNameThumb},
        {"MUS:SongsByMedia", false, {}, LocatorKind::Incremental, ThumbKind::Text, 20, kNameThumb},
        {"MUS:SongsByCategory", true, byCategory, LocatorKind::None, ThumbKind::None, 0, 0},
        {"MUS:SongsByChartNumber", false, {}, LocatorKind::Incremental, ThumbKind::Numeric, 0, 0},
    };
    d.rowFields = {"MUS:Artist",     "MUS:Title",       "MUS:Album",    "MUS:Media",
                   "MUS:FileNumber", "MUS:ReleaseDate", "CAT:Category", "MUS:ID"};
    d.popupItems = {};
    return new BrowseWindow(state, std::move(spec), std::move(d), std::move(files), parent);
}

}  // namespace cdz
