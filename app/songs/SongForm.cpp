#include "app/songs/SongForm.h"

#include <vector>

#include "app/engine/form/FormLayout.h"
#include "app/engine/state/AppState.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

using T = FormEntry::Type;

// Prompts at the left of a page, controls beside them, one line every 14 dialog units.
constexpr FormLayout kPage({80, 6, 14, 10, 270});

// The General page: what a song is, where it is kept, and its place on its album.
void generalPage(std::vector<FormEntry>& e, SongFormRules& rules) {
    e.push_back(kPage.line(0, 0, "&Artist:", "MUS:Artist", "s40", 170));
    e.push_back(kPage.line(0, 1, "&Title:", "MUS:Title", "s40", 170));
    e.push_back(kPage.line(0, 2, "&Album:", "MUS:Album", "s40", 170));
    FormEntry media = kPage.line(0, 3, "&Media:", "MUS:Media", "s20", 90, T::Combo);
    media.items = [&rules] { return rules.mediaNames(); };
    media.check = FieldCheck::inFile("MUS:Media", CatalogueFile::Media, "MED:KeyMedia");
    e.push_back(std::move(media));
    e.push_back(kPage.line(0, 4, "T&ime:", "MUS:Time", "t4", 40));
    e.push_back(kPage.line(0, 5, "&File Number:", "MUS:FileNumber", "s20", 90));
    e.push_back(kPage.line(0, 6, "&Release Date:", "MUS:ReleaseDate", "d17", 60));
    FormEntry category = kPage.line(0, 7, "&Category:", "CAT:Category", "s30", 130, T::Combo);
    category.items = [&rules] { return rules.categoryNames(); };
    category.check = FieldCheck::ownCheck([&rules] { return rules.acceptCategory(); });
    e.push_back(std::move(category));
    FormEntry track = kPage.line(0, 8, "Track &Number:", "MUS:TrackNumber", "n3", 34, T::Spin);
    track.check = FieldCheck::range("MUS:TrackNumber", 0, 99);
    e.push_back(std::move(track));
    FormEntry side;
    side.tab = 0;
    side.type = T::Options;
    side.prompt = "Side / Disc";
    side.field = "MUS:Side";
    side.entryPlace = QRect(222, 90, 54, 48);
    side.options = {{"1", "1"}, {"2", "2"}, {" None", " "}};
    e.push_back(std::move(side));
}

// The DJ/Custom page: charts, rating, the user's own key and the additional information.
void customPage(std::vector<FormEntry>& e, AppState& state) {
    // The custom page's prompts are longer.
    constexpr int kWide = 112;
    FormEntry chart =
        kPage.line(1, 0, "Highest Chart Number:", "MUS:ChartNumber", "n3", 34, T::Spin, kWide);
    chart.check = FieldCheck::range("MUS:ChartNumber", 0, 100);
    e.push_back(std::move(chart));
    e.push_back(kPage.line(1, 1, "Rating:", "MUS:Rating", "s2", 20, T::Entry, kWide));
    // The settings' own default caption is no caption of the user's.
    const std::string caption(clip(state.settings().udkPrompt));
    const bool captioned = !caption.empty() && caption != Settings::kUdkPromptDefault &&
                           caption != Settings::kUdkPromptUnread;
    FormEntry udk = kPage.line(
        1, 2,
        captioned ? QString::fromStdString(caption + ":") : QString("User Defined Key Field:"),
        "MUS:UserDefinedKeyField", "s30", 130, T::Entry, kWide);
    udk.tip = "See File/Preferences/Customization to label this field to suit your needs";
    e.push_back(std::move(udk));
    e.push_back(
        kPage.line(1, 3, "Beats Per Minute:", "MUS:BeatsPerMinute", "n_4b", 40, T::Spin, kWide));
    e.push_back(kPage.line(1, 4, "Style:", "MUS:Style", "s30", 130, T::Entry, kWide));
    e.push_back(kPage.line(1, 5, "Additional Information 1:", "MUS:AdditionalInformation1", "s80",
                           160, T::Entry, kWide));
    e.push_back(kPage.line(1, 6, "Additional Information 2:", "MUS:AdditionalInformation2", "s80",
                           160, T::Entry, kWide));
    e.push_back(kPage.line(1, 7, "Additional Information 3:", "MUS:AdditionalInformation3", "s80",
                           160, T::Entry, kWide));
}

// The Recording/Performance and Notes pages.
void recordingAndNotesPages(std::vector<FormEntry>& e) {
    FormEntry recording = kPage.notes(2, 6, "Recording Information:", "MUS:Recording", 50);
    recording.tip = "Recording Information (Engineer, Producer, Etc)";
    e.push_back(std::move(recording));
    FormEntry composer = kPage.line(2, 5, "Composer:", "MUS:Composer", "s80", 190);
    composer.promptPlace.moveTop(78);
    composer.entryPlace.moveTop(76);
    e.push_back(std::move(composer));
    e.push_back(kPage.notes(2, 94, "Performance Notes:", "MUS:PerformanceNotes", 50));
    FormEntry notes = kPage.notes(3, 0, "", "MUS:Notes", 150);
    notes.entryPlace = QRect(6, 6, 270, 150);
    e.push_back(std::move(notes));
}

}  // namespace

FormDeclaration SongForm::declaration() {
    FormDeclaration d;
    d.file = CatalogueFile::Cadenzio;
    d.numberKey = "MUS:KeyID";
    d.numberField = "MUS:ID";
    d.uniqueKeys = {{"MUS:KeyID", "Unique Song ID"}};
    d.updateFlag = Integrity::kSongForm;
    d.insertTitle = "Adding Information";
    d.changeTitle = "Changing Information";
    d.section = kProcedure;
    d.offersCopy = true;
    d.otherFiles = {CatalogueFile::Album, CatalogueFile::Media, CatalogueFile::Categories};
    return d;
}

FormWindowSpec SongForm::window(AppState& state, SongFormRules& rules) {
    FormWindowSpec w;
    w.designTitle = "Update the Orvanta Song Database";
    w.designSize = QSize(292, 214);
    w.tabs = {"&General", "DJ/Custom", "Recording/Performance", "&Notes"};
    w.sheetPlace = QRect(4, 4, 284, 184);
    generalPage(w.entries, rules);
    customPage(w.entries, state);
    recordingAndNotesPages(w.entries);
    w.okCaption = "&OK";
    w.okTip = "Exit window and save changes";
    w.okPlace = QRect(150, 194, 44, 14);
    w.cancelTip = "Exit window and do not save changes";
    w.cancelPlace = QRect(198, 194, 44, 14);
    w.buttons.push_back({"Default with Album Information",
                         "Select album to use for default information", QRect(4, 194, 140, 14),
                         [&rules] { rules.defaultWithAlbum(); }});
    w.beforeDisplay = [&rules] { rules.showCategory(); };
    return w;
}

Response SongForm::run(AppState& state, QWidget* parent) {
    const Request request = state.request();
    const DataFile& songs = state.catalogue().file(CatalogueFile::Cadenzio);
    // A song without media is shown with "CD", and saved so even when nothing else changed.
    RecordCopy original = RecordCopy::take(songs.decl(), songs.record());
    SongFormRules rules(state);
    if (!rules.enter(request)) {
        state.takeRequest();
        state.respond(Response::Cancelled);
        return Response::Cancelled;
    }
    return FormWindow::run(state, declaration(), window(state, rules), parent,
                           [&rules, &original](FormEngine& engine) {
                               engine.setOriginal(std::move(original));
                               engine.setAfterWrite([&rules] { rules.linkAlbum(); });
                           });
}

}  // namespace cdz
