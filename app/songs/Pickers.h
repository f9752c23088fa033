#pragma once
// The two pickers other windows call to choose a record: "Select An Orvanta Album" (the albums
// by title) and "Select File Number" (every song of the catalogue, on six orders). Run with a
// select request, Select leaves the chosen album or song in its file's record buffer and
// answers Completed; Close answers Cancelled.
#include "app/engine/state/ProcedureNames.h"

class QWidget;

namespace cdz {

class AppState;
class BrowseWindow;

class Pickers {
public:
    static constexpr const char* kAlbum = proc::kSelectAlbum;
    static constexpr const char* kFileNumber = proc::kSelectFileNumber;

    // nullptr when a file would not open (the open routine has told the user).
    static BrowseWindow* album(AppState& state, QWidget* parent);
    static BrowseWindow* fileNumber(AppState& state, QWidget* parent);
};

}  // namespace cdz
