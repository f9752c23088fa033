#include "app/filemgr/FileManagerWindow.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/AppIcons.h"
#include "app/engine/window/WindowPlacement.h"

namespace cdz {

namespace {

enum Column { Tag, Table, Records, File };

// The small window that says which file is being done and how many are left.
class ActionProgress final : public QDialog {
public:
    explicit ActionProgress(QWidget* parent) : QDialog(parent) {
        setWindowTitle("File Manager");
        setObjectName("FileManagerProgress");
        auto* grid = new QGridLayout(this);
        grid->addWidget(new QLabel("Current File :"), 0, 0);
        grid->addWidget(current_ = new QLabel, 0, 1);
        grid->addWidget(new QLabel("Files Left     :"), 1, 0);
        grid->addWidget(left_ = new QLabel, 1, 1);
        current_->setMinimumWidth(160);
    }
    void show(const std::string& label, int left) {
        current_->setText(QString::fromStdString(label));
        left_->setText(QString::number(left));
        QDialog::show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QLabel* current_ = nullptr;
    QLabel* left_ = nullptr;
};

}  // namespace

FileManagerWindow::FileManagerWindow(AppState& state, QWidget* parent)
    : QDialog(parent),
      state_(state),
      repair_(),
      maintenance_(state.dialogs(), state.fileRegistry(), repair_),
      rows_(maintenance_.rows()) {
    setObjectName(proc::kFileManager);
    setWindowTitle("File Manager");
    setWindowIcon(AppIcons::icon("SmallTik.Ico"));
    setAttribute(Qt::WA_DeleteOnClose);

    list_ = new QTreeWidget;
    list_->setObjectName("Files");
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({"", "Table", "Records", "File"});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (size_t i = 0; i < rows_.size(); ++i) {
        maintenance_.count(rows_[i]);
        auto* item = new QTreeWidgetItem(list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        showRow(static_cast<int>(i));
    }
    if (!rows_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (column != Tag) return;
        rows_[static_cast<size_t>(list_->indexOfTopLevelItem(item))].tagged =
            item->checkState(Tag) == Qt::Checked;
    });

    struct Action {
        const char* caption;
        const char* name;
        const char* tip;
        std::function<void()> run;
    };
    const Action actions[] = {
        {"&Tag All", "TagAll", "Tag all the files", [this] { tagAll(true); }},
        {"&Untag All", "UntagAll", "Untag all of the files", [this] { tagAll(false); }},
        {"&Build", "Build", "Build the key files for the tagged data files",
         [this] { runAction(FileAction::Build); }},
        {"&Pack", "Pack", "Pack the tagged data files", [this] { runAction(FileAction::Pack); }},
        {"&Release", "Release", "Release any held records in the tagged files",
         [this] { runAction(FileAction::Release); }},
        {"&Fix", "Fix", "Repair the tagged data files", [this] { runAction(FileAction::Fix); }},
        {"&Info", "Info", "Show what the tagged data files hold",
         [this] { runAction(FileAction::Info); }},
        {"&Done", "Done", "Close this window", [this] { accept(); }},
    };
    auto* buttons = new QVBoxLayout;
    for (const Action& a : actions) {
        auto* b = new QPushButton(a.caption);
        b->setObjectName(a.name);
        b->setToolTip(a.tip);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, a.run);
        if (std::string_view(a.name) == "TagAll") b->setIcon(AppIcons::icon("ADD.ICO"));
        if (std::string_view(a.name) == "UntagAll") b->setIcon(AppIcons::icon("REMOVE.ICO"));
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(560, 320);
}

void FileManagerWindow::showRow(int index) {
    const FileRow& row = rows_[static_cast<size_t>(index)];
    QTreeWidgetItem* item = list_->topLevelItem(index);
    const QSignalBlocker quiet(list_);
    item->setCheckState(Tag, row.tagged ? Qt::Checked : Qt::Unchecked);
    item->setText(Table, QString::fromStdString(row.file->label));
    item->setText(Records, QString::fromStdString(row.records));
    item->setTextAlignment(Records, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(File, QString::fromStdString(row.file->file->path().filename().string()));
}

void FileManagerWindow::tagAll(bool on) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].tagged = on;
        showRow(static_cast<int>(i));
    }
}

void FileManagerWindow::runAction(FileAction action) {
    std::vector<int> chosen;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].tagged) chosen.push_back(static_cast<int>(i));
    if (chosen.empty()) {
        const int current = list_->indexOfTopLevelItem(list_->currentItem());
        if (current < 0) return;
        chosen.push_back(current);
    }
    ActionProgress progress(this);
    int left = static_cast<int>(chosen.size());
    for (int index : chosen) {
        progress.show(rows_[static_cast<size_t>(index)].file->label, left);
        maintenance_.run(action, rows_[static_cast<size_t>(index)]);
        showRow(index);
        --left;
    }
    progress.close();
}

void FileManagerWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    WindowPlacement::restore(*this, state_.settingsFile(), proc::kFileManager);
}

void FileManagerWindow::done(int result) {
    if (isVisible()) WindowPlacement::save(*this, state_.settingsFile(), proc::kFileManager);
    QDialog::done(result);
}

}  // namespace cdz
