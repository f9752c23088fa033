#pragma once
// The playlist browse "Playlists": every playlist by its description, with Add, Change and
// Delete through the playlist form, Print and Top 40 for the highlighted playlist (left in the
// playlist buffer for them), and the playlist generator from the popup's last item.
#include <memory>
#include <vector>

#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/state/ProcedureNames.h"

class QPushButton;

namespace cdz {

class PlaylistBrowse final : public BrowseWindow {
    Q_OBJECT
public:
    static constexpr const char* kProcedure = proc::kBrowsePlayLists;
    static constexpr const char* kGenerateCaption = "Generate Play List";

    // nullptr when a playlist file would not open (the open routine has told the user).
    static PlaylistBrowse* open(AppState& state, QWidget* parent);

protected:
    void afterSync() override;
    void placeControls() override;
    std::vector<PopupButton> popupExtras() const override;
    void pressExtra(int index) override;

private:
    PlaylistBrowse(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                   std::unique_ptr<FileUse> files, QWidget* parent);

    QPushButton* print_ = nullptr;
    QPushButton* top40_ = nullptr;
};

}  // namespace cdz
