#include "app/songs/csv/ImportWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/engine/state/AppState.h"
#include "app/songs/csv/CsvProgressWindow.h"
#include "app/songs/csv/DiscogsImport.h"
#include "app/songs/csv/PictureDialog.h"
#include "app/songs/csv/SongImport.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// Lines per batch of the run: each batch one transaction, small enough for a live window.
constexpr int kBatch = 500;
// Notes the summary of an album import shows; the others are counted.
constexpr size_t kNotesShown = 10;

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

void inform(AppState& state, const std::string& title, const std::string& text) {
    state.dialogs().message(title, text, MessageIcon::Information, Button::Ok, Button::Ok);
}

}  // namespace

ImportWindow* ImportWindow::open(AppState& state, QWidget* parent) {
    for (;;) {
        const std::optional<std::string> chosen =
            state.dialogs().openFile("Import File", kFileFilter, state.dataFolder().string());
        if (!chosen) return nullptr;
        std::unique_ptr<ImportWindow> w(new ImportWindow(state, *chosen, parent));
        if (!w->reader_.open(*chosen)) {
            state.dialogs().message("Cannot OPEN " + *chosen,
                                    "Error #" + std::to_string(w->reader_.errorNumber()) + " - " +
                                        w->reader_.errorText(),
                                    MessageIcon::Warning, Button::Ok, Button::Ok);
            return nullptr;
        }
        if (w->reader_.size() == 0) {
            state.dialogs().message("Attention!", "That file is empty!  Please pick another file.",
                                    MessageIcon::Warning, Button::Ok, Button::Ok);
            continue;
        }
        if (!w->readColumns()) {
            inform(state, "Attention!", *chosen + " holds no line that can be read.");
            return nullptr;
        }
        if (w->reader_.windows1252()) {
            inform(state, "Attention!",
                   *chosen +
                       " is not all UTF-8 text; each line that is not is read as "
                       "Windows-1252.");
        }
        w->files_ =
            w->discogs_
                ? std::make_unique<FileUse>(
                      state.catalogue(),
                      std::initializer_list<F>{F::Cadenzio, F::Categories, F::Media, F::Album})
                : std::make_unique<FileUse>(
                      state.catalogue(),
                      std::initializer_list<F>{F::Cadenzio, F::Categories, F::Media});
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
}

ImportWindow::ImportWindow(AppState& state, std::filesystem::path file, QWidget* parent)
    : QWidget(parent), state_(state), file_(std::move(file)) {
    setObjectName("ImportWindow");
    setAttribute(Qt::WA_DeleteOnClose);
}

ImportWindow::~ImportWindow() = default;

bool ImportWindow::readColumns() {
    CsvRead got = reader_.read();
    while (got == CsvRead::Refused) got = reader_.read();
    if (got == CsvRead::End) return false;
    const std::vector<CsvField> first(reader_.fields().begin(), reader_.fields().end());
    discogs_ = DiscogsColumns::of(first);
    std::vector<CsvField> second;
    if (reader_.read() == CsvRead::Line)
        second.assign(reader_.fields().begin(), reader_.fields().end());
    assignment_.setColumns(first, second);
    reader_.rewind();
    got = reader_.read();
    while (got == CsvRead::Refused) got = reader_.read();
    line_ = 0;
    return true;
}

void ImportWindow::build() {
    setWindowTitle("Assign fields for Import...");
    setFont(QFont("Arial"));
    auto* outer = new QVBoxLayout(this);
    if (discogs_) outer->addLayout(kindRow());
    // Disabled as one while the file goes in as albums, each control keeping its own state.
    assigning_ = new QWidget(this);
    auto* grid = new QGridLayout(assigning_);
    grid->setContentsMargins(0, 0, 0, 0);
    columns_ = new QTreeWidget(this);
    columns_->setObjectName("ImportColumns");
    columns_->setHeaderLabels({"Import Field", "Picture", "Value"});
    columns_->setRootIsDecorated(false);
    targets_ = new QTreeWidget(this);
    targets_->setObjectName("TargetFields");
    targets_->setHeaderLabels({"Target Field", "=", "Import Field"});
    targets_->setRootIsDecorated(false);
    grid->addWidget(columns_, 0, 0);
    grid->addWidget(targets_, 0, 1);
    auto* row = new QHBoxLayout;
    next_ = button(this, "NextButton", "&Next");
    record_ = new QLabel(this);
    record_->setObjectName("RecordNumber");
    QPushButton* pictureButton = button(this, "PictureButton", "&Picture");
    QPushButton* assignButton = button(this, "AssignButton", "&Assign");
    auto_ = button(this, "AutoButton", "A&uto");
    QPushButton* unassignButton = button(this, "UnassignButton", "&Unassign");
    for (QWidget* w : std::initializer_list<QWidget*>{next_, record_, pictureButton, assignButton,
                                                      auto_, unassignButton})
        row->addWidget(w);
    grid->addLayout(row, 1, 0, 1, 2);
    header_ = new QCheckBox("Strip &header record (field names)", this);
    header_->setObjectName("StripHeader");
    grid->addWidget(header_, 2, 0);
    outer->addWidget(assigning_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = button(this, "OkButton", "&OK");
    QPushButton* cancel = button(this, "CancelButton", "&Cancel");
    QPushButton* help = button(this, "HelpButton", "Help");
    buttons->addStretch();
    for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(next_, &QPushButton::clicked, this, &ImportWindow::next);
    connect(pictureButton, &QPushButton::clicked, this, &ImportWindow::picture);
    connect(assignButton, &QPushButton::clicked, this, &ImportWindow::assign);
    connect(auto_, &QPushButton::clicked, this, &ImportWindow::autoAssign);
    connect(unassignButton, &QPushButton::clicked, this, &ImportWindow::unassign);
    connect(ok, &QPushButton::clicked, this, &ImportWindow::ok);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(header_, &QCheckBox::toggled, this,
            [this](bool on) { assignment_.setStripHeader(on); });
    connect(columns_, &QTreeWidget::itemSelectionChanged, this, &ImportWindow::columnChosen);
    connect(targets_, &QTreeWidget::itemSelectionChanged, this, &ImportWindow::targetChosen);
    for (const ImportColumn& c : assignment_.columns())
        new QTreeWidgetItem(columns_, {QString::fromStdString(c.name), {}, {}});
    for (const ImportTarget& t : assignment_.targets())
        new QTreeWidgetItem(targets_, {QString::fromStdString(t.label), {}, {}});
    kindChosen();
    refresh();
}

QHBoxLayout* ImportWindow::kindRow() {
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel("Import &as:", this);
    kind_ = new QComboBox(this);
    kind_->setObjectName("ImportKind");
    kind_->addItems({kDiscogsChoice, kSongsChoice});
    caption->setBuddy(kind_);
    row->addWidget(caption);
    row->addWidget(kind_, 1);
    connect(kind_, &QComboBox::currentIndexChanged, this, &ImportWindow::kindChosen);
    return row;
}

bool ImportWindow::importsAlbums() const {
    return kind_ != nullptr && kind_->currentIndex() == 0;
}

void ImportWindow::kindChosen() {
    assigning_->setEnabled(!importsAlbums());
}

void ImportWindow::refresh() {
    const auto& columns = assignment_.columns();
    for (int i = 0; i < columns_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = columns_->topLevelItem(i);
        const ImportColumn& c = columns[static_cast<size_t>(i)];
        item->setText(1, QString::fromStdString(ImportAssignment::typeText(c.picture)));
        item->setText(2, QString::fromStdString(c.value).left(100));
    }
    const auto& targets = assignment_.targets();
    for (int i = 0; i < targets_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = targets_->topLevelItem(i);
        const int column = targets[static_cast<size_t>(i)].column;
        item->setText(1, column >= 0 ? "=" : "");
        item->setText(2, column >= 0
                             ? QString::fromStdString(columns[static_cast<size_t>(column)].name)
                             : QString());
    }
    record_->setText("Rec# " + QString::number(line_));
    const QSignalBlocker quiet(header_);
    header_->setChecked(assignment_.stripHeader());
}

void ImportWindow::columnChosen() {
    const int column = columns_->indexOfTopLevelItem(columns_->currentItem());
    const int target = assignment_.targetOf(column);
    if (target < 0) return;
    const QSignalBlocker quiet(targets_);
    targets_->setCurrentItem(targets_->topLevelItem(target));
}

void ImportWindow::targetChosen() {
    const int target = targets_->indexOfTopLevelItem(targets_->currentItem());
    if (target < 0) return;
    const int column = assignment_.targets()[static_cast<size_t>(target)].column;
    if (column < 0) return;
    const QSignalBlocker quiet(columns_);
    columns_->setCurrentItem(columns_->topLevelItem(column));
}

void ImportWindow::next() {
    CsvRead got = reader_.read();
    while (got == CsvRead::Refused) got = reader_.read();
    if (got == CsvRead::End) {
        next_->setEnabled(false);
        return;
    }
    ++line_;
    assignment_.showLine(reader_.fields());
    auto_->setEnabled(false);
    refresh();
}

void ImportWindow::picture() {
    const int column = columns_->indexOfTopLevelItem(columns_->currentItem());
    if (column < 0) return;
    const std::string now = assignment_.columns()[static_cast<size_t>(column)].picture;
    const std::string chosen = PictureDialog::ask(state_.dialogs(), now, this);
    if (chosen.empty()) return;
    assignment_.setPicture(column, chosen);
    refresh();
}

void ImportWindow::assign() {
    const int column = columns_->indexOfTopLevelItem(columns_->currentItem());
    const int target = targets_->indexOfTopLevelItem(targets_->currentItem());
    if (column < 0 || target < 0) return;
    assignment_.assign(target, column);
    refresh();
}

void ImportWindow::autoAssign() {
    assignment_.autoAssign();
    refresh();
}

void ImportWindow::unassign() {
    const int target = targets_->indexOfTopLevelItem(targets_->currentItem());
    if (target < 0) return;
    assignment_.unassign(target);
    refresh();
}

void ImportWindow::ok() {
    if (importsAlbums()) {
        importAlbums();
        return;
    }
    if (!assignment_.anyAssigned()) {
        state_.dialogs().message("No Fields Selected for Import!",
                                 "You must select one or more fields to import.",
                                 MessageIcon::Warning, Button::Ok, Button::Ok);
        columns_->setFocus();
        return;
    }
    SongImport run(state_.catalogue(), reader_, assignment_, file_);
    run.start();
    CsvProgressWindow progress("Importing Records", {}, this);
    progress.run({[&] { return run.step(kBatch); }, [&] { return run.percent(); },
                  [&] { run.cancel(); }, [&] { return run.state() == ImportState::Completed; }});
    if (run.state() == ImportState::Failed)
        state_.dialogs().message(run.failureTitle(), run.failureText(), MessageIcon::Warning,
                                 Button::Ok, Button::Ok);
    std::string text =
        std::to_string(run.added()) + (run.added() == 1 ? " song was" : " songs were") + " added.";
    if (run.state() == ImportState::Cancelled) text = "The import was cancelled. " + text;
    if (const std::string unused = assignment_.unusedColumnsText(); !unused.empty())
        text += "|" + unused;
    if (run.refused() > 0) {
        text += "| |" + std::to_string(run.refused()) + " lines were refused:";
        for (size_t i = 0; i < run.notes().size() && i < 10; ++i) text += "|" + run.notes()[i];
    } else {
        for (size_t i = 0; i < run.notes().size() && i < 10; ++i) text += "|" + run.notes()[i];
    }
    inform(state_, "Import", text);
    close();
}

void ImportWindow::importAlbums() {
    DiscogsImport run(state_.catalogue(), reader_, *discogs_, file_);
    run.start();
    CsvProgressWindow progress("Importing Records", {}, this);
    progress.run({[&] { return run.step(kBatch); }, [&] { return run.percent(); },
                  [&] { run.cancel(); }, [&] { return run.state() == ImportState::Completed; }});
    if (run.state() == ImportState::Failed)
        state_.dialogs().message(run.failureTitle(), run.failureText(), MessageIcon::Warning,
                                 Button::Ok, Button::Ok);
    std::string text = std::to_string(run.added()) +
                       (run.added() == 1 ? " album was" : " albums were") + " added.";
    if (run.state() == ImportState::Cancelled) text = "The import was cancelled. " + text;
    text += "|" + std::string(DiscogsImport::kUnusedColumnsText);
    if (run.refused() > 0) {
        text += "| |" + std::to_string(run.refused()) +
                (run.refused() == 1 ? " line was" : " lines were") + " refused";
        if (run.already() > 0)
            text += " (" + std::to_string(run.already()) +
                    (run.already() == 1 ? " album" : " albums") + " already in the catalogue)";
        text += ":";
    }
    for (size_t i = 0; i < run.notes().size() && i < kNotesShown; ++i) text += "|" + run.notes()[i];
    if (run.noteCount() > static_cast<int64_t>(kNotesShown))
        text += "|... and " + std::to_string(run.noteCount() - static_cast<int64_t>(kNotesShown)) +
                " more";
    if (run.cut() > 0)
        text += "|" + std::to_string(run.cut()) +
                (run.cut() == 1 ? " value was cut to fit its field."
                                : " values were cut to fit their fields.");
    inform(state_, "Import", text);
    close();
}

}  // namespace cdz
