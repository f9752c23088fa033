#pragma once
// What a user searches the online title service's releases by: the barcode on the sleeve, the
// catalogue number on the spine, or the artist and the title. A barcode is typed or scanned with
// spaces or dashes, as 12 digits (UPC-A) or 13 (EAN-13, the UPC-A with a leading 0), or without
// its check digit; the search asks for every form that names the same code.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

struct ReleaseQuery {
    enum class Kind { Barcode, CatalogueNumber, ArtistAndTitle };

    Kind kind = Kind::Barcode;
    std::string barcode;  // normalised digits
    std::string catalogueNumber;
    std::string artist;
    std::string title;

    // "barcode:724384260927", "catno:CDP 7 46208 2", "artist:Kate Bush,title:Hounds of Love"
    // (either part alone, or in either order); nullopt, with the reason in `why`, when the
    // text is none of these.
    static std::optional<ReleaseQuery> parse(std::string_view text, std::string* why);
    static std::optional<ReleaseQuery> ofBarcode(std::string_view typed, std::string* why);

    // The digits of a typed barcode (blanks and dashes dropped) and the forms of the same code:
    // the UPC-A and its EAN-13, a check digit added where it was left out. Empty when the text
    // is not a barcode.
    static std::vector<std::string> barcodeForms(std::string_view typed);

    // The search of the service's release index ("barcode:(... OR ...)"), its phrases quoted.
    std::string searchText() const;
    // "barcode 724384260927", "catalogue number CDP 7 46208 2", "Kate Bush - Hounds of Love".
    std::string describe() const;
};

}  // namespace cdz
