// Search in the song browse, the whole way a user goes: the query designed in the wizard over a
// catalogue of 100,000 songs, saved with a description, applied and combined with the media
// range, reset, then chosen again from the saved queries; the store read back as a user would.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QTreeView>

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "app/shell/startup/QueryWizardTexts.h"
#include "app/songs/SongBrowse.h"
#include "app/songs/SongSearch.h"
#include "querykit/querykit.h"
#include "runtime/data/DataFile.h"
#include "runtime/text/Unicode.h"
#include "tests/app/shell/startup/StoredCatalogue.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"
#include "tests/support/WindowDriving.h"

namespace cdz::test {
namespace {

constexpr int kSongs = 100000;
const char* const kArtists[] = {"Tom Waits", "tom jones", "Tomás Ortiz", "Anna Tomba", "Zoe"};
const char* const kMedia[] = {"CD", "LP", "Cassette"};

void addCatalogue(AppState& state) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    DataFile& file = c.file(CatalogueFile::Cadenzio);
    ASSERT_EQ(beginTransaction(c.database(), {&file}, 5000), 0);
    for (int i = 0; i < kSongs; ++i) {
        file.clearBuffer();
        c.song().Artist = kArtists[i % 5];
        c.song().Title = "Song " + std::to_string(i);
        c.song().Media = kMedia[i % 3];
        ASSERT_EQ(file.add(), 0);
    }
    ASSERT_EQ(c.database().commit(), 0);
    c.release(CatalogueFile::Cadenzio);
}

// Every row's artists and media.
std::vector<std::pair<std::string, std::string>> rows(SongBrowse& w) {
    std::vector<std::pair<std::string, std::string>> out;
    for (int r = 1; r <= w.engine().page().count(); ++r) {
        out.emplace_back(std::get<std::string>(w.engine().rowValue(r, 1)),
                         std::get<std::string>(w.engine().rowValue(r, 3)));
    }
    return out;
}

bool allTom(SongBrowse& w, const char* media = nullptr) {
    const auto page = rows(w);
    if (page.empty()) return false;
    for (const auto& [artist, onMedia] : page) {
        if (toUpper(artist).rfind("TOM", 0) != 0) return false;
        if (media && onMedia != media) return false;
    }
    return true;
}

TEST(SongSearch, DesignedSavedAppliedWithTheRangeAndChosenAgain) {
    StateFixture f;
    setQueryWizardTexts();
    addCatalogue(*f.state);
    SongBrowse* w = SongBrowse::open(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    auto* search = w->findChild<QPushButton*>("SearchButton");
    auto* reset = w->findChild<QPushButton*>("ResetSearchButton");
    EXPECT_FALSE(reset->isEnabled());

    // No saved query yet: a new one, Artist begins with "tom", saved as "Tom artists".
    f.dialogs->queue(Button::Yes);  // "Would you like to save this query?"
    whenUp("SavedQueryBrowse", [](QWidget& browse) {
        whenUp("QueryWizard", [](QWidget& wizard) {
            chooseRow(wizard, "FieldList", "Artist");
            click(wizard, "NextButton");
            chooseRow(wizard, "OperatorList", "Begins With");
            click(wizard, "NextButton");
            wizard.findChild<QLineEdit*>("ValueEntry")->setText("tom");
            click(wizard, "NextButton");
            whenUp("SavedQueryDescription", [](QWidget& form) {
                form.findChild<QLineEdit*>("DescriptionEdit")->setText("Tom artists");
                click(form, "OkButton");
            });
            click(wizard, "FinishButton");
        });
        click(browse, "InsertButton");
    });
    search->click();
    settle();
    const int32_t saved = XRQW_Response();
    EXPECT_GT(saved, 0);
    EXPECT_EQ(w->engine().queryFilter(), "UPPER(SUB(MUS:Artist,1,3)) = 'TOM'");
    EXPECT_TRUE(allTom(*w));
    EXPECT_TRUE(reset->isEnabled());

    // The query stays in force in the media order, within the media chosen.
    f.state->catalogue().media().Media = "LP";
    w->findChild<QTabBar*>("SortTabs")->setCurrentIndex(SongBrowse::ByMedia);
    settle();
    EXPECT_TRUE(allTom(*w, "LP"));

    reset->click();
    settle();
    EXPECT_FALSE(reset->isEnabled());
    EXPECT_EQ(rows(*w).front().second, "LP");
    EXPECT_FALSE(allTom(*w, "LP"));  // "Anna Tomba" and "Zoe" are back

    // Chosen again from the saved queries: applied at once, without the wizard.
    whenUp("SavedQueryBrowse", [](QWidget& browse) {
        auto* list = browse.findChild<QTreeView*>("SavedQueryList");
        ASSERT_NE(list, nullptr);
        const QModelIndexList found = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, "Tom artists", 1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentIndex(found.front());
        click(browse, "SelectButton");
    });
    search->click();
    settle();
    EXPECT_EQ(XRQW_Response(), saved);
    EXPECT_TRUE(allTom(*w, "LP"));
    w->close();
    settle();

    EXPECT_EQ(storedRows(f.dir.path(), "QUERIES.TPS",
                         R"(select "ClassName", "Description", "Manual", "QueryString")"
                         R"( from "XRQW_Queries";)"),
              "BROWSECADENZIO|Tom artists|0|UPPER(SUB(MUS:Artist,1,3)) = 'TOM'\n");
    EXPECT_EQ(storedRows(f.dir.path(), "QUERIES.TPS",
                         R"(select "Opcode", "Value", "Conjunction" from "XRQW_Elements";)"),
              "7|tom|\n");
}

// The fields offered are the library's to take, every one of them.
TEST(SongSearch, TheLibraryTakesEveryField) {
    XRQW_FieldsQueue fields;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(fields, error, SongSearch::fieldDescription());
    EXPECT_EQ(error, 0);
    ASSERT_EQ(fields.size(), 25u);
    EXPECT_EQ(fields[11].Choices, " (N/A)|A|B|1|2");
    EXPECT_EQ(fields[11].EntryKind, 3);
    EXPECT_EQ(fields[23].Size, 2000);
}

// Each field is offered once, under words a person reads, the user-defined key under the
// user's caption.
TEST(SongSearch, FieldsAreOfferedUnderTheirCaptions) {
    XRQW_FieldsQueue fields;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(fields, error, SongSearch::fieldDescription("Catalog No"));
    ASSERT_EQ(error, 0);
    std::map<std::string, std::string> bySource;
    std::set<std::string> labels;
    for (const auto& f : fields) {
        bySource[std::string(f.Source.clipped())] = f.Label.clipped();
        EXPECT_TRUE(labels.insert(std::string(f.Label.clipped())).second) << f.Label.clipped();
    }
    const std::pair<const char*, const char*> expected[] = {
        {"MUS:AdditionalInformation1", "Additional Information 1"},
        {"MUS:ReleaseDate", "Release Date"},
        {"MUS:CategoryID", "Category ID"},
        {"MUS:Media", "Media"},
        {"MED:Media", "Media List"},
        {"MUS:UserDefinedKeyField", "Catalog No"}};
    for (const auto& [source, label] : expected) EXPECT_EQ(bySource[source], label) << source;
}

// The description the wizard is given, byte for byte (the song reports give the same without the
// media file's names): it is made from the song file's declaration, which must not change it
// unnoticed.
TEST(SongSearch, TheFieldDescriptionIsUnchanged) {
    const char* const entries[] = {
        "Category¦0¦CAT:Category¦@s30¦30¦1¦1¦¦¦«",
        "Media List¦0¦MED:Media¦@s20¦20¦1¦1¦¦¦«",
        "Artist¦0¦MUS:Artist¦@s40¦40¦1¦1¦¦¦«",
        "Title¦0¦MUS:Title¦@s40¦40¦1¦1¦¦¦«",
        "Album¦0¦MUS:Album¦@s40¦40¦1¦1¦¦¦«",
        "Media¦0¦MUS:Media¦@s20¦20¦1¦1¦¦¦«",
        "File Number¦0¦MUS:FileNumber¦@s20¦20¦1¦1¦¦¦«",
        "Release Date¦0¦MUS:ReleaseDate¦@d2¦4¦2¦1¦¦¦«",
        "Category ID¦0¦MUS:CategoryID¦@n-13¦4¦2¦1¦¦¦«",
        "Chart Number¦0¦MUS:ChartNumber¦@n3¦1¦2¦1¦¦¦«",
        "Track Number¦0¦MUS:TrackNumber¦@n3¦1¦2¦1¦¦¦«",
        "Side¦0¦MUS:Side¦@s1¦1¦1¦3¦¦ (N/A)|A|B|1|2¦«",
        "Time¦0¦MUS:Time¦@t4¦4¦2¦1¦¦¦«",
        "Key¦0¦MUS:UserDefinedKeyField¦@s30¦30¦1¦1¦¦¦«",
        "Additional Information 1¦0¦MUS:AdditionalInformation1¦@s80¦80¦1¦1¦¦¦«",
        "Additional Information 2¦0¦MUS:AdditionalInformation2¦@s80¦80¦1¦1¦¦¦«",
        "Additional Information 3¦0¦MUS:AdditionalInformation3¦@s80¦80¦1¦1¦¦¦«",
        "Beats Per Minute¦0¦MUS:BeatsPerMinute¦@n_4b¦4¦2¦1¦¦¦«",
        "Style¦0¦MUS:Style¦@s30¦30¦1¦1¦¦¦«",
        "Recording¦0¦MUS:Recording¦@s255¦256¦1¦1¦¦¦«",
        "Composer¦0¦MUS:Composer¦@s80¦80¦1¦1¦¦¦«",
        "Performance Notes¦0¦MUS:PerformanceNotes¦@s255¦256¦1¦1¦¦¦«",
        "Last Played¦0¦MUS:LastPlayed¦@d17-¦4¦2¦1¦¦¦«",
        "Notes¦0¦MUS:Notes¦@s255¦2000¦1¦1¦¦¦«",
        "Rating¦0¦MUS:Rating¦@s2¦2¦1¦1¦¦¦«",
    };
    std::string expected;
    for (const char* e : entries) expected += e;
    EXPECT_EQ(SongSearch::fieldDescription("Key"), expected);
}

}  // namespace
}  // namespace cdz::test
