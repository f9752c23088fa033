#include "app/albums/cd/ReleaseQuery.h"

#include <algorithm>
#include <cctype>

#include "runtime/text/Printable.h"

namespace cdz {

namespace {

// A query term longer than this is no barcode, number or name a sleeve carries.
constexpr int kMostChars = 200;
constexpr size_t kUpcDigits = 12;
constexpr size_t kEanDigits = 13;
constexpr size_t kShortestBarcode = 8;  // EAN-8

bool startsWith(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char wanted, char typed) {
        return std::tolower(static_cast<unsigned char>(typed)) == wanted;
    });
}

std::string trimmed(std::string_view text) {
    return printable(text, kMostChars);
}

// The GS1 check digit of `digits` (the code without it).
char checkDigit(std::string_view digits) {
    int sum = 0;
    bool triple = true;  // from the right, the digit next to the check digit counts three times
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * (triple ? 3 : 1);
        triple = !triple;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool checks(std::string_view code) {
    return code.size() >= 2 && checkDigit(code.substr(0, code.size() - 1)) == code.back();
}

// A phrase of the search, quoted, its quotes and backslashes escaped.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void add(std::vector<std::string>& forms, std::string form) {
    if (std::find(forms.begin(), forms.end(), form) == forms.end())
        forms.push_back(std::move(form));
}

}  // namespace

std::vector<std::string> ReleaseQuery::barcodeForms(std::string_view typed) {
    std::string digits;
    for (const char c : typed) {
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (c != ' ' && c != '-' && c != '\t') {
            return {};
        }
    }
    if (digits.size() < kShortestBarcode - 1 || digits.size() > kEanDigits + 1) return {};
    std::vector<std::string> forms{digits};
    if (digits.size() == kUpcDigits) add(forms, "0" + digits);
    if (digits.size() == kEanDigits && digits.front() == '0') add(forms, digits.substr(1));
    // Typed without its check digit (11 or 12 digits that do not check as they are).
    if ((digits.size() == kUpcDigits - 1 || digits.size() == kUpcDigits) && !checks(digits)) {
        const std::string whole = digits + checkDigit(digits);
        add(forms, whole);
        if (whole.size() == kUpcDigits) add(forms, "0" + whole);
    }
    return forms;
}

std::optional<ReleaseQuery> ReleaseQuery::ofBarcode(std::string_view typed, std::string* why) {
    const std::vector<std::string> forms = barcodeForms(typed);
    if (forms.empty()) {
        if (why) *why = "\"" + trimmed(typed) + "\" is not a barcode: type its 12 or 13 digits.";
        return std::nullopt;
    }
    ReleaseQuery q;
    q.kind = Kind::Barcode;
    q.barcode = forms.front();
    return q;
}

std::optional<ReleaseQuery> ReleaseQuery::parse(std::string_view text, std::string* why) {
    const std::string whole = trimmed(text);
    const std::string_view t = whole;
    if (startsWith(t, "barcode:")) return ofBarcode(t.substr(8), why);
    if (startsWith(t, "catno:")) {
        ReleaseQuery q;
        q.kind = Kind::CatalogueNumber;
        q.catalogueNumber = trimmed(t.substr(6));
        if (!q.catalogueNumber.empty()) return q;
        if (why) *why = "No catalogue number after \"catno:\".";
        return std::nullopt;
    }
    // "artist:A,title:T": the part that begins the text, then the other after the last comma
    // that begins it, so that a comma inside a name ("Crosby, Stills & Nash") stays.
    const bool artistFirst = startsWith(t, "artist:");
    if (artistFirst || startsWith(t, "title:")) {
        const std::string other = artistFirst ? ",title:" : ",artist:";
        std::string lower(t);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const size_t split = lower.rfind(other);
        const size_t first = artistFirst ? 7 : 6;
        const std::string_view head =
            t.substr(first, split == std::string::npos ? std::string_view::npos : split - first);
        const std::string_view tail =
            split == std::string::npos ? std::string_view() : t.substr(split + other.size());
        ReleaseQuery q;
        q.kind = Kind::ArtistAndTitle;
        q.artist = trimmed(artistFirst ? head : tail);
        q.title = trimmed(artistFirst ? tail : head);
        if (!q.artist.empty() || !q.title.empty()) return q;
    }
    if (why)
        *why = "Search by \"barcode:DIGITS\", \"catno:NUMBER\" or \"artist:NAME,title:TITLE\".";
    return std::nullopt;
}

std::string ReleaseQuery::searchText() const {
    switch (kind) {
        case Kind::Barcode: {
            std::string any;
            for (const std::string& form : barcodeForms(barcode))
                any += (any.empty() ? "" : " OR ") + form;
            return "barcode:(" + any + ")";
        }
        case Kind::CatalogueNumber:
            return "catno:" + quoted(catalogueNumber);
        case Kind::ArtistAndTitle: {
            std::string out;
            if (!artist.empty()) out = "artist:" + quoted(artist);
            if (!title.empty()) out += (out.empty() ? "" : " AND ") + ("release:" + quoted(title));
            return out;
        }
    }
    return {};
}

std::string ReleaseQuery::describe() const {
    switch (kind) {
        case Kind::Barcode:
            return "barcode " + barcode;
        case Kind::CatalogueNumber:
            return "catalogue number " + catalogueNumber;
        case Kind::ArtistAndTitle:
            if (artist.empty()) return "\"" + title + "\"";
            if (title.empty()) return artist;
            return artist + " - " + title;
    }
    return {};
}

}  // namespace cdz
