#pragma once
// The File Manager window: the registered data files by label with their record counts, tags,
// and the actions run on the tagged files (or the highlighted one when none is tagged) under a
// small progress window.
#include <QDialog>
#include <memory>
#include <vector>

#include "app/domain/repair/RepairProgram.h"
#include "app/filemgr/FileMaintenance.h"

class QLabel;
class QTreeWidget;

namespace cdz {

class AppState;

class FileManagerWindow final : public QDialog {
    Q_OBJECT
public:
    explicit FileManagerWindow(AppState& state, QWidget* parent = nullptr);

    QTreeWidget& list() { return *list_; }
    // Runs the action as its button does.
    void runAction(FileAction action);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void tagAll(bool on);
    void showRow(int index);

    AppState& state_;
    RepairProgram repair_;
    FileMaintenance maintenance_;
    std::vector<FileRow> rows_;
    QTreeWidget* list_ = nullptr;
    bool placed_ = false;
};

}  // namespace cdz
