#pragma once
// The standard warnings: the fixed words, icon, buttons and halt of every numbered message about
// files and records, one table for the program and the query wizard library alike. Composition
// only; each shows them through its own entry point (the program's standard warning, the
// library's messages).
#include <string>
#include <string_view>

#include "runtime/data/ErrorState.h"
#include "runtime/ui/MessageButtons.h"

namespace cdz {

struct WarningMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Warning;
    Buttons buttons = Button::Ok;
    Button defaultButton = Button::Ok;
    // When the button pressed is in haltOn, the program ends with haltText.
    std::string haltText;
    Buttons haltOn;
};

// The standard warnings by the number each has always had (the number is what a message log
// and the other stations' programs know them by).
enum class Warning : int {
    InvalidFile = 1,           // a file that cannot be used: the program ends
    InvalidKey = 2,            // asks to rebuild a damaged key
    KeyRebuildError = 3,       // the rebuild failed: the program ends
    FileCreationError = 4,     // a missing file could not be made: the program ends
    CreatedFileOpenError = 5,  // the file made would not open: the program ends
    ProcedureNotDefined = 6,
    InsertRetrievalError = 7,  // the record read for an insert is not there
    ValueAboveLimit = 8,
    ValueBelowLimit = 9,
    ValueOutOfRange = 10,
    ValueNotInFile = 11,      // a lookup field's value must be found in its file
    ReferencedOnUpdate = 12,  // referential integrity refuses a change
    ReferencedOnDelete = 13,  // referential integrity refuses a deletion
    RecordInsertError = 14,
    UpdateError = 15,
    UpdateRetry = 16,  // asks to save again
    DeleteError = 17,
    DeleteRetry = 18,  // asks to delete again
    InsertsNotAllowed = 19,
    ChangesNotAllowed = 20,
    DeletionsNotAllowed = 21,
    FileCreationNotAllowed = 22,
    ConfirmCancel = 23,
    DuplicateKey = 24,
    AutoNumberError = 25,  // asks to try numbering again
    FileLoadError = 26,
    ConfirmStopLoading = 27,
    EmptyFileLoaded = 28,
    EndOfFile = 29,  // asks to wrap round ("Down": the end; else the beginning)
    FileAccessError = 30,
    ProcessError = 31,  // a pass could not put ("Put") or delete a record
    ConfirmDelete = 32,
    SaveChanges = 33,  // asks whether to save a changed record
    TransactionFramingError = 34,
    RecordRetrievalError = 35,
    ViewOpenError = 36,
    RecordAdded = 37,             // asks whether to add another
    RecordChangedElsewhere = 38,  // the other station's changes are shown
};

constexpr int kFirstWarning = 1;
constexpr int kLastWarning = 38;

// The error text of a message, at most 150 characters: the saved error when one is saved, else
// the current one; code 90 shows the driver's own text and code instead of the runtime's.
std::string composeErrorText(const ErrorState& saved, const ErrorState& current);

// The message of warning `number` (1 to 38) with its texts. errorText is the composed error
// text; codeInForce the saved error code, else the current one (warning 15 words itself by it).
// An unknown number gives an empty title and text.
WarningMessage warningMessage(int number, std::string_view text1, std::string_view text2,
                              std::string_view errorText, int codeInForce);

}  // namespace cdz
