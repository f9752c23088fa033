#include "app/shell/settings/PreferencesWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/domain/settings/DateFormatChoices.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/AppIcons.h"
#include "app/shell/settings/PreferencesApply.h"
#include "runtime/text/Text.h"

namespace cdz {

namespace {

constexpr const char* kAddModes[] = {"Normal", "Compilation", "Single Artist", "Ask Each Time"};
constexpr const char* kLabelOrders[] = {"Artist - Title", "Title - Artist"};

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

QLineEdit* lineEdit(const char* name, const std::string& value, int length) {
    auto* edit = new QLineEdit(QString::fromStdString(value));
    edit->setObjectName(name);
    edit->setMaxLength(length);
    return edit;
}

// A group of option buttons; the one whose caption's first letter the stored text starts with
// is checked, else `fallback`.
QGroupBox* options(const char* title, const char* const* captions, int count,
                   const std::string& stored, int fallback, QButtonGroup** group, QWidget* owner) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    *group = new QButtonGroup(owner);
    int checked = fallback;
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(captions[i]);
        layout->addWidget(button);
        (*group)->addButton(button, i);
        if (!stored.empty() && stored.front() == captions[i][0]) checked = i;
    }
    (*group)->button(checked)->setChecked(true);
    return box;
}

QWidget* page(QLayout* layout) {
    auto* w = new QWidget;
    w->setLayout(layout);
    return w;
}

}  // namespace

PreferencesWindow::PreferencesWindow(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state), opened_(state.settings()) {
    setObjectName(proc::kPreferences);
    setWindowTitle("Preferences");
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    // The start-up browses as the file holds them now, whatever the program read at its start.
    const Settings inFile = Settings::read(state.settingsFile());
    opened_.suAlbums = inFile.suAlbums;
    opened_.suSongs = inFile.suSongs;
    opened_.suPlaylists = inFile.suPlaylists;
    opened_.suLabels = inFile.suLabels;

    auto* tabs = new QTabWidget;
    tabs->setObjectName("Sheet");
    // Every page's tab in view: the window is as wide as they need.
    tabs->setUsesScrollButtons(false);
    tabs->addTab(generalPage(), "General");
    tabs->addTab(startUpPage(), "Start Up");
    tabs->addTab(addingPage(), "Adding");
    tabs->addTab(labelsPage(), "Labels");
    tabs->addTab(housekeepingPage(), "Housekeeping");
    tabs->addTab(logoPage(), "Report Logo");
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

QWidget* PreferencesWindow::generalPage() {
    dateFormat_ = new QComboBox;
    dateFormat_->setObjectName("DateFormat");
    for (const DateFormatChoice& c : dateFormatChoices()) dateFormat_->addItem(text(c.caption));
    dateFormat_->setCurrentIndex(dateFormatIndex(opened_.dateFormat));
    // The caption is kept at the length its setting holds.
    udkPrompt_ = lineEdit("UdkPrompt", opened_.udkPrompt, 24);
    notesLabel_ = lineEdit("NotesLabel", opened_.notesLabel, 20);
    auto* form = new QFormLayout;
    form->addRow("Date Format:", dateFormat_);
    form->addRow("Label for \"User Defined Key Field\":", udkPrompt_);
    form->addRow("Label to Use for Notes Field (on DJ Log):", notesLabel_);
    return page(form);
}

QWidget* PreferencesWindow::startUpPage() {
    auto check = [](const char* caption, const char* name, int on) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(name);
        box->setChecked(on != 0);
        return box;
    };
    startAlbums_ = check("Show Albums at Startup", "StartAlbums", opened_.suAlbums);
    startSongs_ = check("Show Songs at Startup", "StartSongs", opened_.suSongs);
    startLabels_ = check("Show Labels at Startup", "StartLabels", opened_.suLabels);
    startPlaylists_ = check("Show Playlists at Startup", "StartPlaylists", opened_.suPlaylists);
    auto* layout = new QVBoxLayout;
    for (QWidget* w : {startAlbums_, startSongs_, startLabels_, startPlaylists_})
        layout->addWidget(w);
    layout->addStretch();
    return page(layout);
}

QWidget* PreferencesWindow::addingPage() {
    auto* layout = new QVBoxLayout;
    // The default "1" starts with no caption's letter: it adds as Normal does.
    layout->addWidget(options("Add Mode", kAddModes, 4, opened_.addMode, 0, &addMode_, this));
    autoAdd_ = new QCheckBox("Automatically Add Album Information to Album Database");
    autoAdd_->setObjectName("AutoAdd");
    autoAdd_->setChecked(!clip(opened_.autoAddToAlbums).empty());
    layout->addWidget(autoAdd_);
    layout->addStretch();
    return page(layout);
}

QWidget* PreferencesWindow::labelsPage() {
    auto* layout = new QVBoxLayout;
    // Artist first only when the setting starts with its "A".
    layout->addWidget(options("Label Wizard Order", kLabelOrders, 2, opened_.labelArtistTitleOrder,
                              1, &labelOrder_, this));
    delimiter_ = lineEdit("Delimiter", opened_.delimiter, 1);
    auto* form = new QFormLayout;
    form->addRow("Track #/Song Delimiter", delimiter_);
    layout->addLayout(form);
    layout->addStretch();
    return page(layout);
}

QWidget* PreferencesWindow::housekeepingPage() {
    auto* layout = new QVBoxLayout;
    auto* create = new QPushButton("Create Album Database from Cadenzio Database");
    create->setObjectName("CreateAlbums");
    auto* test = new QPushButton("Test Album Database Link Integrity");
    test->setObjectName("TestLinks");
    connect(create, &QPushButton::clicked, this,
            [this] { housekeeping(kCreateAlbumsQuestion, proc::kCopyToAlbum); });
    connect(test, &QPushButton::clicked, this,
            [this] { housekeeping(kTestLinksQuestion, proc::kTestAlbumIds); });
    layout->addWidget(create);
    layout->addWidget(test);
    layout->addStretch();
    return page(layout);
}

QWidget* PreferencesWindow::logoPage() {
    logo_ = lineEdit("Logo", opened_.logo, 255);
    auto* browse = new QPushButton("&Browse");
    browse->setObjectName("BrowseLogo");
    connect(browse, &QPushButton::clicked, this, [this] {
        // Pictures of any name, with or without an extension.
        if (auto chosen = state_.dialogs().openFile("Choose a File", "All Files|*",
                                                    logo_->text().toStdString())) {
            logo_->setText(QString::fromStdString(*chosen));
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Company Logo:"));
    row->addWidget(logo_, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout;
    layout->addLayout(row);
    layout->addStretch();
    return page(layout);
}

void PreferencesWindow::housekeeping(std::string_view question, const char* procedure) {
    if (state_.dialogs().message(kHousekeepingTitle, question, MessageIcon::Question,
                                 Button::Yes | Button::No, Button::No) == Button::Yes) {
        state_.starter().run(procedure);
    }
}

Settings PreferencesWindow::edited() const {
    Settings s = opened_;
    s.dateFormat =
        std::string(dateFormatChoices()[static_cast<size_t>(dateFormat_->currentIndex())].picture);
    s.udkPrompt = udkPrompt_->text().toStdString();
    s.notesLabel = notesLabel_->text().toStdString();
    s.suAlbums = startAlbums_->isChecked() ? 1 : 0;
    s.suSongs = startSongs_->isChecked() ? 1 : 0;
    s.suLabels = startLabels_->isChecked() ? 1 : 0;
    s.suPlaylists = startPlaylists_->isChecked() ? 1 : 0;
    s.addMode = kAddModes[addMode_->checkedId()];
    s.autoAddToAlbums = autoAdd_->isChecked() ? "1" : "";
    s.labelArtistTitleOrder = kLabelOrders[labelOrder_->checkedId()];
    s.delimiter = delimiter_->text().toStdString();
    s.logo = logo_->text().toStdString();
    return s;
}

void PreferencesWindow::accept() {
    PreferencesApply(state_).ok(edited(), opened_.dateFormat);
    QDialog::accept();
}

void PreferencesWindow::reject() {
    PreferencesApply(state_).cancel();
    QDialog::reject();
}

}  // namespace cdz
