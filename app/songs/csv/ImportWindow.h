#pragma once
// "Assign fields for Import...": the chosen file's columns beside the song fields they fill,
// the values of the line in view (Next steps through the lines), each column's picture, Auto
// assignment by the first line's labels and the header switch; OK runs the import with its
// progress window and tells how many songs were added and which columns were not imported.
// A Discogs collection export is offered as what it is, an import of albums (DiscogsImport),
// which the user may change back to songs by the columns assigned.
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/songs/csv/CsvLineReader.h"
#include "app/songs/csv/DiscogsRelease.h"
#include "app/songs/csv/ImportAssignment.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace cdz {

class AppState;
class FileUse;

class ImportWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kFileFilter = "Import Files|*.CSV|All Files|*.*";
    // The choices of what a Discogs export becomes.
    static constexpr const char* kDiscogsChoice = "Discogs collection export (albums)";
    static constexpr const char* kSongsChoice = "Songs, by the columns assigned below";

    // Asks for the file and opens the window over it; nullptr when the user cancelled or the
    // file could not be opened (the user was told).
    static ImportWindow* open(AppState& state, QWidget* parent);
    ~ImportWindow() override;

    const ImportAssignment& assignment() const { return assignment_; }
    // Whether OK imports the file's releases as albums.
    bool importsAlbums() const;

    void next();
    void picture();
    void assign();
    void autoAssign();
    void unassign();
    void ok();

private:
    ImportWindow(AppState& state, std::filesystem::path file, QWidget* parent);
    bool readColumns();
    void build();
    QHBoxLayout* kindRow();
    void kindChosen();
    void importAlbums();
    void refresh();
    void columnChosen();
    void targetChosen();

    AppState& state_;
    std::filesystem::path file_;
    std::unique_ptr<FileUse> files_;
    CsvLineReader reader_;
    ImportAssignment assignment_;
    std::optional<DiscogsColumns> discogs_;
    int64_t line_ = 0;
    QTreeWidget* columns_ = nullptr;
    QTreeWidget* targets_ = nullptr;
    QLabel* record_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* auto_ = nullptr;
    QCheckBox* header_ = nullptr;
    QComboBox* kind_ = nullptr;
    // What assigns columns to song fields: idle while the file goes in as albums.
    QWidget* assigning_ = nullptr;
};

}  // namespace cdz
