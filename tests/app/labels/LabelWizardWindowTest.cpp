// The label wizard window over a picked album: the texts written and told, Finish saving the
// label, and a second label of the same description refused.
#include <gtest/gtest.h>

#include "app/labels/LabelWizardText.h"
#include "app/labels/LabelWizardWindow.h"
#include "app/songs/Pickers.h"
#include "tests/app/core/frame/FrameTestSupport.h"

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
    state.starter().defineRoutine(Pickers::kAlbum, [&] {
        c.album().AlbumID = 4;
        c.album().Artist = "Ana";
        c.album().Album = "Roads";
        c.album().AssociatedImage = "roads.png";
        state.response = Response::Completed;
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

}  // namespace
}  // namespace cdz::test
