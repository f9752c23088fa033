#include "querykit/qwizard/FieldNumbering.h"

#include <algorithm>
#include <set>

#include "runtime/text/Unicode.h"

namespace qk {

FieldKey FieldNumbering::keyOf(const XRQW_FieldEntry& entry) {
    const cdz::TextField& name =
        entry.KeyByLabel == 1 ? static_cast<const cdz::TextField&>(entry.Label) : entry.Source;
    const cdz::Text<80> stored(cdz::toUpper(name.clipped()));
    return FieldKey{entry.KeyByLabel, std::string(stored.clipped())};
}

void FieldNumbering::assignSortOrder(std::vector<XRQW_FieldEntry>& entries) {
    std::vector<std::pair<std::string, size_t>> byLabel;
    byLabel.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        byLabel.emplace_back(cdz::toUpper(entries[i].Label.clipped()), i);
    }
    std::stable_sort(byLabel.begin(), byLabel.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t n = 0; n < byLabel.size(); ++n) {
        entries[byLabel[n].second].SortOrder = static_cast<int16_t>(n + 1);
    }
}

Numbering FieldNumbering::assignPointers(std::vector<XRQW_FieldEntry>& entries,
                                         const StoredFields& stored) {
    std::map<FieldKey, int32_t> storedNumber;
    for (const auto& [key, number] : stored) storedNumber.emplace(key, number);

    Numbering out;
    std::map<int32_t, FieldKey> holder;  // kept numbers and the identity holding each
    std::vector<size_t> fresh;
    std::vector<FieldKey> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        keys.push_back(keyOf(entries[i]));
        auto found = storedNumber.find(keys[i]);
        const int32_t number = found == storedNumber.end() ? 0 : found->second;
        auto held = holder.find(number);
        if (number > 0 && (held == holder.end() || held->second == keys[i])) {
            entries[i].FieldPointer = static_cast<int16_t>(number);
            holder.emplace(number, keys[i]);
        } else {
            entries[i].FieldPointer = -1;
            fresh.push_back(i);
        }
    }

    std::set<int32_t> removed;
    for (const auto& [key, number] : stored) {
        if (number > 0 && !holder.contains(number)) removed.insert(number);
    }
    out.removed.assign(removed.begin(), removed.end());

    std::map<FieldKey, int16_t> given;
    int32_t next = 1;
    for (size_t i : fresh) {
        auto same = given.find(keys[i]);
        if (same != given.end()) {
            entries[i].FieldPointer = same->second;
            continue;
        }
        while (holder.contains(next)) ++next;
        entries[i].FieldPointer = static_cast<int16_t>(next);
        holder.emplace(next, keys[i]);
        given.emplace(keys[i], static_cast<int16_t>(next));
    }
    out.changed = !fresh.empty() || !removed.empty();
    return out;
}

}  // namespace qk
