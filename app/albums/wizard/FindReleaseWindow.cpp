#include "app/albums/wizard/FindReleaseWindow.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <initializer_list>
#include <iterator>

#include "app/engine/state/AppState.h"

namespace cdz {

namespace {

constexpr const char* kTitle = "Find Release";
constexpr int kEntryChars = 60;
const char* const kColumns[] = {"Title", "Artist", "Format",           "Country",
                                "Year",  "Label",  "Catalogue number", "Tracks"};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

std::optional<FindReleaseWindow::Chosen> FindReleaseWindow::run(AppState& state, QWidget* parent,
                                                                const QString& artist,
                                                                const QString& title) {
    FindReleaseWindow window(state, parent);
    window.artist_->setText(artist.trimmed());
    window.title_->setText(title.trimmed());
    window.exec();
    return std::move(window.chosen_);
}

FindReleaseWindow::FindReleaseWindow(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("FindReleaseWindow");
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const auto entry = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaxLength(kEntryChars);
        // Enter searches: a barcode scanner types the digits and presses it.
        connect(e, &QLineEdit::returnPressed, this, &FindReleaseWindow::search);
        return e;
    };
    barcode_ = entry("BarcodeEntry");
    catalogueNumber_ = entry("CatalogueNumberEntry");
    artist_ = entry("ArtistEntry");
    title_ = entry("TitleEntry");
    form->addRow("&Barcode:", barcode_);
    form->addRow("Catalogue &number:", catalogueNumber_);
    form->addRow("&Artist:", artist_);
    form->addRow("&Title:", title_);
    layout->addLayout(form);

    list_ = new QTableWidget(0, static_cast<int>(std::size(kColumns)), this);
    list_->setObjectName("CandidateList");
    QStringList headers;
    for (const char* c : kColumns) headers << c;
    list_->setHorizontalHeaderLabels(headers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setMinimumSize(760, 260);
    // A double click, or Enter on the chosen row, uses it.
    connect(list_, &QTableWidget::activated, this, &FindReleaseWindow::use);
    list_->resizeColumnsToContents();
    layout->addWidget(list_);

    status_ = new QLabel(this);
    status_->setObjectName("StatusLabel");
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* row = new QHBoxLayout;
    withCover_ = new QCheckBox("Fetch the front &cover too", this);
    withCover_->setObjectName("FetchCoverCheck");
    row->addWidget(withCover_);
    row->addStretch();
    search_ = new QPushButton("&Search", this);
    search_->setObjectName("SearchButton");
    use_ = new QPushButton("&Use Release", this);
    use_->setObjectName("UseButton");
    use_->setEnabled(false);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    // Enter belongs to the boxes (search) and the list (use), not to a default button.
    for (QPushButton* b : {search_, use_, cancel}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    connect(search_, &QPushButton::clicked, this, &FindReleaseWindow::search);
    connect(use_, &QPushButton::clicked, this, &FindReleaseWindow::use);
    connect(cancel, &QPushButton::clicked, this, &FindReleaseWindow::reject);
    connect(list_, &QTableWidget::itemSelectionChanged, this,
            [this] { use_->setEnabled(!busy_ && list_->currentRow() >= 0); });
    layout->addLayout(row);
    barcode_->setFocus();
}

FindReleaseWindow::~FindReleaseWindow() = default;

void FindReleaseWindow::reject() {
    if (busy_) {
        if (finder_) finder_->cancel();
        return;
    }
    QDialog::reject();
}

void FindReleaseWindow::waiting(bool busy) {
    busy_ = busy;
    for (QWidget* w : std::initializer_list<QWidget*>{barcode_, catalogueNumber_, artist_, title_,
                                                      list_, search_, withCover_})
        w->setEnabled(!busy);
    use_->setEnabled(!busy && list_->currentRow() >= 0);
    if (busy) status_->setText("Asking the title service... (Cancel stops)");
}

void FindReleaseWindow::tell(const std::string& words) {
    status_->setText(text(words));
    state_.dialogs().message(kTitle, words, MessageIcon::Warning, Button::Ok, Button::Ok);
}

// The first box filled decides: the barcode, else the catalogue number, else artist and title.
std::optional<ReleaseQuery> FindReleaseWindow::query() {
    std::string why;
    std::optional<ReleaseQuery> q;
    if (!barcode_->text().trimmed().isEmpty()) {
        q = ReleaseQuery::ofBarcode(barcode_->text().toStdString(), &why);
    } else if (!catalogueNumber_->text().trimmed().isEmpty()) {
        q = ReleaseQuery::parse("catno:" + catalogueNumber_->text().toStdString(), &why);
    } else if (!artist_->text().trimmed().isEmpty() || !title_->text().trimmed().isEmpty()) {
        q = ReleaseQuery::parse(
            "artist:" + artist_->text().toStdString() + ",title:" + title_->text().toStdString(),
            &why);
    } else {
        why = "Type a barcode, a catalogue number, or an artist and a title.";
    }
    if (!q) tell(why);
    return q;
}

void FindReleaseWindow::search() {
    if (busy_) return;
    const std::optional<ReleaseQuery> q = query();
    if (!q) return;
    finder_ = std::make_unique<ReleaseFinder>(TitleService::optionsFrom(state_.settings()));
    waiting(true);
    ReleaseFinder::Search found = finder_->search(*q);
    waiting(false);
    list_->setRowCount(0);
    candidates_.clear();
    if (found.outcome == TitleOutcome::Cancelled) {
        status_->setText("The search was cancelled.");
        return;
    }
    if (found.outcome != TitleOutcome::Found) {
        tell(finder_->explain(found.outcome, found.detail, q->describe()));
        return;
    }
    candidates_ = std::move(found.candidates);
    list_->setRowCount(static_cast<int>(candidates_.size()));
    for (int r = 0; r < list_->rowCount(); ++r) {
        const std::vector<std::string> columns = candidates_[static_cast<size_t>(r)].columns();
        for (int c = 0; c < static_cast<int>(columns.size()); ++c)
            list_->setItem(r, c, new QTableWidgetItem(text(columns[static_cast<size_t>(c)])));
    }
    list_->resizeColumnsToContents();
    list_->selectRow(0);
    list_->setFocus();
    status_->setText(QString("%1 found for %2.")
                         .arg(candidates_.size() == 1
                                  ? QString("One release")
                                  : QString("%1 releases").arg(candidates_.size()))
                         .arg(text(q->describe())));
}

void FindReleaseWindow::use() {
    const int row = list_->currentRow();
    if (busy_ || !finder_ || row < 0 || row >= static_cast<int>(candidates_.size())) return;
    const TitleRelease& candidate = candidates_[static_cast<size_t>(row)];
    waiting(true);
    ReleaseFinder::Lookup found = finder_->lookup(candidate.id);
    waiting(false);
    if (found.outcome == TitleOutcome::Cancelled) {
        status_->setText("The lookup was cancelled.");
        return;
    }
    if (found.outcome != TitleOutcome::Found) {
        tell(finder_->explain(found.outcome, found.detail, candidate.describe()));
        return;
    }
    Chosen chosen{std::move(found.release), {}, {}};
    if (withCover_->isChecked()) fetchCover(chosen);
    chosen_ = std::move(chosen);
    accept();
}

void FindReleaseWindow::fetchCover(Chosen& chosen) {
    waiting(true);
    ReleaseFinder::Cover cover = finder_->cover(chosen.release.id, chosen.release.releaseGroupId);
    waiting(false);
    if (cover.outcome == TitleOutcome::Found) {
        chosen.cover = std::move(cover.picture);
    } else {
        chosen.coverNote = finder_->explainCover(cover.outcome, cover.detail);
    }
}

}  // namespace cdz
