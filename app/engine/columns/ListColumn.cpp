#include "app/engine/columns/ListColumn.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace cdz {

namespace {

bool isArgumentText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == ',' || c == '.';
    });
}

std::string bracketed(int number) {
    return "(" + std::to_string(number) + ")";
}

}  // namespace

std::optional<Justify> justifyFromLetter(char letter) {
    switch (letter) {
        case 'L':
            return Justify::Left;
        case 'R':
            return Justify::Right;
        case 'C':
            return Justify::Center;
        case 'D':
            return Justify::Decimal;
        default:
            return std::nullopt;
    }
}

ListColumn::ListColumn(int width, Justify justify) : width_(0), justify_(justify) {
    setWidth(width);
}

void ListColumn::setWidth(int width) {
    width_ = std::clamp(width, 0, kMaxListUnits);
}

void ListColumn::setOffset(std::optional<int> offset) {
    if (offset) *offset = std::clamp(*offset, -kMaxListUnits, kMaxListUnits);
    offset_ = offset;
}

const ListColumn::Part* ListColumn::find(Kind kind, char letter) const {
    for (const Part& part : parts_) {
        if (part.kind == kind && (kind != Kind::Attribute || part.letter == letter)) return &part;
    }
    return nullptr;
}

ListColumn::Part* ListColumn::find(Kind kind, char letter) {
    return const_cast<Part*>(std::as_const(*this).find(kind, letter));
}

void ListColumn::remove(Kind kind, char letter) {
    std::erase_if(parts_, [&](const Part& part) {
        return part.kind == kind && (kind != Kind::Attribute || part.letter == letter);
    });
}

// A new part goes before the first part the program writes after it: border, underline,
// resizable and fixed, then the header, further attributes, the picture, the field number.
ListColumn::Part& ListColumn::add(Part part) {
    const auto rank = [](const Part& p) {
        switch (p.kind) {
            case Kind::Attribute: {
                const std::string_view flags = "|_MF";
                const auto at = flags.find(p.letter);
                return at == std::string_view::npos ? 5 : static_cast<int>(at);
            }
            case Kind::Header:
                return 4;
            case Kind::Picture:
                return 6;
            case Kind::FieldNumber:
                return 7;
        }
        return 7;
    };
    const int mine = rank(part);
    const auto at =
        std::find_if(parts_.begin(), parts_.end(), [&](const Part& p) { return rank(p) > mine; });
    return *parts_.insert(at, std::move(part));
}

bool ListColumn::hasAttribute(char letter) const {
    return find(Kind::Attribute, letter) != nullptr;
}

std::optional<std::string> ListColumn::attribute(char letter) const {
    const Part* part = find(Kind::Attribute, letter);
    if (!part) return std::nullopt;
    return part->text;
}

void ListColumn::setFlag(char letter, bool on) {
    if (on) {
        if (!hasAttribute(letter)) add(Part{Kind::Attribute, letter, {}, {}, false});
    } else {
        remove(Kind::Attribute, letter);
    }
}

bool ListColumn::setAttribute(char letter, std::optional<std::string> argument) {
    // L, R, C and D right after a header would read back as the header's justification.
    const bool capital = letter >= 'A' && letter <= 'Z' && !justifyFromLetter(letter);
    if (!(capital || letter == '|' || letter == '_')) return false;
    if (argument && (!capital || !isArgumentText(*argument))) return false;
    Part part{Kind::Attribute, letter, argument.value_or(std::string()), {}, argument.has_value()};
    if (Part* existing = find(Kind::Attribute, letter)) {
        *existing = std::move(part);
    } else {
        add(std::move(part));
    }
    return true;
}

void ListColumn::removeAttribute(char letter) {
    remove(Kind::Attribute, letter);
}

std::optional<std::string> ListColumn::header() const {
    const Part* part = find(Kind::Header);
    if (!part) return std::nullopt;
    return part->text;
}

std::optional<Justify> ListColumn::headerJustify() const {
    const Part* part = find(Kind::Header);
    if (!part) return std::nullopt;
    return justifyFromLetter(part->letter);
}

std::optional<int> ListColumn::headerOffset() const {
    const Part* part = find(Kind::Header);
    if (!part) return std::nullopt;
    return part->number;
}

bool ListColumn::setHeader(std::string text) {
    if (text.find('~') != std::string::npos) return false;
    if (Part* part = find(Kind::Header)) {
        part->text = std::move(text);
    } else {
        add(Part{Kind::Header, 0, std::move(text), {}, false});
    }
    return true;
}

void ListColumn::setHeaderJustify(std::optional<Justify> justify, std::optional<int> offset) {
    Part* part = find(Kind::Header);
    if (!part) return;
    part->letter = justify ? static_cast<char>(*justify) : 0;
    part->number = justify && offset
                       ? std::optional<int>(std::clamp(*offset, -kMaxListUnits, kMaxListUnits))
                       : std::nullopt;
}

void ListColumn::removeHeader() {
    remove(Kind::Header);
}

std::string ListColumn::picture() const {
    const Part* part = find(Kind::Picture);
    return part ? part->text : std::string();
}

bool ListColumn::setPicture(std::string picture) {
    if (picture.find('@') != std::string::npos) return false;
    if (picture.empty()) {
        remove(Kind::Picture);
    } else if (Part* part = find(Kind::Picture)) {
        part->text = std::move(picture);
    } else {
        add(Part{Kind::Picture, 0, std::move(picture), {}, false});
    }
    return true;
}

std::optional<int> ListColumn::fieldNumber() const {
    const Part* part = find(Kind::FieldNumber);
    if (!part) return std::nullopt;
    return part->number;
}

void ListColumn::setFieldNumber(std::optional<int> number) {
    if (!number || *number < 0) {
        remove(Kind::FieldNumber);
    } else if (Part* part = find(Kind::FieldNumber)) {
        part->number = number;
    } else {
        add(Part{Kind::FieldNumber, 0, {}, number, false});
    }
}

std::string ListColumn::text() const {
    std::string out = std::to_string(width_);
    out += static_cast<char>(justify_);
    if (offset_) out += bracketed(*offset_);
    for (const Part& part : parts_) {
        switch (part.kind) {
            case Kind::Attribute:
                out += part.letter;
                if (part.bracketed) out += "(" + part.text + ")";
                break;
            case Kind::Header:
                out += "~" + part.text + "~";
                if (part.letter) out += part.letter;
                if (part.letter && part.number) out += bracketed(*part.number);
                break;
            case Kind::Picture:
                out += "@" + part.text + "@";
                break;
            case Kind::FieldNumber:
                out += "#" + std::to_string(part.number.value_or(0)) + "#";
                break;
        }
    }
    return out;
}

}  // namespace cdz
