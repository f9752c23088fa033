#include "app/engine/browse/BrowseEngine.h"

#include <algorithm>

#include <QString>

#include "app/engine/browse/StepLocator.h"
#include "runtime/data/ErrorState.h"
#include "runtime/data/ViewFilter.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

ExprValue toExpr(const SqlValue& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return ExprValue::ofString(*s);
    if (const auto* i = std::get_if<int64_t>(&v)) return ExprValue::ofNumber(double(*i));
    if (const auto* d = std::get_if<double>(&v)) return ExprValue::ofNumber(*d);
    return ExprValue::ofString({});
}

// The sign and digits a text begins with, after blanks; "0" when it begins with none.
std::string leadingDigits(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::string out;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) out += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') out += text[i++];
    return out.find_first_of("0123456789") == std::string::npos ? std::string("0") : out;
}

}  // namespace

BrowseEngine::BrowseEngine(BrowseDeclaration declaration, Bindings& bindings, BrowseHost host,
                           Request calledWith)
    : decl_(std::move(declaration)),
      bindings_(bindings),
      host_(std::move(host)),
      calledWith_(calledWith),
      page_([&] {
          std::vector<DataFile*> files{decl_.file};
          for (const auto& j : decl_.joins) files.push_back(j.first);
          return files;
      }()) {
    ok_ = buildView();
}

BrowseEngine::~BrowseEngine() {
    for (const SortOrder& s : decl_.sorts) {
        if (s.ranged) bindings_.unbind(s.range.variable);
    }
}

bool BrowseEngine::buildView() {
    if (!decl_.file || !decl_.file->isOpen() || decl_.sorts.empty()) return false;
    view_ = std::make_unique<View>(*decl_.file);
    for (const auto& [file, on] : decl_.joins) {
        if (view_->addJoin(*file, on) != 0) return false;
    }
    for (const std::string& label : decl_.rowFields) {
        bool found = false;
        const auto& files = page_.files();
        for (size_t f = 0; f < files.size() && !found; ++f) {
            int c = files[f]->decl().columnIndex(label);
            if (c >= 0) {
                rowFields_.push_back({f, static_cast<size_t>(c)});
                found = true;
            }
        }
        if (!found) return false;
    }
    sorts_.resize(decl_.sorts.size());
    for (size_t i = 0; i < decl_.sorts.size(); ++i) {
        const SortOrder& s = decl_.sorts[i];
        sorts_[i].key = decl_.file->keyIndex(s.key);
        if (sorts_[i].key < 0) return false;
        const KeyDesc& key = decl_.file->decl().keys()[static_cast<size_t>(sorts_[i].key)];
        const size_t component = s.ranged ? 1 : 0;
        if (component >= key.components.size()) return false;
        sorts_[i].locatorColumn = key.components[component];
        sorts_[i].collation = KeyCollation(key.noCase);
        if (s.ranged) {
            SqlValue* reset = &sorts_[i].rangeReset;
            bindings_.bindGetter(s.range.variable, [reset] { return toExpr(*reset); });
        }
    }
    return true;
}

int BrowseEngine::rows() const {
    int n = host_.visibleRows ? host_.visibleRows() : 1;
    return n < 1 ? 1 : n;
}

const SqlValue& BrowseEngine::rowValue(int row, int field) const {
    const FieldRef& f = rowFields_[static_cast<size_t>(field)];
    return page_.value(page_.at(row), f.file, f.column);
}

void BrowseEngine::setQueryFilter(std::string text) {
    query_ = std::move(text);
    queryChanged_ = forced_ = true;
}

// FillPage: reads `items` records on from the page's edge (or from where the view stands when
// the page is empty) and adds them to the page. Returns how many could not be read.
int BrowseEngine::fillPage(int items, bool forward) {
    if (failed_) return items;
    if (host_.busy) host_.busy(true);
    const bool quick = items > 1;
    if (quick) view_->setPageSize(items + 1);
    std::string resetTo;
    if (!page_.empty()) {
        resetTo = forward ? page_.back().position : page_.front().position;
        if (view_->reset(resetTo) != 0) resetTo.clear();
    }
    bool skipFirst = !resetTo.empty();
    const int limit = rows();
    while (items > 0) {
        int code = forward ? view_->next() : view_->previous();
        if (code == err::kRecordNotAvailable) {
            restoreRange();
            break;
        }
        if (code != 0) {
            failed_ = true;
            if (host_.warning)
                host_.warning(Warning::RecordRetrievalError, decl_.file->decl().label());
            if (host_.close) host_.close();
            break;
        }
        if (skipFirst) {
            skipFirst = false;
            if (view_->position() == resetTo) continue;
        }
        if (addToQueue_) {
            if (page_.count() >= limit) forward ? page_.dropFront() : page_.dropBack();
            PageEntry e = page_.capture(view_->position());
            forward ? page_.append(std::move(e)) : page_.prepend(std::move(e));
        }
        --items;
    }
    if (quick) view_->setPageSize(1);
    addToQueue_ = true;
    if (host_.busy) host_.busy(false);
    return items;
}

void BrowseEngine::applyFilter() {
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    std::string text;
    const std::string query(clip(query_));
    // Under a column order the key's prefix no longer stands for the range: its filter does.
    if (s.ranged && (!s.range.prefixSaysAll || column_)) {
        text = query.empty() ? s.range.filter : "(" + s.range.filter + ") AND (" + query + ")";
    } else {
        text = query;
    }
    ViewFilter filter;
    if (filter.apply(*view_, text, bindings_)) {
        badFilter_.clear();
        return;
    }
    // The warning says the filter and range limits are ignored, and so they are; it is given
    // once for a text, not at every page the view is rebuilt for.
    // No filter always sets; were it refused, the reads that follow would say so.
    static_cast<void>(view_->setFilter({}));
    if (badFilter_ != text && host_.warning)
        host_.warning(Warning::ViewOpenError, decl_.file->decl().label());
    badFilter_ = text;
}

// ResetView: the current sort order's key from its beginning, with its range and the query.
void BrowseEngine::resetView() {
    if (column_) {
        const FieldDesc* f = view_->column(column_->label);
        if (!f || view_->setOrder(column_->orderList(f->isText())) != 0) {
            if (host_.warning) host_.warning(Warning::ViewOpenError, decl_.file->decl().label());
        }
        applyFilter();
        // No index serves most columns: the view sorts the records once and reads pages from
        // that list, rather than having SQLite sort the whole file for every page.
        static_cast<void>(view_->setListed(true));
        view_->setStart();
        return;
    }
    const int key = sorts_[static_cast<size_t>(sort_)].key;
    if (view_->setOrder(key) != 0 && host_.warning) {
        host_.warning(Warning::ViewOpenError, decl_.file->decl().label());
    }
    applyFilter();
    limitToRange();
    view_->setStart();
}

// A ranged order's range is its key's leading value: given to the view as the key's prefix too,
// the view reads only the range through the key's index, while the range's filter still tests
// each record. Without it a range over a rare value reads most of the file. The buffer keeps the
// value it had.
void BrowseEngine::limitToRange() {
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    // A refused filter ignores the range limit too, as the warning says.
    if (!s.ranged || !badFilter_.empty()) return;
    const FileDecl& fd = decl_.file->decl();
    const KeyDesc& key = fd.keys()[static_cast<size_t>(current().key)];
    const FieldDesc& first = fd.columns()[static_cast<size_t>(key.components.front())];
    void* record = decl_.file->record();
    const SqlValue kept = first.value(record);
    first.assign(record, current().rangeReset);
    static_cast<void>(view_->setPrefix(1));
    first.assign(record, kept);
}

void BrowseEngine::restoreRange() {
    // Reading may have moved the buffer the current range comes from (a joined file's buffer).
    // Another order's range is left alone: one never shown yet has no value to put back, and
    // its buffer holds what the user picked meanwhile.
    if (sort_ < 0) return;
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    if (!s.ranged) return;
    void* record = nullptr;
    if (const FieldDesc* f = sourceField(s.range, &record)) f->assign(record, current().rangeReset);
}

void BrowseEngine::clearBuffers() {
    for (DataFile* f : page_.files()) f->clearBuffer();
}

void BrowseEngine::blankLocator() {
    if (sort_ >= 0) current().locator.blank();
    columnLocator_.blank();
}

bool BrowseEngine::setColumnOrder(ColumnOrder order) {
    if (!ok_) return false;
    const FieldDesc* f = view_->column(order.label);
    if (!f || f->isMemo()) return false;
    column_ = std::move(order);
    columnLocator_.blank();
    forced_ = queryChanged_ = true;
    refresh();
    return true;
}

void BrowseEngine::clearColumnOrder() {
    if (!column_) return;
    column_.reset();
    columnLocator_.blank();
    forced_ = queryChanged_ = true;
    refresh();
}

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

bool BrowseEngine::insert() {
    if (!ok_ || sort_ < 0) return false;
    clearBuffers();
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    if (s.ranged) {
        // A new record falls inside the range the user is looking at.
        const auto& key = decl_.file->decl().keys()[static_cast<size_t>(sorts_[sort_].key)];
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

bool BrowseEngine::thumbVisible() const {
    return thumb_.visible();
}

const std::string& BrowseEngine::locatorText() const {
    static const std::string none;
    if (column_) return columnLocator_.text();
    return sort_ >= 0 ? current().locator.value() : none;
}

SqlValue BrowseEngine::locatorValue() const {
    const FieldDesc& f = decl_.file->decl().columns()[static_cast<size_t>(current().locatorColumn)];
    return f.value(decl_.file->record());
}

std::string BrowseEngine::locatorText(int row) const {
    const SqlValue& v = page_.value(page_.at(row), 0, static_cast<size_t>(current().locatorColumn));
    const auto* s = std::get_if<std::string>(&v);
    return s ? *s : std::string();
}

// The locator's value into its key component, the components after it blanked, so that the
// search starts at the first record with that beginning.
void BrowseEngine::storeLocator(const SqlValue& value) {
    const FileDecl& fd = decl_.file->decl();
    const KeyDesc& key = fd.keys()[static_cast<size_t>(current().key)];
    void* record = decl_.file->record();
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    bool after = false;
    for (size_t c = 0; c < key.components.size(); ++c) {
        const FieldDesc& f = fd.columns()[static_cast<size_t>(key.components[c])];
        if (c == 0 && s.ranged) {
            f.assign(record, current().rangeReset);
        } else if (key.components[c] == current().locatorColumn) {
            if (f.isText()) {
                f.assign(record, value);
            } else {
                // A number's locator is the number its text begins with (0 for a letter).
                if (const auto* t = std::get_if<std::string>(&value)) {
                    f.fromString(record, leadingDigits(*t));
                } else {
                    f.assign(record, value);
                }
            }
            after = true;
        } else if (after) {
            f.clear(record);
        }
    }
}

void BrowseEngine::typeLocator(char32_t ch) {
    if (!ok_ || sort_ < 0) return;
    if (column_) {
        void* record = nullptr;
        const FieldDesc* f = view_->column(column_->label, &record);
        if (!f || !columnLocator_.type(ch)) return;
        columnLocator_.store(*f, record, column_->picture);
        locate(LocateMode::ByValue);
        return;
    }
    const LocatorKind kind = decl_.sorts[static_cast<size_t>(sort_)].locator;
    std::string typed;
    if (ch != U'\b') typed = QString::fromUcs4(&ch, 1).toStdString();
    if (kind == LocatorKind::Incremental) {
        IncrementalLocator& l = current().locator;
        const bool changed = ch == U'\b' ? l.backspace() : l.type(typed);
        if (!changed) return;
        storeLocator(l.value());
        locate(LocateMode::ByValue);
    } else if (kind == LocatorKind::Step && !typed.empty()) {
        stepLocator(typed);
    }
}

void BrowseEngine::stepLocator(const std::string& typed) {
    StepLocator step(current().collation);
    StepLocator::Action action =
        page_.empty() ? StepLocator::Action::Locate : step.onKey(typed, locatorText(choice_));
    if (action == StepLocator::Action::StepDown) {
        scrollOne(true);
        action = step.afterStep(typed, locatorText(choice_));
    }
    if (action == StepLocator::Action::Locate) {
        storeLocator(step.locateValue(typed));
        locate(LocateMode::ByValue);
    } else if (action == StepLocator::Action::Stay) {
        select(choice_);
    }
}

// Two reads, the first and the last record of the view, give the estimate its ends.
void BrowseEngine::buildDistribution() {
    if (failed_ || sort_ < 0 || column_) return;
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    if (s.thumb == ThumbKind::None) return;
    SqlValue ends[2];
    for (int end = 0; end < 2; ++end) {
        resetView();
        const int code = end == 0 ? view_->previous() : view_->next();
        if (code == err::kRecordNotAvailable) {
            restoreRange();
            resetView();
            if (!page_.empty()) page_.restore(page_.at(choice_));
            return;
        }
        if (code != 0) {
            failed_ = true;
            if (host_.warning)
                host_.warning(Warning::RecordRetrievalError, decl_.file->decl().label());
            if (host_.close) host_.close();
            return;
        }
        ends[end] = locatorValue();
    }
    resetView();
    SortState& state = current();
    if (s.thumb == ThumbKind::Text) {
        const auto* high = std::get_if<std::string>(&ends[0]);
        const auto* low = std::get_if<std::string>(&ends[1]);
        if (!state.text) {
            state.text =
                std::make_unique<KeyDistribution>(s.thumbWidth, s.thumbFlags, state.collation);
        }
        state.text->build(low ? *low : std::string(), high ? *high : std::string());
    } else {
        auto number = [](const SqlValue& v) {
            if (const auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
            if (const auto* d = std::get_if<double>(&v)) return *d;
            return 0.0;
        };
        state.numeric.build(number(ends[1]), number(ends[0]));
    }
    // Reading moved the buffers; they belong to the highlighted row.
    if (!page_.empty()) page_.restore(page_.at(choice_));
}

void BrowseEngine::placeThumb() {
    if (sort_ < 0) return;
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    std::optional<int> estimate;
    if (column_) {
        // The sorted list knows where the row stands; the tab's estimates are of another order.
        if (!page_.empty()) {
            if (auto f = view_->listedFraction(page_.at(choice_).recnos.front())) {
                estimate = static_cast<int>(*f * 100.0 + 0.5);
            }
        }
        thumb_.placeThumb(pageFull(), estimate);
        return;
    }
    if (s.thumb == ThumbKind::Text && current().text && current().text->built()) {
        const SqlValue v = locatorValue();
        const auto* t = std::get_if<std::string>(&v);
        estimate = current().text->thumbPosition(t ? *t : std::string());
    } else if (s.thumb == ThumbKind::Numeric && current().numeric.built()) {
        const SqlValue v = locatorValue();
        const auto* i = std::get_if<int64_t>(&v);
        const auto* d = std::get_if<double>(&v);
        estimate = current().numeric.thumbPosition(i ? double(*i) : d ? *d : 0.0);
    }
    thumb_.placeThumb(pageFull(), estimate);
}

void BrowseEngine::placeThumbAfterMovement(bool down, bool endMet) {
    if (column_) return;  // placed from the list after every movement
    if (sort_ < 0 || decl_.sorts[static_cast<size_t>(sort_)].thumb != ThumbKind::None) return;
    thumb_.placeThumbAfterMovement(pageFull(),
                                   down ? ScrollThumb::Move::Down : ScrollThumb::Move::Up, endMet);
}

void BrowseEngine::dropThumb(int position) {
    if (page_.empty()) return;
    const SortOrder& s = decl_.sorts[static_cast<size_t>(sort_)];
    const bool estimated =
        !column_ && ((s.thumb == ThumbKind::Text && current().text && current().text->built()) ||
                     (s.thumb == ThumbKind::Numeric && current().numeric.built()));
    const ScrollThumb::Drop drop = ScrollThumb::dropThumb(position, estimated);
    switch (drop.action) {
        case ScrollThumb::Drop::Action::Top:
            scrollEnd(false);
            break;
        case ScrollThumb::Drop::Action::Bottom:
            scrollEnd(true);
            break;
        case ScrollThumb::Drop::Action::Locate:
            if (s.thumb == ThumbKind::Text) {
                storeLocator(current().text->point(drop.point));
            } else {
                storeLocator(current().numeric.point(drop.point));
            }
            locate(LocateMode::ByValue);
            break;
        case ScrollThumb::Drop::Action::Ignore:
            break;
    }
}

}  // namespace cdz
