#pragma once
// The songs of the album being edited, on a page of the album form: a list in track order
// limited to the album's number, with Add, Copy, Change, Delete, "Select Existing Songs" and
// "Edit All Songs", "Paste titles", songs dropped from the song browse taken onto the album, and
// rows dragged out carrying their song number.
#include "app/domain/data/RecordCopy.h"
#include "app/engine/browse/BrowseWindow.h"

class QLabel;
class QPushButton;

namespace cdz {

class AlbumFormRules;

class AlbumSongList final : public BrowseWindow {
    Q_OBJECT
public:
    static constexpr const char* kSection = "UpdateAlbums";

    // nullptr when the songs file would not open (the open routine has told the user).
    static AlbumSongList* open(AppState& state, AlbumFormRules& rules, QWidget* parent);

    QMimeData* rowMimeData(int row) const override;
    // Reads the page again (after the album's songs changed outside the list).
    void reload();
    // Called before a button of the list reads the album's buffer: the form stores its
    // controls there.
    void setStoreForm(std::function<void()> store) { storeForm_ = std::move(store); }

protected:
    void afterSync() override;
    void placeControls() override;
    std::vector<PopupButton> popupExtras() const override;
    void pressExtra(int index) override;
    void beforeForm() override;
    void afterForm() override;

private:
    AlbumSongList(AppState& state, AlbumFormRules& rules, BrowseWindowSpec spec,
                  BrowseDeclaration declaration, std::unique_ptr<FileUse> files, QWidget* parent);
    void addControls();
    void copySong();
    void pasteTitles();

    AlbumFormRules& rules_;
    std::function<void()> storeForm_;
    RecordCopy album_;  // the album's buffer while a song form runs over it
    QPushButton* copy_ = nullptr;
    QPushButton* paste_ = nullptr;
    QLabel* hint1_ = nullptr;
    QLabel* hint2_ = nullptr;
};

}  // namespace cdz
