#pragma once
// The song browse, the catalogue's main window: every song in seven orders on tabs (two of them
// limited to the media name or the category the user picks), an alphabet strip above the list,
// the locator's text beside it, and buttons that add, copy, change and delete songs and start
// the search, print, import, export and column layout procedures. A row dragged out of the list
// carries its song number.
#include <memory>

#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/columns/LayoutColumn.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/songs/DragTypes.h"
#include "app/songs/SongSearch.h"

class QLabel;
class QPushButton;
class QTabBar;

namespace cdz {

class DataFile;

class SongBrowse final : public BrowseWindow {
    Q_OBJECT
public:
    static constexpr const char* kProcedure = "BrowseSongs";
    static constexpr const char* kForm = "UpdateSong";
    static constexpr const char* kFormatColumns = proc::kFormatBrowseBox;
    // What a dragged row carries: the song number as text.
    static constexpr const char* kSongMimeType = cdz::kSongMimeType;

    // The sort tabs in their order.
    enum Tab { ByArtist, ByTitle, ByAlbum, ByMedia, ByCategory, ByChart, ByUserKey, kTabCount };

    // nullptr when a file would not open (the open routine has told the user).
    static SongBrowse* open(AppState& state, QWidget* parent);
    // The columns the column layout window offers: the nine of the design format, then eleven
    // more fields of the song, hidden until the user shows them.
    static const std::vector<LayoutColumn>& columnTable();
    // The report "&Print" starts for a tab.
    static const char* printProcedure(int tab);

    QMimeData* rowMimeData(int row) const override;
    bool offersDrags() const override { return true; }

protected:
    QString titleText() const override;
    void afterSync() override;
    void placeControls() override;
    std::vector<PopupButton> popupExtras() const override;
    void pressExtra(int index) override;

private:
    SongBrowse(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
               std::unique_ptr<FileUse> files, QWidget* parent);
    void addControls();
    void letterChosen(int index);
    void pickRange(const char* procedure);
    void search();
    void resetSearch();

    DataFile* songs_ = nullptr;
    std::unique_ptr<SongSearch> search_;
    QTabBar* letters_ = nullptr;
    QLabel* locatorCaption_ = nullptr;
    QLabel* locator_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* selectMedia_ = nullptr;
    QPushButton* selectCategory_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* resetSearch_ = nullptr;
    QPushButton* import_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* format_ = nullptr;
    QPushButton* addFiles_ = nullptr;
    QPushButton* print_ = nullptr;
};

}  // namespace cdz
