#include "app/engine/columns/ColumnOrder.h"

#include <QString>

#include "runtime/data/FieldDesc.h"
#include "runtime/text/Picture.h"
#include "runtime/text/Unicode.h"

namespace cdz {

std::string ColumnOrder::orderList(bool text) const {
    std::string term = text ? "UPPER(" + label + ")" : label;
    return descending ? "-" + term : term;
}

bool ColumnLocator::type(char32_t ch) {
    auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    if (ch == U'\b') {
        if (text_.empty()) return false;
        // One character off, not one byte.
        while (text_.size() > 1 && continuation(text_.back())) text_.pop_back();
        text_.pop_back();
        return true;
    }
    size_t characters = 0;
    for (char c : text_)
        if (!continuation(c)) ++characters;
    if (characters >= kLength) return false;
    text_ += QString::fromUcs4(&ch, 1).toStdString();
    return true;
}

void ColumnLocator::store(const FieldDesc& field, void* record, const std::string& picture) const {
    std::string shown = toUpper(text_);
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    if (field.isText()) {
        field.assign(record, shown);
        return;
    }
    // A number, date or time: what the text means under the column's picture.
    const auto p = Picture::parse(picture);
    const std::string plain = p ? p->deformat(shown) : shown;
    bool whole = false;
    const qlonglong n = QString::fromStdString(plain).toLongLong(&whole);
    if (whole) {
        field.assign(record, static_cast<int64_t>(n));
        return;
    }
    bool real = false;
    const double d = QString::fromStdString(plain).toDouble(&real);
    field.assign(record, real ? SqlValue{d} : SqlValue{int64_t{0}});
}

}  // namespace cdz
