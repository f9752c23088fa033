// The browse engine's movement: the selection, scrolling, the page rebuilt around a record, a
// located record, the order and range a tab chooses.
#include "app/engine/browse/BrowseEngine.h"

#include <algorithm>

#include "runtime/data/ErrorState.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {

void BrowseEngine::newSelection() {
    if (page_.empty()) return;
    page_.restore(page_.at(choice_));
    placeThumb();
}

void BrowseEngine::select(int row) {
    if (page_.empty()) return;
    choice_ = std::clamp(row, 1, page_.count());
    newSelection();
}

void BrowseEngine::scrollOne(bool down) {
    if (page_.empty()) return;
    bool endMet = false;
    if (!down && choice_ > 1) {
        --choice_;
    } else if (down && choice_ < page_.count()) {
        ++choice_;
    } else {
        endMet = fillPage(1, down) > 0;
        choice_ = std::min(choice_, page_.count());
    }
    newSelection();
    placeThumbAfterMovement(down, endMet);
    blankLocator();
}

void BrowseEngine::scrollPage(bool down) {
    if (page_.empty()) return;
    const int unfilled = fillPage(rows(), down);
    if (unfilled > 0) choice_ += down ? unfilled : -unfilled;
    choice_ = std::clamp(choice_, 1, std::max(1, page_.count()));
    if (page_.empty()) choice_ = 0;
    newSelection();
    placeThumbAfterMovement(down, unfilled > 0);
    blankLocator();
}

void BrowseEngine::scrollEnd(bool bottom) {
    if (page_.empty()) return;
    page_.clear();
    resetView();
    fillPage(rows(), !bottom);
    choice_ = page_.empty() ? 0 : (bottom ? page_.count() : 1);
    newSelection();
    placeThumbAfterMovement(bottom, true);
    blankLocator();
}

// RefreshPage: the page rebuilt around the record to keep highlighted.
void BrowseEngine::refreshPage(RefreshMode mode) {
    if (host_.busy) host_.busy(true);
    std::string remembered;
    if (mode == RefreshMode::AtPosition) {
        remembered = view_->position();
        view_->reset(remembered);
        mode = RefreshMode::Top;
    } else if (!page_.empty()) {
        const int row = std::clamp(choice_, 1, page_.count());
        remembered = page_.at(row).position;
        view_->reset(page_.front().position);
        mode = RefreshMode::CurrentPage;
    } else {
        resetView();
    }
    page_.clear();
    const int wanted = rows();
    const bool backward = mode == RefreshMode::Bottom;
    int unfilled = fillPage(wanted, !backward);
    if (!remembered.empty() && unfilled > 0 && !failed_) {
        if (unfilled == wanted) resetView();
        fillPage(unfilled, backward);
    }
    if (!page_.empty()) {
        if (!remembered.empty()) {
            choice_ = page_.find(remembered);
            if (choice_ == 0) choice_ = page_.count();
        } else {
            choice_ = backward ? page_.count() : 1;
        }
        page_.restore(page_.at(choice_));
    } else {
        clearBuffers();
        choice_ = 0;
    }
    if (host_.busy) host_.busy(false);
}

// LocateRecord: the page rebuilt from the first record at or after the buffer's key values
// (or at the record just edited), that record highlighted.
void BrowseEngine::locate(LocateMode mode) {
    if (mode == LocateMode::AtPosition) mode = LocateMode::EditedRecord;
    if (mode == LocateMode::EditedRecord && outsideRange()) {
        // The record is not in the range the order shows: the range from its top, rather than
        // a search for the record through the whole range.
        page_.clear();
        refreshPage(RefreshMode::Top);
        newSelection();
        return;
    }
    applyFilter();
    const int code = mode == LocateMode::EditedRecord ? view_->setAtRecord() : view_->setAtValues();
    if (code != 0 && host_.warning)
        host_.warning(Warning::ViewOpenError, decl_.file->decl().label());
    page_.clear();
    addToQueue_ = false;
    const int unfilled = fillPage(1, true);
    refreshPage(unfilled > 0 ? RefreshMode::Bottom : RefreshMode::AtPosition);
    newSelection();
}

// Whether the record in the buffer lies outside the current order's range (its key's leading
// value, compared as the key compares it, is not the range's).
bool BrowseEngine::outsideRange() const {
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    if (!s.ranged || !badFilter_.empty()) return false;
    const FileDecl& fd = decl_.file->decl();
    const KeyDesc& key = fd.keys()[static_cast<size_t>(sorts_[static_cast<size_t>(sort_)].key)];
    const FieldDesc& first = fd.columns()[static_cast<size_t>(key.components.front())];
    const SqlValue value = first.value(decl_.file->record());
    const SqlValue& range = sorts_[static_cast<size_t>(sort_)].rangeReset;
    const auto* text = std::get_if<std::string>(&value);
    const auto* rangeText = std::get_if<std::string>(&range);
    if (text && rangeText && key.noCase) return !equalsFolded(*text, clip(*rangeText));
    if (text && !rangeText) return !clip(*text).empty();
    return value != range;
}

const FieldDesc* BrowseEngine::sourceField(const RangeLimit& range, void** record) const {
    if (!range.sourceFile) return nullptr;
    *record = range.sourceFile->record();
    return range.sourceFile->decl().column(range.source);
}

// SelectSort: the sort order of the selected tab; the view rebuilt when the order or its range
// changed or a refresh was forced, keeping the highlighted record highlighted.
void BrowseEngine::refresh() {
    if (!ok_ || failed_) return;
    const int wanted = std::clamp(tab_, 0, static_cast<int>(decl_.sorts.size()) - 1);
    const bool orderChanged = wanted != sort_;
    bool rangeChanged = false;
    if (orderChanged) {
        sort_ = wanted;
        blankLocator();
    }
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    SortState& state = sorts_[static_cast<size_t>(sort_)];
    SqlValue source;
    if (s.ranged) {
        void* record = nullptr;
        if (s.range.value) {
            source = s.range.value();
        } else if (const FieldDesc* f = sourceField(s.range, &record)) {
            source = f->value(record);
        }
        rangeChanged = !orderChanged && source != state.rangeReset;
    }
    if (!(orderChanged || rangeChanged || forced_)) {
        if (!page_.empty()) page_.restore(page_.at(choice_));
        return;
    }
    forced_ = false;
    const bool queryChanged = queryChanged_;
    queryChanged_ = false;
    if (s.ranged) state.rangeReset = source;
    const bool hadRow = !page_.empty();
    if (hadRow) {
        page_.restore(page_.at(choice_));
        reread(true);
    }
    resetView();
    if (firstSelection_) {
        firstSelection_ = false;
        if (selectMode()) {
            locate(LocateMode::ByValue);
        } else {
            refreshPage(RefreshMode::Top);
        }
    } else if (rangeChanged || queryChanged || !hadRow) {
        page_.clear();
        refreshPage(RefreshMode::Top);
    } else if (orderChanged) {
        // The record itself, not merely the first with its key values, stays highlighted.
        locate(LocateMode::EditedRecord);
    } else {
        // Records may have changed elsewhere: the same page again, the same row highlighted.
        refreshPage(RefreshMode::KeepPage);
    }
    if (!page_.empty()) page_.restore(page_.at(choice_));
    buildDistribution();
    placeThumb();
}

// The highlighted record read again from the file into the buffers, optionally watched so
// that a form's save notices another station's change. False when it is gone.
bool BrowseEngine::reread(bool watch) {
    if (page_.empty()) return false;
    const PageEntry& e = page_.at(choice_);
    if (watch) decl_.file->watch();
    return view_->readRecord(e.recnos.front()) == 0;
}

}  // namespace cdz
