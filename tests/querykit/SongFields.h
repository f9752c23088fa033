#pragma once
// A host's side of the wizard for tests: a song record bound under the names its fields'
// Sources use, and the fields queue describing those fields.
#include <string>

#include "querykit/qwizard/DisplayTexts.h"
#include "querykit/qwizard/QueryElement.h"
#include "runtime/expr/Bindings.h"

namespace qk::test {

struct SongRecord {
    cdz::Text<40> Title;
    cdz::Text<40> Notes;
    cdz::Text<40> Artist;
    cdz::Text<1> Rating;
    cdz::Text<40> Album;
    int32_t Year = 0;
    int32_t Length = 0;
    uint8_t Favourite = 0;
    int32_t Released = 0;
};

// Positions of the fields in songFields().
enum SongField {
    kTitle = 1,
    kNotes,
    kArtist,
    kRating,
    kYear,
    kLength,
    kFavourite,
    kReleased,
    kAlbum
};

inline XRQW_FieldsQueue songFields() {
    struct Row {
        const char* label;
        const char* source;
        const char* picture;
        int size;
        uint8_t data;
        uint8_t entry;
        const char* lookup;
        const char* choices;
    };
    static const Row kRows[] = {
        {"Title", "MUS:Title", "@s40", 40, kTextData, kEntryField, "", ""},
        {"Notes", "MUS:Notes", "@s40", 40, kTextData, kEntryField, "", ""},
        {"Artist", "ALB:Artist", "@s40", 40, kTextData, kEntryField, "'Lookup ' & MUS:Year", ""},
        {"Rating", "ALB:Rating", "@s1", 1, kTextData, kDropList, "", "1|2|3|4|5"},
        {"Year", "MUS:Year", "@n4", 4, kNumberData, kEntryField, "", ""},
        {"Length", "MUS:Length", "@n-7", 7, kNumberData, kEntryField, "", ""},
        {"Favourite", "MUS:Favourite", "@n1", 1, kNumberData, kCheckBox, "", "A Favourite"},
        {"Released", "MUS:Released", "@d2", 10, kNumberData, kEntryField, "", ""},
        {"Album", "MUS:Album", "@s40", 40, kTextData, kEntryField, "", ""},
    };
    XRQW_FieldsQueue q;
    int16_t pointer = 30;  // numbers in another order than the positions
    for (const Row& r : kRows) {
        XRQW_FieldEntry e;
        e.Label = r.label;
        e.Source = r.source;
        e.Picture = r.picture;
        e.Size = static_cast<int16_t>(r.size);
        e.DataKind = r.data;
        e.EntryKind = r.entry;
        e.Lookup = r.lookup;
        e.Choices = r.choices;
        e.FieldPointer = pointer;
        pointer = static_cast<int16_t>(pointer - 3);
        q.add(e);
    }
    return q;
}

inline void bindSong(cdz::Bindings& b, const SongRecord& s) {
    b.bind("MUS:Title", &s.Title);
    b.bind("MUS:Notes", &s.Notes);
    b.bind("ALB:Artist", &s.Artist);
    b.bind("ALB:Rating", &s.Rating);
    b.bind("MUS:Album", &s.Album);
    b.bind("MUS:Year", &s.Year);
    b.bind("MUS:Length", &s.Length);
    b.bind("MUS:Favourite", &s.Favourite);
    b.bind("MUS:Released", &s.Released);
}

// A condition on a field of songFields(); an OtherField value names the other field's position.
inline QueryElement condition(int field, int opcode, const std::string& value, bool option = false,
                              ValueKind kind = ValueKind::Constant, const char* conj = "") {
    static const XRQW_FieldsQueue fields = songFields();
    QueryElement e;
    e.fieldIndex = field;
    e.source = fieldAt(fields, field)->Source.clipped();
    e.dataKind = fieldAt(fields, field)->DataKind;
    e.opcode = opcode;
    e.matchType = option;
    e.conjunction = conj;
    e.isExpression = kind == ValueKind::Expression;
    e.value = value;
    if (kind == ValueKind::OtherField) {
        e.compareIndex = std::stoi(value);
        e.value = fieldAt(fields, e.compareIndex)->Source.clipped();
    }
    return e;
}

// The operator names the program gives the library, in opcode order.
inline void setOperatorNames(DisplayTexts& texts) {
    const char* names[] = {"Is Equal To",
                           "Is NOT Equal To",
                           "Is Greater Than",
                           "Is Less Than",
                           "Is Greater Than or Equal To",
                           "Is Less Than or Equal To",
                           "Begins With",
                           "Contains",
                           "Does NOT Begin With",
                           "Does NOT Contain",
                           "Is Checked",
                           "Is NOT Checked"};
    for (int i = 0; i < 12; ++i) texts.set(i + 1, names[i]);
}

}  // namespace qk::test
