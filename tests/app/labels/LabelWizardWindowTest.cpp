// The label wizard window over a picked album: the texts written and told, Finish saving the
// label, and a second label of the same description refused.
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "app/labels/FontPicker.h"

#include "app/engine/state/ProcedureNames.h"
#include "app/labels/LabelWizardText.h"
#include "app/labels/LabelWizardWindow.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

TEST(LabelWizardWindow, WritesTheAlbumsLabelAndSavesItOnce) {
    StateFixture f;
    AppState& state = *f.state;
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    for (int track : {2, 1}) {
        c.file(CatalogueFile::Cadenzio).clearBuffer();
        c.song().Title = track == 1 ? "Opening" : "Highway";
        c.song().AlbumID = 4;
        c.song().TrackNumber = static_cast<std::uint8_t>(track);
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
    }
    c.release(CatalogueFile::Cadenzio);
    // The album picker, as the user picking album 4.
    state.starter().defineRoutine(proc::kSelectAlbum, [&] {
        c.album().AlbumID = 4;
        c.album().Artist = "Ana";
        c.album().Album = "Roads";
        c.album().AssociatedImage = "roads.png";
        state.respond(Response::Completed);
    });
    for (bool first : {true, false}) {
        LabelWizardWindow wizard(state, nullptr);
        wizard.selectAlbum();
        const LabelRecord label = wizard.label();
        EXPECT_EQ(label.LabelDescription, "Roads - Ana");
        EXPECT_EQ(label.AlbumID, 4);
        EXPECT_EQ(label.LabelType, "Cassette");
        EXPECT_EQ(label.CassetteTitle, "Roads\r\nAna");
        EXPECT_EQ(label.CassetteContentsA, "1. Opening\r\n2. Highway");
        EXPECT_EQ(label.ImageName, "roads.png");
        ASSERT_FALSE(f.dialogs->shown().empty());
        EXPECT_EQ(f.dialogs->shown().back().title, LabelWizardText::kUpdatedTitle);
        EXPECT_EQ(wizard.finish(), first);
        if (!first) {
            EXPECT_NE(f.lastMessage().find("LAB:KeyLabelDescription"), std::string::npos)
                << f.lastMessage();
        }
    }
}

// The wizard's panels take favourite fonts as the label form's do: the sides share one font.
TEST(LabelWizardWindow, SelectFontGivesThePanelThePickedFont) {
    StateFixture f;
    AppState& state = *f.state;
    Catalogue& c = state.catalogue();
    {
        FileUse fonts(c, {CatalogueFile::Fonts});
        c.font().FontID = 7;
        c.font().TypeFace = "Serif";
        c.font().Size = "12";
        ASSERT_EQ(c.file(CatalogueFile::Fonts).add(), 0);
    }
    state.starter().defineRoutine(FontPicker::kProcedure, [&] {
        c.font().FontID = 7;
        state.respond(Response::Completed);
    });
    LabelWizardWindow wizard(state, nullptr);
    // Spine, CD title, cassette title, flap, front, back, side A, side B.
    EXPECT_EQ(wizard.findChildren<QPushButton*>(QRegularExpression("^SelectFont:")).size(), 8);
    const auto sides = wizard.findChildren<QPushButton*>("SelectFont:CassetteContentsFontID");
    ASSERT_EQ(sides.size(), 2);
    sides.front()->click();
    EXPECT_EQ(wizard.label().CassetteContentsFontID, 7);
    EXPECT_EQ(wizard.label().CDSpineFontID, 0);
    int described = 0;
    for (QLabel* l : wizard.findChildren<QLabel*>())
        if (l->text().startsWith("Serif 12")) ++described;
    EXPECT_EQ(described, 2);
}

}  // namespace
}  // namespace cdz::test
