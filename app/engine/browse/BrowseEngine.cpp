#include "app/engine/browse/BrowseEngine.h"

#include <algorithm>

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

}  // namespace cdz
