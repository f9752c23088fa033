#pragma once
// "Choose Fields for Export...": the song fields on the left, the fields to write on the
// right in their order, each with its picture, and the header switch; OK asks for the file and
// writes every song with its progress window, offering Retry or Abort when a write fails.
#include <QWidget>
#include <memory>
#include <vector>

#include "app/songs/csv/SongExport.h"

class QCheckBox;
class QLabel;
class QListWidget;

namespace cdz {

class AppState;
class FileUse;

class ExportWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kFileFilter = "Export Files|*.CSV|All Files|*.*";

    // Opens the window with the songs and categories files held; nullptr when they do not
    // open (the user was told).
    static ExportWindow* open(AppState& state, QWidget* parent);
    ~ExportWindow() override;

    const std::vector<ExportField>& chosen() const { return chosen_; }

    void add();
    void remove();
    void shift(int by);
    void picture();
    void ok();

private:
    ExportWindow(AppState& state, QWidget* parent);
    void build();
    void refresh();

    AppState& state_;
    std::unique_ptr<FileUse> files_;
    std::vector<ExportField> all_;
    std::vector<ExportField> chosen_;
    QListWidget* allList_ = nullptr;
    QListWidget* chosenList_ = nullptr;
    QLabel* pictureText_ = nullptr;
    QCheckBox* header_ = nullptr;
};

}  // namespace cdz
