// The browse engine's calls of its form: insert, change, delete, select and copy, and the page
// after the form.
#include "app/engine/browse/BrowseEngine.h"

#include "runtime/data/ErrorState.h"

namespace cdz {

bool BrowseEngine::insert() {
    if (!ok_ || sort_ < 0) return false;
    clearBuffers();
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    if (s.ranged) {
        // A new record falls inside the range the user is looking at.
        const auto& key =
            decl_.file->decl().keys()[static_cast<size_t>(sorts_[static_cast<size_t>(sort_)].key)];
        decl_.file->decl().columns()[static_cast<size_t>(key.components.front())].assign(
            decl_.file->record(), sorts_[static_cast<size_t>(sort_)].rangeReset);
    }
    afterForm(Request::Insert,
              host_.callForm ? host_.callForm(Request::Insert) : Response::Cancelled);
    return true;
}

bool BrowseEngine::change() {
    if (page_.empty()) return false;
    if (!reread(true)) return recordGone();
    afterForm(Request::Change,
              host_.callForm ? host_.callForm(Request::Change) : Response::Cancelled);
    return true;
}

bool BrowseEngine::erase() {
    if (page_.empty()) return false;
    if (!reread(true)) return recordGone();
    afterForm(Request::Delete,
              host_.callForm ? host_.callForm(Request::Delete) : Response::Cancelled);
    return true;
}

bool BrowseEngine::choose() {
    if (page_.empty()) return false;
    if (!reread(false)) return recordGone();
    response_ = Response::Completed;
    return true;
}

bool BrowseEngine::copy(Request request) {
    if (page_.empty()) return false;
    if (!reread(true)) return recordGone();
    const Response r = host_.callForm ? host_.callForm(request) : Response::Cancelled;
    // The copy is a new record: found like an inserted one.
    afterForm(Request::Insert, r);
    return true;
}

void BrowseEngine::locateValue(const std::string& text) {
    if (!ok_ || sort_ < 0 || failed_) return;
    current().locator.setValue(text);
    storeLocator(SqlValue(text));
    locate(LocateMode::ByValue);
}

// The highlighted record was deleted by another station: say so and show the page as it is now.
bool BrowseEngine::recordGone() {
    if (host_.warning) host_.warning(Warning::RecordRetrievalError, decl_.file->decl().label());
    page_.clear();
    refreshPage(RefreshMode::Top);
    return false;
}

void BrowseEngine::afterForm(Request request, Response response) {
    resetView();
    if (request == Request::Delete) {
        if (response == Response::Completed && !page_.empty()) page_.remove(choice_);
        refreshPage(RefreshMode::KeepPage);
    } else if (response == Response::Completed) {
        locate(LocateMode::EditedRecord);
    } else {
        refreshPage(RefreshMode::KeepPage);
    }
    buildDistribution();
    newSelection();
}

}  // namespace cdz
