#pragma once
// The three tables of the query store and the elements table of the previous format: record
// layouts and declarations. A class name is stored upper case; a query's elements come back
// in the order they were added.
#include <cstdint>

#include "querykit/querykit.h"
#include "runtime/data/FileDecl.h"
#include "runtime/text/Text.h"

namespace qk {

// XRQW_Queries (prefix XRQW_QR): one saved query.
struct QueryRec {
    int32_t QueryNo = 0;  // 1 upward, unique
    cdz::Text<30> ClassName;
    cdz::Text<60> Description;
    uint8_t Manual = 0;   // typed by hand: no elements
    uint8_t Invalid = 0;  // a field it uses no longer exists
    cdz::Text<1024> QueryString;
};

// XRQW_Elements (prefix XRQW_EL): one condition of a query.
struct ElementRec {
    int32_t QueryNo = 0;
    int32_t FieldPointer = 0;  // -1 when the field was removed
    int32_t CmpPointer = 0;    // the field compared against; 0 none, -1 removed
    cdz::Text<3> Conjunction;  // "AND", "OR", blank on the last
    cdz::Text<80> Value;
    uint8_t MatchType = 0;
    uint8_t Opcode = 0;  // operator 1 to 12
    uint8_t Expression = 0;
};

// XRQW_Fields (prefix XRQW_FD): the persistent number of a field of a class.
struct FieldRec {
    cdz::Text<30> ClassName;
    uint8_t FieldType = 0;     // the entry's KeyByLabel
    cdz::Text<80> FieldName;   // upper-cased Label (KeyByLabel 1) or Source
    int16_t FieldPointer = 0;  // 1 upward, unique within the class
};

// The elements table as an older version wrote it: the operator's name instead of Opcode.
struct OldElementRec {
    int32_t QueryNo = 0;
    int32_t FieldPointer = 0;
    int32_t CmpPointer = 0;
    cdz::Text<3> Conjunction;
    cdz::Text<80> Value;
    uint8_t MatchType = 0;
    cdz::Text<40> Operator;
    uint8_t Expression = 0;
};

QUERYKIT_API const cdz::FileDecl& queriesDecl();
QUERYKIT_API const cdz::FileDecl& elementsDecl();
QUERYKIT_API const cdz::FileDecl& fieldsDecl();
QUERYKIT_API const cdz::FileDecl& oldElementsDecl();

// Key indexes of the declarations.
struct Keys {
    static constexpr int kQueriesByQueryNo = 0;
    static constexpr int kQueriesByClassName = 1;
    static constexpr int kElementsByQueryNo = 0;
    static constexpr int kFieldsByClassName = 0;
    static constexpr int kOldByQueryNo = 0;
};

// Class names are compared upper case within their 30 characters.
QUERYKIT_API std::string storedClassName(std::string_view className);

}  // namespace qk
