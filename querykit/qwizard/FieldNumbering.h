#pragma once
// How the fields of a queue get their numbers: SortOrder by upper-cased label, and
// FieldPointer from the numbers the store keeps for the class. A field keeps its stored
// number; new fields take the lowest numbers no kept field uses, so they fill the gaps below
// the highest number first and then continue above it.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "querykit/querykit.h"

namespace qk {

// A field as the store knows it: its FieldType (the entry's KeyByLabel) and its upper-cased
// Label (KeyByLabel 1) or Source, within the stored 80 characters.
struct FieldKey {
    uint8_t type = 0;
    std::string name;
    auto operator<=>(const FieldKey&) const = default;
};

// The store's records of one class, in key order: (identity, number).
using StoredFields = std::vector<std::pair<FieldKey, int32_t>>;

struct Numbering {
    std::vector<int32_t> removed;  // stored numbers no entry carries any more, ascending
    bool changed = false;          // the store must be updated (new or removed fields)
};

class QUERYKIT_API FieldNumbering {
public:
    static FieldKey keyOf(const XRQW_FieldEntry& entry);

    // SortOrder 1, 2, ... in the order of upper-cased labels; equal labels keep queue order.
    static void assignSortOrder(std::vector<XRQW_FieldEntry>& entries);

    // Sets every FieldPointer: the stored number of its identity, else a new one (entries of
    // one identity share a number). A stored number that is not positive, or that another
    // identity already holds, counts as none.
    static Numbering assignPointers(std::vector<XRQW_FieldEntry>& entries,
                                    const StoredFields& stored);
};

}  // namespace qk
