#include "app/labels/LabelWizardWindow.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/labels/FontPicker.h"
#include "app/labels/LabelFontStyle.h"
#include "app/labels/LabelForm.h"
#include "app/labels/LabelPreview.h"
#include "app/labels/LabelSheet.h"
#include "app/labels/LabelWizardSave.h"
#include "app/labels/LabelWizardSongs.h"
#include "app/labels/LabelWizardText.h"

namespace cdz {
namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string text(const QLineEdit* e) {
    return e->text().toStdString();
}

// Memos keep the files' line ends.
std::string memo(const QPlainTextEdit* e) {
    return e->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n")).toStdString();
}

void setMemo(QPlainTextEdit* e, const std::string& value) {
    e->setPlainText(qs(value).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

// Runs a picker over the wizard; true when the user chose a record.
bool pick(AppState& state, const char* picker) {
    return state.call(picker, Request::Select) == Response::Completed;
}

}  // namespace

LabelWizardWindow::LabelWizardWindow(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(kTitle);
    setWindowTitle(kTitle);
    LabelWizardSave::startNew(label_);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(startPage());
    pages_->addWidget(generalPage());
    pages_->addWidget(memoPage("What should be on the front cover of the CD?", &frontCover_,
                               &LabelRecord::CDInsideTextFontID, "CDInsideTextFontID"));
    pages_->addWidget(memoPage("What should be on the back cover of the CD?", &backCover_,
                               &LabelRecord::CDCoverTextFontID, "CDCoverTextFontID"));
    // One font for both sides.
    pages_->addWidget(memoPage("What are the songs on Side A of the cassette?", &sideA_,
                               &LabelRecord::CassetteContentsFontID, "CassetteContentsFontID"));
    pages_->addWidget(memoPage("What are the songs on Side B of the cassette?", &sideB_,
                               &LabelRecord::CassetteContentsFontID, "CassetteContentsFontID"));

    backButton_ = new QPushButton(tr("&Back"), this);
    nextButton_ = new QPushButton(tr("&Next"), this);
    auto* finishButton = new QPushButton(tr("&Finish"), this);
    auto* previewButton = new QPushButton(tr("Preview"), this);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    connect(backButton_, &QPushButton::clicked, this, &LabelWizardWindow::back);
    connect(nextButton_, &QPushButton::clicked, this, &LabelWizardWindow::next);
    connect(finishButton, &QPushButton::clicked, this, [this] {
        if (finish()) accept();
    });
    connect(previewButton, &QPushButton::clicked, this, &LabelWizardWindow::preview);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {backButton_, nextButton_, finishButton, previewButton, cancelButton})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    showLabel();
    showPage(Start);
}

Response LabelWizardWindow::run(AppState& state, QWidget* parent) {
    LabelWizardWindow window(state, parent);
    return window.exec() == QDialog::Accepted ? Response::Completed : Response::Cancelled;
}

QWidget* LabelWizardWindow::startPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        new QLabel(tr("This option will allow you to take information in your Orvanta database")));
    layout->addWidget(
        new QLabel(tr("and print it in the form of cassette or compact disc labels.")));
    layout->addWidget(new QLabel(tr("Step 1:  Select a label type")));
    auto* kinds = new QHBoxLayout;
    auto* kindLabel = new QLabel(tr("&Label Type"));
    kinds->addWidget(kindLabel);
    cassette_ = new QRadioButton(tr("Cassette"));
    cd_ = new QRadioButton(tr("CD"));
    kindLabel->setBuddy(cassette_);
    auto* group = new QButtonGroup(page);
    group->addButton(cassette_);
    group->addButton(cd_);
    kinds->addWidget(cassette_);
    kinds->addWidget(cd_);
    kinds->addStretch();
    layout->addLayout(kinds);
    connect(cd_, &QRadioButton::toggled, this, &LabelWizardWindow::kindChanged);
    layout->addWidget(new QLabel(tr("Step 2:  Select information using either an")));
    layout->addWidget(new QLabel(tr("Album Title or File Number")));
    auto* select = new QHBoxLayout;
    auto* album = new QPushButton(tr("&Select Album"));
    auto* fileNumber = new QPushButton(tr("&Select File Number"));
    album->setObjectName("SelectAlbum");
    fileNumber->setObjectName("SelectFileNumber");
    connect(album, &QPushButton::clicked, this, &LabelWizardWindow::selectAlbum);
    connect(fileNumber, &QPushButton::clicked, this, &LabelWizardWindow::selectFileNumber);
    select->addWidget(album);
    select->addWidget(fileNumber);
    select->addStretch();
    layout->addLayout(select);
    layout->addStretch();
    return page;
}

QWidget* LabelWizardWindow::generalPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(tr("Enter the basic information for this label:")));
    auto* form = new QFormLayout;
    description_ = new QLineEdit;
    description_->setMaxLength(30);
    spine_ = new QLineEdit;
    spine_->setMaxLength(100);
    cdTitle_ = new QLineEdit;
    cdTitle_->setMaxLength(100);
    image_ = new QLineEdit;
    image_->setMaxLength(255);
    cassetteTitle_ = new QPlainTextEdit;
    flap_ = new QPlainTextEdit;
    form->addRow(tr("&Description:"), description_);
    auto row = [&](const QString& caption, QWidget* field, std::vector<QWidget*>& kind,
                   QWidget* beside) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        auto* both = new QWidget;
        auto* line = new QHBoxLayout(both);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(field, 1);
        line->addWidget(beside);
        form->addRow(label, both);
        kind.push_back(label);
        kind.push_back(both);
    };
    auto* selectFile = new QPushButton(tr("Select File"));
    selectFile->setObjectName("SelectFile");
    connect(selectFile, &QPushButton::clicked, this, &LabelWizardWindow::chooseImage);
    row(tr("&Spine:"), spine_, cdOnly_, fontChooser(&LabelRecord::CDSpineFontID, "CDSpineFontID"));
    row(tr("&Title:"), cdTitle_, cdOnly_,
        fontChooser(&LabelRecord::CDTitleFontID, "CDTitleFontID"));
    row(tr("Image:"), image_, cdOnly_, selectFile);
    row(tr("&Title:"), cassetteTitle_, cassetteOnly_,
        fontChooser(&LabelRecord::CassetteTitleFontID, "CassetteTitleFontID"));
    row(tr("&Flap:"), flap_, cassetteOnly_,
        fontChooser(&LabelRecord::CassetteFlapFontID, "CassetteFlapFontID"));
    layout->addLayout(form);
    return page;
}

QWidget* LabelWizardWindow::memoPage(const char* caption, QPlainTextEdit** edit,
                                     int32_t LabelRecord::*font, const char* fontName) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(tr(caption)));
    *edit = new QPlainTextEdit;
    layout->addWidget(*edit);
    layout->addWidget(fontChooser(font, fontName));
    return page;
}

QWidget* LabelWizardWindow::fontChooser(int32_t LabelRecord::*font, const char* name) {
    auto* chooser = new QWidget;
    auto* line = new QHBoxLayout(chooser);
    line->setContentsMargins(0, 0, 0, 0);
    auto* button = new QPushButton(tr("Select Font"));
    button->setObjectName(QString("SelectFont:") + name);
    button->setToolTip(tr("Select font for this element"));
    button->setAutoDefault(false);
    auto* description = new QLabel;
    line->addWidget(button);
    line->addWidget(description, 1);
    fontDescriptions_.emplace_back(font, description);
    connect(button, &QPushButton::clicked, this, [this, font] { chooseFont(font); });
    return chooser;
}

void LabelWizardWindow::chooseFont(int32_t LabelRecord::*font) {
    label_ = label();
    if (!pick(state_, FontPicker::kProcedure)) return;
    label_.*font = static_cast<int32_t>(state_.catalogue().font().FontID.toInt());
    describeFonts();
}

void LabelWizardWindow::chooseImage() {
    if (auto chosen = state_.dialogs().openFile(LabelForm::kFileDialogTitle,
                                                LabelForm::kPictureFilter, text(image_))) {
        image_->setText(qs(*chosen));
    }
}

void LabelWizardWindow::describeFonts() {
    FileUse files(state_.catalogue(), {CatalogueFile::Fonts});
    for (const auto& [font, description] : fontDescriptions_) {
        const int32_t id = label_.*font;
        const auto found = id != 0 && files.ok()
                               ? findFont(state_.catalogue().file(CatalogueFile::Fonts), id)
                               : std::nullopt;
        description->setText(fontDescription(found ? &*found : nullptr));
    }
}

std::vector<int> LabelWizardWindow::route() const {
    if (cd_->isChecked()) return {Start, General, FrontCover, BackCover};
    return {Start, General, SideA, SideB};
}

void LabelWizardWindow::showPage(int page) {
    pages_->setCurrentIndex(page);
    const std::vector<int> pages = route();
    backButton_->setEnabled(page != pages.front());
    nextButton_->setEnabled(page != pages.back());
}

void LabelWizardWindow::next() {
    const std::vector<int> pages = route();
    auto at = std::find(pages.begin(), pages.end(), pages_->currentIndex());
    if (at != pages.end() && at + 1 != pages.end()) showPage(*(at + 1));
}

void LabelWizardWindow::back() {
    const std::vector<int> pages = route();
    auto at = std::find(pages.begin(), pages.end(), pages_->currentIndex());
    if (at != pages.end() && at != pages.begin()) showPage(*(at - 1));
}

void LabelWizardWindow::kindChanged() {
    const bool cd = cd_->isChecked();
    for (QWidget* w : cdOnly_) w->setVisible(cd);
    for (QWidget* w : cassetteOnly_) w->setVisible(!cd);
    // A page of the other kind is not on this kind's way.
    const std::vector<int> pages = route();
    if (std::find(pages.begin(), pages.end(), pages_->currentIndex()) == pages.end())
        showPage(General);
    else
        showPage(pages_->currentIndex());
}

LabelRecord LabelWizardWindow::label() const {
    LabelRecord l = label_;
    l.LabelType = cd_->isChecked() ? "CD" : "Cassette";
    l.LabelDescription = text(description_);
    l.CDSpine = text(spine_);
    l.CDTitle = text(cdTitle_);
    l.ImageName = text(image_);
    l.CassetteTitle = memo(cassetteTitle_);
    l.CassetteFlap = memo(flap_);
    l.CDInsideText = memo(frontCover_);
    l.CDCoverText = memo(backCover_);
    l.CassetteContentsA = memo(sideA_);
    l.CassetteContentsB = memo(sideB_);
    return l;
}

void LabelWizardWindow::showLabel() {
    const bool cd = !LabelSheet::isCassette(label_);
    cd_->setChecked(cd);
    cassette_->setChecked(!cd);
    description_->setText(qs(label_.LabelDescription.clipped()));
    spine_->setText(qs(label_.CDSpine.clipped()));
    cdTitle_->setText(qs(label_.CDTitle.clipped()));
    image_->setText(qs(label_.ImageName.clipped()));
    setMemo(cassetteTitle_, label_.CassetteTitle);
    setMemo(flap_, label_.CassetteFlap);
    setMemo(frontCover_, label_.CDInsideText);
    setMemo(backCover_, label_.CDCoverText);
    setMemo(sideA_, label_.CassetteContentsA);
    setMemo(sideB_, label_.CassetteContentsB);
    describeFonts();
    kindChanged();
}

bool LabelWizardWindow::artistFirst() const {
    const std::string& order = state_.settings().labelArtistTitleOrder;
    return !order.empty() && (order[0] == 'A' || order[0] == 'a');
}

void LabelWizardWindow::tell(const std::vector<std::string>& notices) {
    std::string message = LabelWizardText::kUpdated;
    for (const std::string& n : notices) message += "| |" + n;
    state_.dialogs().message(LabelWizardText::kUpdatedTitle, message, MessageIcon::None, Button::Ok,
                             Button::Ok);
}

void LabelWizardWindow::selectAlbum() {
    label_ = label();
    if (!pick(state_, proc::kSelectAlbum)) return;
    const AlbumRecord album = state_.catalogue().album();
    const bool first = artistFirst();
    LabelWizardText::fromAlbum(label_, album, first);
    const LabelWizardGathering got = LabelWizardSongs::ofAlbum(
        state_.catalogue(), album.AlbumID, LabelWizardText::isVarious(album.Artist.view()), first);
    showLabel();
    if (got.songs.empty()) return;
    std::vector<std::string> notices =
        LabelWizardText::listings(label_, got.songs, state_.settings().delimiter);
    if (got.leftOut)
        notices.insert(notices.begin(),
                       "The album has more than 50 songs: the label lists the "
                       "first 50.");
    label_.ImageName = album.AssociatedImage.clipped();
    showLabel();
    tell(notices);
}

void LabelWizardWindow::selectFileNumber() {
    label_ = label();
    if (!pick(state_, proc::kSelectFileNumber)) return;
    const SongRecord song = state_.catalogue().song();
    const bool first = artistFirst();
    LabelWizardText::fromSong(label_, song, first);
    const LabelWizardGathering got = LabelWizardSongs::ofSong(state_.catalogue(), song, first);
    showLabel();
    if (got.songs.empty()) return;
    std::vector<std::string> notices =
        LabelWizardText::listings(label_, got.songs, state_.settings().delimiter);
    if (got.leftOut)
        notices.insert(notices.begin(),
                       "The tape has more than 50 songs: the label lists the "
                       "first 50.");
    showLabel();
    tell(notices);
}

bool LabelWizardWindow::finish() {
    return LabelWizardSave::add(state_, label()) != 0;
}

void LabelWizardWindow::preview() {
    previewLabel(state_, label(), this);
}

}  // namespace cdz
