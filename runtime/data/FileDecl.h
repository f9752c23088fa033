#pragma once
// The declaration of one data file: label, prefix, external name, fields, memos and keys. It is
// also the reflection table through which binders, CSV and column layouts reach any field of
// the file's record buffer by its label ("MUS:Artist").
#include <functional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "runtime/data/FieldDesc.h"

namespace cdz {

struct KeyDesc {
    std::string name;             // "SongsByArtist"
    std::string label;            // "MUS:SongsByArtist"
    std::vector<int> components;  // indexes into FileDecl::columns()
    bool unique = false;
    bool primary = false;
    bool noCase = false;        // text components compare with full Unicode case folding
    bool autoNumber = false;    // the last component is numbered on add (highest + 1)
    bool blanksRepeat = false;  // unique, except among records whose components are all blank
};

class FileDecl {
public:
    FileDecl(std::string label, std::string prefix, std::string externalName, int recordBytes,
             std::type_index recordType, void (*clearFn)(void*));

    const std::string& label() const { return label_; }
    const std::string& prefix() const { return prefix_; }
    const std::string& externalName() const { return externalName_; }
    int recordBytes() const { return recordBytes_; }
    std::type_index recordType() const { return recordType_; }
    // Owner-protected and enciphered: texts and memos are stored sealed under a key from the
    // owner password, which every open must give.
    bool encrypted() const { return encrypted_; }
    void setEncrypted(bool on) { encrypted_ = on; }

    // Fields first (declaration order), then memos.
    const std::vector<FieldDesc>& columns() const { return columns_; }
    int fieldCount() const { return fieldCount_; }
    int memoCount() const { return static_cast<int>(columns_.size()) - fieldCount_; }
    const std::vector<KeyDesc>& keys() const { return keys_; }

    // By label ("MUS:Artist") or bare name ("Artist"), ignoring ASCII case; -1 when unknown.
    int columnIndex(std::string_view labelOrName) const;
    const FieldDesc* column(std::string_view labelOrName) const;
    int keyIndex(std::string_view labelOrName) const;
    const KeyDesc* key(std::string_view labelOrName) const;
    const KeyDesc* primaryKey() const;
    // True when the column is a text component of some case-insensitive key, so it carries a
    // hidden folded copy in the table.
    bool needsFolded(int column) const;

    // Declared field bytes must add up to the declared record size; `why` names the difference.
    bool checkRecordSize(std::string* why = nullptr) const;
    // A canonical description of the layout: a stored file whose description differs was
    // written under another declaration.
    std::string layoutSignature() const;

    void clearRecord(void* record) const { clear_(record); }

    // Used by FileDeclBuilder.
    void addColumn(FieldDesc f);
    void addKey(KeyDesc k);

private:
    std::string label_;
    std::string prefix_;
    std::string externalName_;
    int recordBytes_;
    std::type_index recordType_;
    void (*clear_)(void*);
    bool encrypted_ = false;
    std::vector<FieldDesc> columns_;
    int fieldCount_ = 0;
    std::vector<KeyDesc> keys_;
};

}  // namespace cdz
