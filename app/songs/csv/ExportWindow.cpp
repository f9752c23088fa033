#include "app/songs/csv/ExportWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "app/songs/csv/CsvProgressWindow.h"
#include "app/songs/csv/ImportAssignment.h"
#include "app/songs/csv/PictureDialog.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// Songs per batch of the run: small enough for a live window.
constexpr int kBatch = 1000;

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

ExportWindow* ExportWindow::open(AppState& state, QWidget* parent) {
    std::unique_ptr<ExportWindow> w(new ExportWindow(state, parent));
    w->files_ = std::make_unique<FileUse>(state.catalogue(),
                                          std::initializer_list<F>{F::Cadenzio, F::Categories});
    if (!w->files_->ok()) {
        const ErrorState& e = state.error();
        state.dialogs().message("Cannot OPEN the songs files",
                                "Error #" + std::to_string(e.code) + " - " + e.text,
                                MessageIcon::Warning, Button::Ok, Button::Ok);
        return nullptr;
    }
    w->build();
    return w.release();
}

ExportWindow::ExportWindow(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), all_(SongExport::allFields()) {
    setObjectName("ExportWindow");
    setAttribute(Qt::WA_DeleteOnClose);
}

ExportWindow::~ExportWindow() = default;

void ExportWindow::build() {
    setWindowTitle("Choose Fields for Export...");
    setFont(QFont("MS Sans Serif"));
    auto* grid = new QGridLayout(this);
    allList_ = new QListWidget(this);
    allList_->setObjectName("AllFields");
    allList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const ExportField& f : all_) allList_->addItem(QString::fromStdString(f.label));
    chosenList_ = new QListWidget(this);
    chosenList_->setObjectName("ExportFields");
    chosenList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* middle = new QVBoxLayout;
    QPushButton* addButton = button(this, "AddButton", "&Add ->");
    QPushButton* removeButton = button(this, "RemoveButton", "&Remove");
    QPushButton* up = button(this, "ShiftUpButton", "Shift &Up");
    QPushButton* down = button(this, "ShiftDownButton", "Shift &Down");
    QPushButton* pictureButton = button(this, "PictureButton", "&Picture");
    for (QPushButton* b : {addButton, removeButton, up, down, pictureButton}) middle->addWidget(b);
    middle->addStretch();
    // Each list is captioned with what it holds, as its one column's header would be.
    const std::pair<QListWidget*, const char*> captions[] = {{allList_, "All Fields"},
                                                             {chosenList_, "Export Fields"}};
    for (int c = 0; const auto& [list, caption] : captions) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(list);
        grid->addWidget(label, 0, c);
        c += 2;
    }
    grid->addWidget(allList_, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(chosenList_, 1, 2);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(new QLabel("Picture", this));
    pictureText_ = new QLabel(this);
    pictureText_->setObjectName("PictureText");
    pictureRow->addWidget(pictureText_, 1);
    grid->addLayout(pictureRow, 2, 2);
    header_ = new QCheckBox("Include &header record with field names", this);
    header_->setObjectName("IncludeHeader");
    grid->addWidget(header_, 3, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = button(this, "OkButton", "&OK");
    QPushButton* cancel = button(this, "CancelButton", "&Cancel");
    QPushButton* help = button(this, "HelpButton", "Help");
    buttons->addStretch();
    for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
    grid->addLayout(buttons, 4, 0, 1, 3);
    connect(addButton, &QPushButton::clicked, this, &ExportWindow::add);
    connect(removeButton, &QPushButton::clicked, this, &ExportWindow::remove);
    connect(up, &QPushButton::clicked, this, [this] { shift(-1); });
    connect(down, &QPushButton::clicked, this, [this] { shift(1); });
    connect(pictureButton, &QPushButton::clicked, this, &ExportWindow::picture);
    connect(ok, &QPushButton::clicked, this, &ExportWindow::ok);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(chosenList_, &QListWidget::currentRowChanged, this, [this] { refresh(); });
}

void ExportWindow::refresh() {
    const int row = chosenList_->currentRow();
    pictureText_->setText(row < 0 ? QString()
                                  : QString::fromStdString(ImportAssignment::typeText(
                                        chosen_[static_cast<size_t>(row)].picture)));
    if (pictureText_->text() == "Alpha-num") pictureText_->setText("Alpha-numeric");
}

void ExportWindow::add() {
    const bool wasEmpty = chosen_.empty();
    for (int i = 0; i < allList_->count(); ++i) {
        if (!allList_->item(i)->isSelected()) continue;
        const ExportField& f = all_[static_cast<size_t>(i)];
        int found = -1;
        for (size_t j = 0; j < chosen_.size(); ++j)
            if (chosen_[j].label == f.label) found = static_cast<int>(j);
        if (found >= 0) {
            chosenList_->item(found)->setSelected(true);
            continue;
        }
        chosen_.push_back(f);
        chosenList_->addItem(QString::fromStdString(f.label));
    }
    if (wasEmpty && !chosen_.empty()) chosenList_->setCurrentRow(0);
    refresh();
}

void ExportWindow::remove() {
    int current = chosenList_->currentRow();
    for (int i = chosenList_->count() - 1; i >= 0; --i) {
        if (!chosenList_->item(i)->isSelected()) continue;
        delete chosenList_->takeItem(i);
        chosen_.erase(chosen_.begin() + i);
        if (i < current) --current;
    }
    if (!chosen_.empty())
        chosenList_->setCurrentRow(std::min(std::max(current, 0), chosenList_->count() - 1));
    refresh();
}

void ExportWindow::shift(int by) {
    const int row = chosenList_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= chosenList_->count()) return;
    std::swap(chosen_[static_cast<size_t>(row)], chosen_[static_cast<size_t>(to)]);
    chosenList_->item(row)->setText(
        QString::fromStdString(chosen_[static_cast<size_t>(row)].label));
    chosenList_->item(to)->setText(QString::fromStdString(chosen_[static_cast<size_t>(to)].label));
    chosenList_->setCurrentRow(to, QItemSelectionModel::ClearAndSelect);
    refresh();
}

void ExportWindow::picture() {
    int row = chosenList_->currentRow();
    if (row < 0) {
        if (chosen_.empty()) {
            allList_->setFocus();
            return;
        }
        chosenList_->setCurrentRow(0);
        row = 0;
    }
    ExportField& f = chosen_[static_cast<size_t>(row)];
    const std::string picked = PictureDialog::ask(state_.dialogs(), f.picture, this);
    if (!picked.empty()) f.picture = picked;
    refresh();
}

void ExportWindow::ok() {
    if (chosen_.empty()) {
        state_.dialogs().message("No Fields Selected for Export!",
                                 "You must select one or more fields to export.",
                                 MessageIcon::Warning, Button::Ok, Button::Ok);
        allList_->setFocus();
        return;
    }
    const std::optional<std::string> file =
        state_.dialogs().saveFile("Export File", kFileFilter, state_.dataFolder().string());
    if (!file) return;
    SongExport run(state_.catalogue(), chosen_, header_->isChecked());
    run.setRetryQuestion([this](const std::string& title, const std::string& text) {
        return state_.dialogs().message(title, text, MessageIcon::Warning,
                                        Button::Retry | Button::Abort,
                                        Button::Abort) == Button::Retry;
    });
    if (!run.start(*file)) {
        state_.dialogs().message(run.failureTitle(), run.failureText(), MessageIcon::Warning,
                                 Button::Ok, Button::Ok);
        return;
    }
    CsvProgressWindow progress("Exporting Records", "Exporting", this);
    progress.run({[&] { return run.step(kBatch); }, [&] { return run.percent(); },
                  [&] { run.cancel(); }, [&] { return run.state() == ExportState::Completed; }});
    const bool closed = run.finish();
    if (!closed && run.state() == ExportState::Failed)
        state_.dialogs().message(run.failureTitle(), run.failureText(), MessageIcon::Warning,
                                 Button::Ok, Button::Ok);
    const int64_t songs = run.written();
    std::string text = std::to_string(songs) + (songs == 1 ? " song was" : " songs were") +
                       " written to " + *file + ".";
    if (!run.replaced()) text = "The file " + *file + " was left as it was.";
    if (run.state() == ExportState::Cancelled) text = "The export was cancelled. " + text;
    if (run.state() == ExportState::Abandoned) text = "The export was abandoned. " + text;
    state_.dialogs().message("Export", text, MessageIcon::Information, Button::Ok, Button::Ok);
    close();
}

}  // namespace cdz
