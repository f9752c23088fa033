#include "runtime/warnings/WarningTable.h"

#include <string>

#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

constexpr int kErrorTextWidth = 150;

std::string codeText(std::string_view text, int code) {
    return std::string(clip(text)) + " (" + std::to_string(code) + ")";
}

WarningMessage ok(std::string title, std::string text) {
    WarningMessage m;
    m.title = std::move(title);
    m.text = std::move(text);
    return m;
}

WarningMessage fatal(std::string title, std::string text, std::string halt) {
    WarningMessage m = ok(std::move(title), std::move(text));
    m.haltText = std::move(halt);
    m.haltOn = Button::Ok;
    return m;
}

WarningMessage ask(std::string title, std::string text, Buttons buttons, Button defaultButton,
                   MessageIcon icon = MessageIcon::Question) {
    WarningMessage m = ok(std::move(title), std::move(text));
    m.icon = icon;
    m.buttons = buttons;
    m.defaultButton = defaultButton;
    return m;
}

}  // namespace

std::string composeErrorText(const ErrorState& saved, const ErrorState& current) {
    const ErrorState& e = saved.code != 0 ? saved : current;
    std::string text = e.code == err::kDriverError ? codeText(e.driverText, e.driverCode)
                                                   : codeText(e.text, e.code);
    return std::string(cutChars(text, kErrorTextWidth));
}

WarningMessage warningMessage(int number, std::string_view text1, std::string_view text2,
                              std::string_view errorText, int codeInForce) {
    const std::string t1(clip(text1));
    const std::string t2(clip(text2));
    const std::string e(errorText);
    const std::string endApp = ".  Press OK to end this application.";
    auto invalidRequest = [](const char* verb, const char* nouns) {
        return ok("Invalid Request", std::string("This procedure was called to ") + verb +
                                         " a record, however " + nouns +
                                         " are not allowed for this procedure.  Press OK to "
                                         "return to the calling procedure");
    };

    switch (number) {
        case 1:
            return fatal("Invalid File", "Error: (" + e + ") accessing " + t1 + endApp,
                         "Invalid File!");
        case 2: {
            WarningMessage m =
                ask("Invalid Key", t1 + " key file is invalid.  Do you want to rebuild the key?",
                    Button::Yes | Button::No, Button::Yes);
            m.haltText = "Invalid Key!";
            m.haltOn = Button::No;
            return m;
        }
        case 3:
            return fatal("Key Rebuild Error", "Error: (" + e + ") repairing key for " + t1 + endApp,
                         "Error Rebuilding Key!");
        case 4:
            return fatal("File Creation Error", "Error: (" + e + ") creating " + t1 + endApp,
                         "File Creation Error!");
        case 5:
            return fatal("File Creation Error",
                         "Error: (" + e + ") opening created file:" + t1 + endApp,
                         "File Creation Error!");
        case 6:
            return ok("Procedure not defined", "The Procedure " + t1 + " has not been defined.");
        case 7: {
            // The call gives no caption of its own; the box is titled by what went wrong.
            WarningMessage m =
                ok("Record Retrieval Error",
                   "Unable to read keyed record.  Error: " + e + ".  Insert Aborted");
            m.defaultButton = Button::None;
            return m;
        }
        case 8:
            return ok("Range Error", "The value of " + t1 + " must be lower than " + t2 + ".");
        case 9:
            return ok("Range Error", "The value of " + t1 + " must be higher than " + t2 + ".");
        case 10:
            return ok("Range Error", "The value of " + t1 + " must be between " + t2 + ".");
        case 11:
            return ok("Field Contents Error",
                      "The value for " + t1 + " must be found in the " + t2 + " file.");
        case 12:
            return ok("Referential Integrity Update Error",
                      "This record is referenced from the file " + t1 +
                          ".  Linking field(s) have been restricted from change and have been "
                          "reset to original values.");
        case 13:
            return ok("Referential Integrity Delete Error",
                      "This record is referenced from the file " + t1 +
                          ".  This record cannot be deleted while these references exist.");
        case 14:
            return ok("Record Insert Error",
                      "An error was experienced during the update of record.  Error: " + e + ".");
        case 15:
            if (codeInForce != 0 && codeInForce != err::kRecordChanged)
                return ok("Update Operation Error",
                          "An error (" + e +
                              ") was experienced when attempting to update a record from the "
                              "file.  Probable Cause: " +
                              t1 + ".");
            return ok("Update Operation Error", "This record was changed by another station.");
        case 16:
            return ask("Record Update Error",
                       "An error was experienced changing this record.  Do you want to try to "
                       "save again?",
                       Button::Yes | Button::No | Button::Cancel, Button::Cancel,
                       MessageIcon::Warning);
        case 17:
            return ok("Delete Operation Error",
                      "An error (" + e +
                          ") was experienced when attempting to delete a record from the file " +
                          t1 + ".");
        case 18:
            return ask("Record Update Error",
                       "An error was experienced deleting this record.  Do you want to try to "
                       "save again?",
                       Button::Yes | Button::No | Button::Cancel, Button::Cancel,
                       MessageIcon::Warning);
        case 19:
            return invalidRequest("insert", "inserts");
        case 20:
            return invalidRequest("change", "changes");
        case 21:
            return invalidRequest("delete", "deletions");
        case 22:
            return fatal("File Creation Not Allowed",
                         "The File " + t1 +
                             "was not found, and creation of the file is not allowed.  Press OK "
                             "to end this application.",
                         "File Creation Error!");
        case 23:
            return ask("Update Cancelled", "Are you sure you want to cancel?",
                       Button::Yes | Button::No, Button::No);
        case 24:
            return ok("Duplicate Key Error",
                      "Adding this record creates a duplicate entry for the key:" + t1);
        case 25:
            return ask(
                "Auto Increment Error",
                "Attempts to automatically number this record have failed.  Error: " + e + ".",
                Button::Retry | Button::Cancel, Button::Cancel, MessageIcon::Warning);
        case 26:
            return ok("File Load Error", t1 + " File Load Error.  Error: " + e + ".");
        case 27:
            return ask("Cancel Request", "Are you certain you want to stop loading " + t1 + "?",
                       Button::Ok | Button::Cancel, Button::Cancel);
        case 28:
            return ok("File Load Error",
                      t1 + " File Load Error.  The file you've requested contains no text.");
        case 29:
            if (t1 == "Down")
                return ask("End of File Error",
                           "The end of the viewed file was encountered.  Do you want to start "
                           "again from the beginning?",
                           Button::Yes | Button::No, Button::Yes);
            return ask("Beginning of File Error",
                       "The beginning of the viewed file was encountered.  Do you want to start "
                       "again from the end of the file?",
                       Button::Yes | Button::No, Button::Yes);
        case 30:
            return ok("File Access Error",
                      "File (" + t1 + ") could not be opened.  Error: " + e + ".");
        case 31:
            if (t1 == "Put")
                return ok("Process PUT Error",
                          "An error was experienced when making changes to the " + t2 +
                              " file.  Error: " + e);
            return ok("Process DELETE Error",
                      "An error was experienced when deleting a record from the " + t2 +
                          " file.  Error: " + e);
        case 32:
            return ask("Confirm Delete",
                       "You've selected to delete the highlighted record.  Press OK to confirm "
                       "deletion of this record.",
                       Button::Ok | Button::Cancel, Button::Cancel);
        case 33:
            return ask("Update Cancelled", "Do you want to save the changes to this record?",
                       Button::Yes | Button::No | Button::Cancel, Button::No);
        case 34:
            return ok("Transaction Framing Error", "Error: (" + e + ") attempting to frame the " +
                                                       toLower(t1) + " transaction on " + t2 +
                                                       ".  " + t1 + " transaction cancelled.");
        case 35:
            return ok("Record Retrieval Error", "Error: (" + e +
                                                    ") attempting to access a record from the " +
                                                    t1 + " file.  Returning to previous window.");
        case 36:
            return ok("View Open Error",
                      "Error: (" + e +
                          ") attempting to open the current VIEW. Filter and Range Limits "
                          "ignored.");
        case 37:
            return ask("Record Added",
                       "This record has been added to the file. Do you want to add another "
                       "record?",
                       Button::Yes | Button::No, Button::Yes);
        case 38:
            return ok("Record Was Not Updated",
                      "This record was changed by another station. Those changes will now be "
                      "displayed. Use the Ditto Button or Ctrl+' to recall your changes.");
        default:
            return WarningMessage{};
    }
}

}  // namespace cdz
