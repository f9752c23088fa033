#pragma once
// The album browse: every album in three orders on tabs (by number, by title, by artist), an
// alphabet strip above the list, and buttons that add, copy, change and delete albums through
// the album form, start the two add-album wizards, print the highlighted album and reformat the
// list's columns. After a wizard the list shows the album it added and the title its count.
#include <memory>
#include <vector>

#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/columns/LayoutColumn.h"
#include "app/engine/state/ProcedureNames.h"

class QPushButton;
class QTabBar;

namespace cdz {

class DataFile;

class AlbumBrowse final : public BrowseWindow {
    Q_OBJECT
public:
    static constexpr const char* kProcedure = "BrowseAlbum";
    static constexpr const char* kForm = "UpdateAlbums";
    static constexpr const char* kSingleArtist = "AddSingleArtist";
    static constexpr const char* kCompilation = "AddCompilation";
    static constexpr const char* kPrint = proc::kOneAlbum;
    static constexpr const char* kLabelWizard = "LabelWizard";
    static constexpr const char* kFormatColumns = proc::kFormatBrowseBox;

    // The sort tabs in their order; the first is shown when the window opens.
    enum Tab { ById, ByAlbum, ByArtist, kTabCount };

    // nullptr when the album file would not open (the open routine has told the user).
    static AlbumBrowse* open(AppState& state, QWidget* parent);
    // The columns the column layout window offers: the eight of the design format, then the
    // album's value and total time, hidden until the user shows them.
    static const std::vector<LayoutColumn>& columnTable();

protected:
    QString titleText() const override;
    void afterSync() override;
    void placeControls() override;
    std::vector<PopupButton> popupExtras() const override;
    void pressExtra(int index) override;

private:
    AlbumBrowse(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                std::unique_ptr<FileUse> files, QWidget* parent);
    void addControls();
    void letterChosen(int index);
    void copyAlbum();
    // A wizard adds an album and leaves it in the buffer: the list is located on it.
    void runWizard(const char* name);
    // A procedure run over this window (the label wizard, the column layout).
    // The popup's entries after "&Delete", with the buttons they press (nullptr: Create Label).
    std::vector<QPushButton*> popupButtons() const;

    DataFile* albums_ = nullptr;
    QTabBar* letters_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* singleArtist_ = nullptr;
    QPushButton* compilation_ = nullptr;
    QPushButton* format_ = nullptr;
};

}  // namespace cdz
