#include "runtime/data/FileDecl.h"

#include <cassert>
#include <utility>

namespace cdz {
namespace {

bool sameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

FileDecl::FileDecl(std::string label, std::string prefix, std::string externalName, int recordBytes,
                   std::type_index recordType, void (*clearFn)(void*))
    : label_(std::move(label)),
      prefix_(std::move(prefix)),
      externalName_(std::move(externalName)),
      recordBytes_(recordBytes),
      recordType_(recordType),
      clear_(clearFn) {}

void FileDecl::addColumn(FieldDesc f) {
    f.label = prefix_ + ":" + f.name;
    if (f.isMemo()) {
        columns_.push_back(std::move(f));
    } else {
        // Fields keep their place before every memo.
        columns_.insert(columns_.begin() + fieldCount_, std::move(f));
        ++fieldCount_;
    }
}

void FileDecl::addKey(KeyDesc k) {
    k.label = prefix_ + ":" + k.name;
    keys_.push_back(std::move(k));
}

int FileDecl::columnIndex(std::string_view name) const {
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (sameAscii(columns_[i].label, name) || sameAscii(columns_[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const FieldDesc* FileDecl::column(std::string_view name) const {
    int i = columnIndex(name);
    return i < 0 ? nullptr : &columns_[static_cast<size_t>(i)];
}

int FileDecl::keyIndex(std::string_view name) const {
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (sameAscii(keys_[i].label, name) || sameAscii(keys_[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const KeyDesc* FileDecl::key(std::string_view name) const {
    int i = keyIndex(name);
    return i < 0 ? nullptr : &keys_[static_cast<size_t>(i)];
}

const KeyDesc* FileDecl::primaryKey() const {
    for (const auto& k : keys_) {
        if (k.primary) return &k;
    }
    return nullptr;
}

bool FileDecl::needsFolded(int column) const {
    if (columns_[static_cast<size_t>(column)].type != FieldType::String) return false;
    for (const auto& k : keys_) {
        if (!k.noCase) continue;
        for (int c : k.components) {
            if (c == column) return true;
        }
    }
    return false;
}

bool FileDecl::checkRecordSize(std::string* why) const {
    int sum = 0;
    for (int i = 0; i < fieldCount_; ++i) sum += columns_[static_cast<size_t>(i)].bytes();
    if (sum == recordBytes_) return true;
    if (why) {
        *why = label_ + ": fields add up to " + std::to_string(sum) + " bytes, declared " +
               std::to_string(recordBytes_);
    }
    return false;
}

std::string FileDecl::layoutSignature() const {
    std::string s;
    for (const auto& c : columns_) s += c.name + " " + c.typeName() + ";";
    for (const auto& k : keys_) {
        s += "KEY " + k.name + "(";
        for (size_t i = 0; i < k.components.size(); ++i) {
            if (i) s += ",";
            s += columns_[static_cast<size_t>(k.components[i])].name;
        }
        s += ")";
        if (k.primary) s += " PRIMARY";
        if (k.unique) s += " UNIQUE";
        if (k.noCase) s += " NOCASE SORTKEY";
        if (k.blanksRepeat) s += " BLANKSREPEAT";
        s += ";";
    }
    if (encrypted_) s += "ENCRYPTED;";
    return s;
}

}  // namespace cdz
