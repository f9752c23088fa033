#pragma once
// The Preferences window: the date format and captions, the start-up browses, the add mode,
// the label wizard's order and delimiter, the housekeeping passes and the report logo. OK and
// Cancel are PreferencesApply's.
#include <QDialog>
#include <string>

#include "app/domain/settings/Settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace cdz {

class AppState;

class PreferencesWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr std::string_view kHousekeepingTitle = "Housekeeping";
    static constexpr std::string_view kCreateAlbumsQuestion =
        "This function will create the album database based on information in your main "
        "Cadenzio Pro database.  It may take some time to complete.  Are you sure you wish to "
        "continue?";
    static constexpr std::string_view kTestLinksQuestion =
        "This function will test (and fix where possible) the links between the album database "
        "and your main Cadenzio Pro database.  It may take some time to complete.  Are you sure "
        "you wish to continue?";

    PreferencesWindow(AppState& state, QWidget* parent);

    void accept() override;
    void reject() override;

private:
    QWidget* generalPage();
    QWidget* startUpPage();
    QWidget* addingPage();
    QWidget* labelsPage();
    QWidget* housekeepingPage();
    QWidget* logoPage();
    void housekeeping(std::string_view question, const char* procedure);
    Settings edited() const;

    AppState& state_;
    Settings opened_;
    QComboBox* dateFormat_ = nullptr;
    QLineEdit* udkPrompt_ = nullptr;
    QLineEdit* notesLabel_ = nullptr;
    QCheckBox* startAlbums_ = nullptr;
    QCheckBox* startSongs_ = nullptr;
    QCheckBox* startLabels_ = nullptr;
    QCheckBox* startPlaylists_ = nullptr;
    QButtonGroup* addMode_ = nullptr;
    QCheckBox* autoAdd_ = nullptr;
    QButtonGroup* labelOrder_ = nullptr;
    QLineEdit* delimiter_ = nullptr;
    QLineEdit* logo_ = nullptr;
};

}  // namespace cdz
