#include "runtime/data/SortedRecords.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace cdz {
namespace {

// One record while sorting. Texts live in one arena; their first eight bytes, big-endian,
// decide most comparisons without touching it.
struct Item {
    int64_t recno;
    int64_t integer;
    double real;
    uint64_t head;
    uint32_t offset;
    uint32_t length;
    uint8_t kind;  // 0 nothing, 1 integer, 2 real, 3 text
};

int numberCompare(const Item& a, const Item& b) {
    if (a.kind == 1 && b.kind == 1) return a.integer < b.integer ? -1 : a.integer > b.integer;
    const double x = a.kind == 1 ? static_cast<double>(a.integer) : a.real;
    const double y = b.kind == 1 ? static_cast<double>(b.integer) : b.real;
    return x < y ? -1 : x > y;
}

int rank(uint8_t kind) {
    return kind == 0 ? 0 : kind == 3 ? 2 : 1;
}

}  // namespace

void SortedRecords::build(const RowSource& rows, bool descending) {
    descending_ = descending;
    std::vector<Item> items;
    std::string arena;
    int64_t recno = 0;
    SqlValue value;
    while (rows(&recno, &value)) {
        Item it{recno, 0, 0.0, 0, 0, 0, 0};
        if (const auto* i = std::get_if<int64_t>(&value)) {
            it.kind = 1;
            it.integer = *i;
        } else if (const auto* d = std::get_if<double>(&value)) {
            it.kind = 2;
            it.real = *d;
        } else if (const auto* s = std::get_if<std::string>(&value)) {
            it.kind = 3;
            it.offset = static_cast<uint32_t>(arena.size());
            it.length = static_cast<uint32_t>(s->size());
            for (size_t b = 0; b < 8; ++b) {
                it.head =
                    (it.head << 8) | (b < s->size() ? static_cast<unsigned char>((*s)[b]) : 0);
            }
            arena += *s;
        }
        items.push_back(it);
    }
    const char* text = arena.data();
    auto valueCompare = [text](const Item& a, const Item& b) {
        if (a.kind != b.kind && rank(a.kind) != rank(b.kind)) {
            return rank(a.kind) < rank(b.kind) ? -1 : 1;
        }
        if (a.kind == 0) return 0;
        if (a.kind != 3) return numberCompare(a, b);
        if (a.head != b.head) return a.head < b.head ? -1 : 1;
        const uint32_t n = std::min(a.length, b.length);
        if (n > 8) {
            if (int c = std::memcmp(text + a.offset + 8, text + b.offset + 8, n - 8)) {
                return c < 0 ? -1 : 1;
            }
        }
        return a.length < b.length ? -1 : a.length > b.length;
    };
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        const int c = valueCompare(a, b);
        if (c != 0) return descending ? c > 0 : c < 0;
        return a.recno < b.recno;
    });
    recnos_.clear();
    recnos_.shrink_to_fit();
    recnos_.reserve(items.size());
    for (const Item& it : items) recnos_.push_back(it.recno);
}

std::optional<size_t> SortedRecords::find(int64_t recno) const {
    auto it = std::find(recnos_.begin(), recnos_.end(), recno);
    if (it == recnos_.end()) return std::nullopt;
    return static_cast<size_t>(it - recnos_.begin());
}

void SortedRecords::erase(size_t index) {
    if (index < recnos_.size()) recnos_.erase(recnos_.begin() + static_cast<std::ptrdiff_t>(index));
}

void SortedRecords::insert(size_t index, int64_t recno) {
    index = std::min(index, recnos_.size());
    recnos_.insert(recnos_.begin() + static_cast<std::ptrdiff_t>(index), recno);
}

int SortedRecords::compare(const SqlValue& a, const SqlValue& b) {
    auto rankOf = [](const SqlValue& v) {
        return isNull(v) ? 0 : std::holds_alternative<std::string>(v) ? 2 : 1;
    };
    const int ra = rankOf(a), rb = rankOf(b);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (ra == 0) return 0;
    if (ra == 2) {
        const int c = std::get<std::string>(a).compare(std::get<std::string>(b));
        return c < 0 ? -1 : c > 0;
    }
    const auto* ia = std::get_if<int64_t>(&a);
    const auto* ib = std::get_if<int64_t>(&b);
    if (ia && ib) return *ia < *ib ? -1 : *ia > *ib;
    const double x = ia ? static_cast<double>(*ia) : std::get<double>(a);
    const double y = ib ? static_cast<double>(*ib) : std::get<double>(b);
    return x < y ? -1 : x > y;
}

bool SortedRecords::before(const SqlValue& a, int64_t recnoA, const SqlValue& b,
                           int64_t recnoB) const {
    const int c = compare(a, b);
    if (c != 0) return descending_ ? c > 0 : c < 0;
    return recnoA < recnoB;
}

}  // namespace cdz
