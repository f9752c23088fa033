#include "app/domain/warnings/StandardWarning.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/ui/ScriptedDialogs.h"

namespace {

using cdz::Button;
using cdz::Buttons;
using cdz::ErrorState;
using cdz::MessageIcon;

constexpr auto W = MessageIcon::Warning;
constexpr auto Q = MessageIcon::Question;
constexpr Buttons OK = Button::Ok;
const Buttons YN = Button::Yes | Button::No;
const Buttons YNC = Button::Yes | Button::No | Button::Cancel;
const Buttons OC = Button::Ok | Button::Cancel;
const Buttons RC = Button::Retry | Button::Cancel;

struct Expected {
    int number;
    const char* text1;
    const char* text2;
    const char* title;
    const char* text;
    MessageIcon icon;
    Buttons buttons;
    Button defaultButton;
    const char* halt;  // "" when the default answer does not halt
};

// The error in force for every case: "Record Not Found (35)".
const std::vector<Expected> kWarnings = {
    {1, "Album", "", "Invalid File",
     "Error: (Record Not Found (35)) accessing Album.  Press OK to end this application.", W, OK,
     Button::Ok, "Invalid File!"},
    {2, "Album", "", "Invalid Key", "Album key file is invalid.  Do you want to rebuild the key?",
     Q, YN, Button::Yes, ""},
    {3, "Album", "", "Key Rebuild Error",
     "Error: (Record Not Found (35)) repairing key for Album.  Press OK to end this application.",
     W, OK, Button::Ok, "Error Rebuilding Key!"},
    {4, "Album", "", "File Creation Error",
     "Error: (Record Not Found (35)) creating Album.  Press OK to end this application.", W, OK,
     Button::Ok, "File Creation Error!"},
    {5, "Album", "", "File Creation Error",
     "Error: (Record Not Found (35)) opening created file:Album.  Press OK to end this "
     "application.",
     W, OK, Button::Ok, "File Creation Error!"},
    {6, "NoSuchProcedure", "", "Procedure not defined",
     "The Procedure NoSuchProcedure has not been defined.", W, OK, Button::Ok, ""},
    {7, "", "", "Record Retrieval Error",
     "Unable to read keyed record.  Error: Record Not Found (35).  Insert Aborted", W, OK,
     Button::None, ""},
    {8, "MUS:ChartNumber", "100", "Range Error",
     "The value of MUS:ChartNumber must be lower than 100.", W, OK, Button::Ok, ""},
    {9, "MUS:ChartNumber", "0", "Range Error",
     "The value of MUS:ChartNumber must be higher than 0.", W, OK, Button::Ok, ""},
    {10, "MUS:ChartNumber", "0 and 100", "Range Error",
     "The value of MUS:ChartNumber must be between 0 and 100.", W, OK, Button::Ok, ""},
    {11, "MUS:Media", "Media", "Field Contents Error",
     "The value for MUS:Media must be found in the Media file.", W, OK, Button::Ok, ""},
    {12, "Cadenzio", "", "Referential Integrity Update Error",
     "This record is referenced from the file Cadenzio.  Linking field(s) have been restricted "
     "from change and have been reset to original values.",
     W, OK, Button::Ok, ""},
    {13, "PlaylistDetails", "", "Referential Integrity Delete Error",
     "This record is referenced from the file PlaylistDetails.  This record cannot be deleted "
     "while these references exist.",
     W, OK, Button::Ok, ""},
    {14, "", "", "Record Insert Error",
     "An error was experienced during the update of record.  Error: Record Not Found (35).", W, OK,
     Button::Ok, ""},
    {15, "Cadenzio", "", "Update Operation Error",
     "An error (Record Not Found (35)) was experienced when attempting to update a record from "
     "the file.  Probable Cause: Cadenzio.",
     W, OK, Button::Ok, ""},
    {16, "", "", "Record Update Error",
     "An error was experienced changing this record.  Do you want to try to save again?", W, YNC,
     Button::Cancel, ""},
    {17, "Cadenzio", "", "Delete Operation Error",
     "An error (Record Not Found (35)) was experienced when attempting to delete a record from "
     "the file Cadenzio.",
     W, OK, Button::Ok, ""},
    {18, "", "", "Record Update Error",
     "An error was experienced deleting this record.  Do you want to try to save again?", W, YNC,
     Button::Cancel, ""},
    {19, "", "", "Invalid Request",
     "This procedure was called to insert a record, however inserts are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     W, OK, Button::Ok, ""},
    {20, "", "", "Invalid Request",
     "This procedure was called to change a record, however changes are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     W, OK, Button::Ok, ""},
    {21, "", "", "Invalid Request",
     "This procedure was called to delete a record, however deletions are not allowed for this "
     "procedure.  Press OK to return to the calling procedure",
     W, OK, Button::Ok, ""},
    {22, "Album", "", "File Creation Not Allowed",
     "The File Albumwas not found, and creation of the file is not allowed.  Press OK to end this "
     "application.",
     W, OK, Button::Ok, "File Creation Error!"},
    {23, "", "", "Update Cancelled", "Are you sure you want to cancel?", Q, YN, Button::No, ""},
    {24, "MUS:KeyID", "", "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key:MUS:KeyID", W, OK, Button::Ok, ""},
    {25, "", "", "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: Record Not Found (35).", W,
     RC, Button::Cancel, ""},
    {26, "Notes", "", "File Load Error", "Notes File Load Error.  Error: Record Not Found (35).", W,
     OK, Button::Ok, ""},
    {27, "Notes", "", "Cancel Request", "Are you certain you want to stop loading Notes?", Q, OC,
     Button::Cancel, ""},
    {28, "Notes", "", "File Load Error",
     "Notes File Load Error.  The file you've requested contains no text.", W, OK, Button::Ok, ""},
    {29, "Down", "", "End of File Error",
     "The end of the viewed file was encountered.  Do you want to start again from the "
     "beginning?",
     Q, YN, Button::Yes, ""},
    {29, "Up", "", "Beginning of File Error",
     "The beginning of the viewed file was encountered.  Do you want to start again from the end "
     "of the file?",
     Q, YN, Button::Yes, ""},
    {30, "Album", "", "File Access Error",
     "File (Album) could not be opened.  Error: Record Not Found (35).", W, OK, Button::Ok, ""},
    {31, "Put", "Cadenzio", "Process PUT Error",
     "An error was experienced when making changes to the Cadenzio file.  Error: Record Not "
     "Found (35)",
     W, OK, Button::Ok, ""},
    {31, "Delete", "Cadenzio", "Process DELETE Error",
     "An error was experienced when deleting a record from the Cadenzio file.  Error: Record Not "
     "Found (35)",
     W, OK, Button::Ok, ""},
    {32, "", "", "Confirm Delete",
     "You've selected to delete the highlighted record.  Press OK to confirm deletion of this "
     "record.",
     Q, OC, Button::Cancel, ""},
    {33, "", "", "Update Cancelled", "Do you want to save the changes to this record?", Q, YNC,
     Button::No, ""},
    {34, "Delete", "PlaylistMaster", "Transaction Framing Error",
     "Error: (Record Not Found (35)) attempting to frame the delete transaction on "
     "PlaylistMaster.  Delete transaction cancelled.",
     W, OK, Button::Ok, ""},
    {35, "Categories", "", "Record Retrieval Error",
     "Error: (Record Not Found (35)) attempting to access a record from the Categories file.  "
     "Returning to previous window.",
     W, OK, Button::Ok, ""},
    {36, "", "", "View Open Error",
     "Error: (Record Not Found (35)) attempting to open the current VIEW. Filter and Range Limits "
     "ignored.",
     W, OK, Button::Ok, ""},
    {37, "", "", "Record Added",
     "This record has been added to the file. Do you want to add another record?", Q, YN,
     Button::Yes, ""},
    {38, "", "", "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes.",
     W, OK, Button::Ok, ""},
};

struct Harness {
    cdz::ScriptedDialogs dialogs;
    ErrorState current;
    std::vector<std::string> halts;
    int rollbacks = 0;
    cdz::StandardWarning warn{dialogs, current,
                              [this](std::string_view t) { halts.emplace_back(t); },
                              [this] { ++rollbacks; }};
};

TEST(StandardWarning, EveryMessageWordForWord) {
    int covered = 0;
    for (const Expected& x : kWarnings) {
        Harness h;
        h.current = ErrorState{35, "Record Not Found", 0, ""};
        const Button pressed = h.warn(static_cast<cdz::Warning>(x.number), x.text1, x.text2);
        ASSERT_EQ(h.dialogs.shown().size(), 1u) << x.number;
        const cdz::DialogRecord& r = h.dialogs.shown().front();
        EXPECT_EQ(r.title, x.title) << x.number;
        EXPECT_EQ(r.text, x.text) << x.number;
        EXPECT_EQ(r.icon, x.icon) << x.number;
        EXPECT_EQ(r.buttons, x.buttons) << x.number;
        EXPECT_EQ(r.defaultButton, x.defaultButton) << x.number;
        if (*x.halt) {
            ASSERT_EQ(h.halts.size(), 1u) << x.number;
            EXPECT_EQ(h.halts.front(), x.halt) << x.number;
        } else {
            EXPECT_TRUE(h.halts.empty()) << x.number;
        }
        if (x.defaultButton != Button::None) {
            EXPECT_EQ(pressed, x.defaultButton) << x.number;
        }
        ++covered;
    }
    EXPECT_EQ(covered, 40);  // 38 warnings, two of them in both wordings
}

TEST(StandardWarning, InvalidKeyHaltsOnlyOnNo) {
    Harness yes;
    yes.dialogs.queue(Button::Yes);
    EXPECT_EQ(yes.warn(cdz::Warning::InvalidKey, "Album"), Button::Yes);
    EXPECT_TRUE(yes.halts.empty());

    Harness no;
    no.dialogs.queue(Button::No);
    EXPECT_EQ(no.warn(cdz::Warning::InvalidKey, "Album"), Button::No);
    ASSERT_EQ(no.halts.size(), 1u);
    EXPECT_EQ(no.halts.front(), "Invalid Key!");
}

TEST(StandardWarning, SavedErrorIsReportedOnceThenTheCurrentOne) {
    Harness h;
    h.current = ErrorState{40, "Creates Duplicate Key", 0, ""};
    h.warn.saveError();
    EXPECT_EQ(h.rollbacks, 1);
    // The rollback leaves no error of its own; the saved one is what the user must see.
    h.current = ErrorState{};
    h.warn(cdz::Warning::DeleteError, "Cadenzio");
    h.current = ErrorState{33, "Record Not Available", 0, ""};
    h.warn(cdz::Warning::DeleteError, "Cadenzio");
    ASSERT_EQ(h.dialogs.shown().size(), 2u);
    EXPECT_EQ(h.dialogs.shown()[0].text,
              "An error (Creates Duplicate Key (40)) was experienced when attempting to delete a "
              "record from the file Cadenzio.");
    EXPECT_EQ(h.dialogs.shown()[1].text,
              "An error (Record Not Available (33)) was experienced when attempting to delete a "
              "record from the file Cadenzio.");
}

TEST(StandardWarning, DriverTextForDamagedFiles) {
    Harness h;
    h.current = ErrorState{90, "File System Error", 26, "file is not a database   "};
    h.warn(cdz::Warning::FileAccessError, "Album");
    EXPECT_EQ(h.dialogs.shown().back().text,
              "File (Album) could not be opened.  Error: file is not a database (26).");
    // A saved 90 shows the saved driver text as well.
    h.warn.saveError();
    h.current = ErrorState{};
    h.warn(cdz::Warning::FileAccessError, "Album");
    EXPECT_EQ(h.dialogs.shown().back().text,
              "File (Album) could not be opened.  Error: file is not a database (26).");
}

TEST(StandardWarning, ChangedByAnotherStationWording) {
    struct Case {
        ErrorState saved;
        ErrorState current;
        const char* text;
    };
    const Case cases[] = {
        {ErrorState{89, "Record Changed By Another Station", 0, ""}, ErrorState{},
         "This record was changed by another station."},
        {ErrorState{}, ErrorState{}, "This record was changed by another station."},
        {ErrorState{}, ErrorState{89, "Record Changed By Another Station", 0, ""},
         "This record was changed by another station."},
        {ErrorState{}, ErrorState{5, "Access Denied", 0, ""},
         "An error (Access Denied (5)) was experienced when attempting to update a record from "
         "the file.  Probable Cause: Record Changed by Another Station."},
    };
    for (const Case& c : cases) {
        Harness h;
        h.current = c.saved;
        if (c.saved.code != 0) h.warn.saveError();
        h.current = c.current;
        h.warn(cdz::Warning::UpdateError, "Record Changed by Another Station");
        EXPECT_EQ(h.dialogs.shown().back().text, c.text);
    }
}

TEST(StandardWarning, ErrorTextIsCutAt150Characters) {
    ErrorState current{90, "", 11, std::string(300, 'd')};
    const std::string text = cdz::composeErrorText(ErrorState{}, current);
    EXPECT_EQ(text.size(), 150u);
}

}  // namespace
