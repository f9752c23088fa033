#include "runtime/ui/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace cdz {
namespace {

TEST(ScriptedDialogs, AnswersInOrderThenDefaults) {
    ScriptedDialogs dialogs({"No", "Retry"});
    const Buttons yesNo = Button::Yes | Button::No;
    EXPECT_EQ(dialogs.message("Invalid Key", "k", MessageIcon::Question, yesNo, Button::Yes),
              Button::No);
    EXPECT_EQ(dialogs.message("Auto Increment Error", "e", MessageIcon::Warning,
                              Button::Retry | Button::Cancel, Button::Cancel),
              Button::Retry);
    EXPECT_EQ(dialogs.pending(), 0u);
    // Out of answers: the default button, or the first one when the box has no default.
    EXPECT_EQ(dialogs.message("Update Cancelled", "q", MessageIcon::Question, yesNo, Button::No),
              Button::No);
    EXPECT_EQ(dialogs.message("", "w7", MessageIcon::Warning, Button::Ok, Button::None),
              Button::Ok);
    EXPECT_EQ(dialogs.openFile("Import File", "Import Files|*.CSV", ""), std::nullopt);
    EXPECT_EQ(dialogs.saveFile("Export File", "Export Files|*.CSV", ""), std::nullopt);
    EXPECT_EQ(dialogs.font("Choose Font", FontChoice{"Arial", 10, Colour(), 400}), std::nullopt);
    EXPECT_EQ(dialogs.colour("Select Color", Colour::fromValue(255)), std::nullopt);
    EXPECT_EQ(dialogs.popup("&Add|&Change"), 0);
    EXPECT_TRUE(dialogs.problems().empty());
}

TEST(ScriptedDialogs, EachKindReadsItsAnswer) {
    const FontChoice preset{"Arial", 10, Colour::fromValue(0), 400};
    ScriptedDialogs dialogs({"/tmp/in.csv", "", "out.csv", "Cancel", "Courier,12,255,700", "OK",
                             "cancel", "#00FF00", "ok", "3", "0", "", "cancel", "yes"});
    EXPECT_EQ(dialogs.openFile("Import File", "Import Files|*.CSV", ""), "/tmp/in.csv");
    EXPECT_EQ(dialogs.openFile("Import File", "Import Files|*.CSV", ""), std::nullopt);
    EXPECT_EQ(dialogs.saveFile("Export File", "Export Files|*.CSV", ""), "out.csv");
    EXPECT_EQ(dialogs.saveFile("Export File", "Export Files|*.CSV", ""), std::nullopt);
    EXPECT_EQ(dialogs.font("Choose Font", preset),
              (FontChoice{"Courier", 12, Colour::fromValue(255), 700}));
    EXPECT_EQ(dialogs.font("Choose Font", preset), preset);
    EXPECT_EQ(dialogs.font("Choose Font", preset), std::nullopt);
    EXPECT_EQ(dialogs.colour("Select Color", Colour()), Colour::fromRgb(0, 255, 0));
    EXPECT_EQ(dialogs.colour("Select Color", Colour::fromValue(7)), Colour::fromValue(7));
    EXPECT_EQ(dialogs.popup("&Add|&Change|&Delete|-|&Print"), 3);
    EXPECT_EQ(dialogs.popup("&Add|&Change"), 0);
    EXPECT_EQ(dialogs.popup("&Add|&Change"), 0);
    EXPECT_EQ(dialogs.popup("&Add|&Change"), 0);
    EXPECT_EQ(
        dialogs.message("t", "x", MessageIcon::Question, Button::Yes | Button::No, Button::No),
        Button::Yes);
    EXPECT_TRUE(dialogs.problems().empty()) << dialogs.problems().front();
}

TEST(ScriptedDialogs, AnswersThatDoNotFitFallBackAndAreReported) {
    ScriptedDialogs dialogs({"Retry", "Banana", "2", "9", "-", "Arial,big,0,0", "red"});
    // Retry is not on a Yes/No box: the default is pressed instead.
    EXPECT_EQ(dialogs.message("Invalid Key", "k", MessageIcon::Question, Button::Yes | Button::No,
                              Button::Yes),
              Button::Yes);
    EXPECT_EQ(dialogs.message("Confirm Delete", "d", MessageIcon::Question,
                              Button::Ok | Button::Cancel, Button::Cancel),
              Button::Cancel);
    EXPECT_EQ(dialogs.popup("&Add|~&Change|~&Delete"), 0);  // a disabled item
    EXPECT_EQ(dialogs.popup("&Add|-|&Change"), 0);          // no item 9
    EXPECT_EQ(dialogs.popup("&Add"), 0);
    EXPECT_EQ(dialogs.font("Choose Font", {}), std::nullopt);
    EXPECT_EQ(dialogs.colour("Select Color", Colour()), std::nullopt);
    ASSERT_EQ(dialogs.problems().size(), 7u);
    EXPECT_EQ(dialogs.problems()[0], "answer 1 \"Retry\" does not fit message \"Invalid Key\" (k)");
    EXPECT_EQ(dialogs.problems()[2],
              "answer 3 \"2\" does not fit popup \"\" (&Add|~&Change|~&Delete)");
}

TEST(ScriptedDialogs, RecordsEveryDialogAsAsked) {
    ScriptedDialogs dialogs;
    dialogs.queue(Button::Cancel);
    dialogs.queue("/music/songs.csv");
    dialogs.queue("2");
    dialogs.message("Record Update Error", "Do you want|to try again?", MessageIcon::Warning,
                    Button::Yes | Button::No | Button::Cancel, Button::Cancel);
    dialogs.openFile("Import File", "Import Files|*.CSV|All Files|*.*", "/music");
    dialogs.popup("Escape|Key Sequence");
    dialogs.font("Choose Font", FontChoice{"Arial", 10, Colour::fromValue(255), 700});
    dialogs.colour("Select Color", Colour::fromValue(0x123456));
    dialogs.halt("Invalid File!");

    const std::vector<DialogRecord> expected{
        {DialogKind::Message, "Record Update Error", "Do you want|to try again?",
         MessageIcon::Warning, Button::Yes | Button::No | Button::Cancel, Button::Cancel, "",
         "Cancel"},
        {DialogKind::OpenFile,
         "Import File",
         "Import Files|*.CSV|All Files|*.*",
         MessageIcon::None,
         {},
         Button::None,
         "/music",
         "/music/songs.csv"},
        {DialogKind::Popup,
         "",
         "Escape|Key Sequence",
         MessageIcon::None,
         {},
         Button::None,
         "",
         "2"},
        {DialogKind::Font,
         "Choose Font",
         "",
         MessageIcon::None,
         {},
         Button::None,
         "Arial,10,255,700",
         ""},
        {DialogKind::Colour,
         "Select Color",
         "",
         MessageIcon::None,
         {},
         Button::None,
         "1193046",
         ""},
        {DialogKind::Halt, "", "Invalid File!", MessageIcon::None, {}, Button::None, "", ""},
    };
    EXPECT_EQ(dialogs.shown(), expected);
}

}  // namespace
}  // namespace cdz
