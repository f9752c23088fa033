#pragma once
// The add-album wizard: the album's common data on "&General", its track list on "&Songs"
// (built by hand, from the disc in the drive and its CD-Text, titled from the clipboard or
// the online title service, reordered), and on "&OK" the album and one song per track written at
// once. One window serves both variants: a single-artist album ("Add Album by Single Artist") and a
// compilation ("Add Compilation"), whose tracks each carry their own artist and whose album's
// artist is "Various". The run's tracks live in the shared work file under a tag of its own
// (RunTag); a cancelled run's tracks come back to the next run of the same thread number. Whether
// the album is added is this window's own choice; the program's AutoAddToAlbums setting is left
// alone.
#include <QDialog>
#include <memory>
#include <optional>

#include "app/albums/wizard/AlbumTransfer.h"
#include "app/albums/wizard/RunTag.h"
#include "app/albums/wizard/TrackList.h"
#include "app/songs/SongFormRules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;
class QTreeWidget;

namespace cdz {

class AlbumWizardChecks;
class AppState;
class FileUse;
struct AlbumGeneralProblem;
struct AlbumGeneralTyped;
struct SongRecord;

class AlbumWizard : public QDialog {
    Q_OBJECT
public:
    enum class Kind { SingleArtist, Compilation };
    static constexpr const char* kSingleArtistProcedure = "AddSingleArtist";
    static constexpr const char* kCompilationProcedure = "AddCompilation";

    // Starts from a cleared song record, or from `copied` (the song form's Copy: the copied
    // song is the template of the album's songs); `thread` is the number of the thread
    // running it.
    AlbumWizard(AppState& state, Kind kind, int thread, QWidget* parent,
                const SongRecord* copied = nullptr);
    ~AlbumWizard() override;

    // False when the run could not take its tag or files (the user was told); the window
    // then closes at once.
    bool ready() const { return tag_.held(); }
    int tag() const { return tag_.tag(); }

    // Runs the wizard over `parent` on the caller's thread; the program's response tells
    // whether an album was transferred. Called with the Select (copy) request, the song in the
    // buffer is kept as the template.
    static void run(AppState& state, Kind kind, QWidget* parent);

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGeneral();
    QWidget* buildSongs();
    QLineEdit* entry(QWidget* page, const char* name, int maxChars);
    void loadLists();
    // The General page's rules over the catalogue, with the date format of the moment.
    AlbumWizardChecks checks();
    AlbumGeneralTyped typedGeneral() const;
    bool takeGeneral();
    // The General page comes up with the refused field in focus, after what the user is told.
    void refuse(const AlbumGeneralProblem& problem);
    // The category checked as its field is left, as a form checks it (the question to add a
    // new one asked then rather than at OK).
    void categoryLeft();
    void reloadTracks(int select);
    int currentIndex() const;
    void addTrack();
    void changeTrack();
    void deleteTrack();
    void moveTrack(TrackList::Move how);
    void readDisc();
    void pasteTitles();
    void lookUpTitles();
    void findRelease();
    // The release's tracks into the list (`times` by position), then the album's fields from
    // it; false, with the user told, when the tracks could not be written.
    bool applyRelease(const TitleRelease& release, const std::vector<int32_t>& times);
    void editAll();
    void transfer();
    void trackMenu();
    bool editTrack(const WizardTrack& track);

    AppState& state_;
    Kind kind_;
    SongFormRules rules_;
    std::unique_ptr<FileUse> files_;
    RunTag tag_;
    std::unique_ptr<TrackList> list_;
    std::vector<WizardTrack> tracks_;
    bool transferred_ = false;
    AlbumTransfer::FromRelease fromRelease_;
    // While a lookup waits for the title service, the window stays live (it repaints) but its
    // run must not end or start another lookup under it: a close asked meanwhile waits for the
    // answer, which is then dropped.
    bool lookingUp_ = false;
    std::optional<int> closeAfterLookup_;

    QTabWidget* tabs_ = nullptr;
    QLineEdit* artist_ = nullptr;
    QLineEdit* album_ = nullptr;
    QLineEdit* releaseDate_ = nullptr;
    QLineEdit* fileNumber_ = nullptr;
    QComboBox* category_ = nullptr;
    bool checkingCategory_ = false;
    QComboBox* media_ = nullptr;
    QTreeWidget* trackView_ = nullptr;
    QCheckBox* addToAlbums_ = nullptr;
};

}  // namespace cdz
