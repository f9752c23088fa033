#pragma once
// The history records of the forms that offer Ditto: for each file, the record its form last
// completed with, kept for the whole run. Before any completion it is a cleared record.
#include <array>

#include "app/domain/data/CatalogueFile.h"
#include "app/domain/data/RecordCopy.h"

namespace cdz {

class RecordHistory {
public:
    void store(CatalogueFile file, RecordCopy record) {
        records_[static_cast<size_t>(file)] = std::move(record);
    }
    // A blank copy (restoring clears) until the file's form first completes.
    const RecordCopy& of(CatalogueFile file, const FileDecl& decl) {
        RecordCopy& r = records_[static_cast<size_t>(file)];
        if (r.empty()) r = RecordCopy::blank(decl);
        return r;
    }

private:
    std::array<RecordCopy, kCatalogueFileCount> records_;
};

}  // namespace cdz
