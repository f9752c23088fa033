#include "app/engine/browse/PageQueue.h"

namespace cdz {

PageEntry PageQueue::capture(std::string position) const {
    PageEntry e;
    e.position = std::move(position);
    e.records.reserve(files_.size());
    for (DataFile* f : files_) {
        SqlValues values;
        values.reserve(f->decl().columns().size());
        for (const FieldDesc& c : f->decl().columns()) values.push_back(c.value(f->record()));
        e.records.push_back(std::move(values));
        e.recnos.push_back(f->recordNumber());
    }
    return e;
}

void PageQueue::restore(const PageEntry& entry) const {
    for (size_t i = 0; i < files_.size() && i < entry.records.size(); ++i) {
        DataFile* f = files_[i];
        const auto& columns = f->decl().columns();
        for (size_t c = 0; c < columns.size(); ++c) {
            columns[c].assign(f->record(), entry.records[i][c]);
        }
    }
}

const SqlValue& PageQueue::value(const PageEntry& entry, size_t file, size_t column) const {
    return entry.records[file][column];
}

int PageQueue::find(const std::string& position) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].position == position) return static_cast<int>(i) + 1;
    }
    return 0;
}

}  // namespace cdz
