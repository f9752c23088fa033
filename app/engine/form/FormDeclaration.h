#pragma once
// What one record form declares to the form engine: its file, how new records are numbered,
// which unique keys a duplicate is looked for in (with the text the warning names), how its
// changes are saved, its titles by request and its settings section.
#include <string>
#include <vector>

#include "app/domain/data/CatalogueFile.h"
#include "app/domain/integrity/Integrity.h"

namespace cdz {

struct UniqueKeyText {
    std::string key;   // "CAT:KeyCategory"
    std::string text;  // what warning 24 names
};

struct FormDeclaration {
    CatalogueFile file = CatalogueFile::Media;
    // Auto-numbered files: the unique key whose last component is the number, and that field.
    // Empty for files whose records are added at completion.
    std::string numberKey;
    std::string numberField;
    // Tested in this order after a duplicate-key failure; the first one duplicated is named.
    std::vector<UniqueKeyText> uniqueKeys;
    // How the update procedure words a change by another station.
    int updateFlag = Integrity::kOtherForm;
    std::string insertTitle;
    std::string changeTitle;
    // The section of the settings file where the window's place is kept.
    std::string section;
    // A Select request asks for a copy of the record in the buffer, added as a new record.
    bool offersCopy = false;
    // Completions are kept as the file's history record, which Ditto recalls.
    bool ditto = false;
    // Other files the form reads while it is open (lookups), used for its lifetime.
    std::vector<CatalogueFile> otherFiles;
};

}  // namespace cdz
