#include "app/songs/LookupBrowses.h"

#include <memory>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/state/AppState.h"

namespace cdz {

BrowseWindow* LookupBrowses::categories(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(), std::initializer_list<CatalogueFile>{CatalogueFile::Categories});
    if (!files->ok()) return nullptr;
    BrowseWindowSpec spec;
    spec.procedure = kCategories;
    spec.title = "Categories";
    spec.listName = "?Browse:1";
    spec.designFormat = "80L(2)|M~Category~L(2)@s30@";
    spec.keepFormat = false;
    spec.tabs = {"By Category"};
    spec.formProcedure = "UpdateCategories";
    spec.insertCaption = "&Insert";
    spec.closeCaption = "Cl&ose";
    spec.closeIcon = "EXIT.ICO";
    BrowseDeclaration d;
    d.file = &state.catalogue().file(CatalogueFile::Categories);
    d.sorts = {{"CAT:KeyCategory", false, {}, LocatorKind::Step, ThumbKind::Text, 30, 1}};
    d.rowFields = {"CAT:Category", "CAT:CategoryID"};
    d.popupItems = {"&Insert", "&Change", "&Delete"};
    return new BrowseWindow(state, std::move(spec), std::move(d), std::move(files), parent);
}

BrowseWindow* LookupBrowses::media(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(), std::initializer_list<CatalogueFile>{CatalogueFile::Media});
    if (!files->ok()) return nullptr;
    BrowseWindowSpec spec;
    spec.procedure = kMedia;
    spec.title = "Browse Media Formats";
    spec.listName = "?Browse:1";
    spec.designFormat = "80L(2)|M~Media~L(2)@s20@";
    spec.keepFormat = true;
    spec.tabs = {"By Media"};
    spec.formProcedure = "UpdateMedia";
    spec.insertCaption = "&Add";
    spec.closeCaption = "E&xit";
    BrowseDeclaration d;
    d.file = &state.catalogue().file(CatalogueFile::Media);
    d.sorts = {{"MED:KeyMedia", false, {}, LocatorKind::Step, ThumbKind::Text, 20, 1}};
    d.rowFields = {"MED:Media"};
    d.popupItems = {"&Add", "&Change", "&Delete"};
    return new BrowseWindow(state, std::move(spec), std::move(d), std::move(files), parent);
}

}  // namespace cdz
