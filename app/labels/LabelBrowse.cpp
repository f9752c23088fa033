#include "app/labels/LabelBrowse.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

#include "app/domain/data/Catalogue.h"
#include "app/engine/resize/WindowButton.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/AppIcons.h"
#include "app/labels/LabelForm.h"

namespace cdz {
namespace {

constexpr int kDesignWidth = 340;
constexpr int kDesignHeight = 190;
constexpr int kLeastWidth = 220;
constexpr int kLeastHeight = 110;

}  // namespace

LabelBrowse* LabelBrowse::open(AppState& state, QWidget* parent) {
    auto files = std::make_unique<FileUse>(
        state.catalogue(), std::initializer_list<CatalogueFile>{CatalogueFile::Labels});
    if (!files->ok()) return nullptr;
    BrowseWindowSpec spec;
    spec.procedure = kProcedure;
    spec.title = "Browse Labels";
    spec.listName = "?Browse:1";
    spec.designFormat =
        "120L(2)|M~Label Description~@s30@40L(2)|M~Label Type~@s9@"
        "120L(2)|M~Cassette Title~@s255@120L(2)|M~CD Title~@s60@";
    spec.tabs = {"By Description", "By Type"};
    spec.formProcedure = LabelForm::kProcedure;
    spec.insertCaption = "&Add";
    spec.insertTip = "Add a blank label";
    spec.changeTip = "Modify the highlighted label";
    spec.deleteTip = "Delete the highlighted label";
    spec.closeCaption = "Cl&ose";
    spec.closeIcon = "EXIT.ICO";
    spec.designSize = {kDesignWidth, kDesignHeight};

    BrowseDeclaration d;
    d.file = &state.catalogue().file(CatalogueFile::Labels);
    d.sorts = {
        {"LAB:KeyLabelDescription", false, {}, LocatorKind::Step, ThumbKind::Text, 30, 0},
        {"LAB:KeyLabelType", false, {}, LocatorKind::Step, ThumbKind::Text, 9, 0},
    };
    d.rowFields = {"LAB:LabelDescription", "LAB:LabelType", "LAB:CassetteTitle", "LAB:CDTitle",
                   "LAB:LabelID"};
    d.popupItems = {"&Add", "&Change", "&Delete"};
    d.hasSelectButton = false;
    return new LabelBrowse(state, std::move(spec), std::move(d), std::move(files), parent);
}

LabelBrowse::LabelBrowse(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                         std::unique_ptr<FileUse> files, QWidget* parent)
    : BrowseWindow(state, std::move(spec), std::move(declaration), std::move(files), parent) {
    wizard_ = makeWindowButton(this, "Wi&zard", "Make a label from an album", "WizardButton");
    wizard_->setIcon(AppIcons::icon("NOTEPAGE.ICO"));
    copy_ = makeWindowButton(this, "Cop&y", "Copy label", "CopyButton");
    print_ = makeWindowButton(this, "&Print", "Print the highlighted label", "PrintButton");
    connect(wizard_, &QPushButton::clicked, this, &LabelBrowse::runWizard);
    connect(copy_, &QPushButton::clicked, this, &LabelBrowse::copyLabel);
    connect(print_, &QPushButton::clicked, this, &LabelBrowse::printLabel);
    connect(&sortTabs(), &QTabBar::currentChanged, this, [this] { sync(); });
    relayout();
    setMinimumSize(unitsX(kLeastWidth), unitsY(kLeastHeight));
}

void LabelBrowse::placeControls() {
    BrowseWindow::placeControls();
    if (!print_) return;  // the base places its own controls before this browse adds more
    auto x = [this](int du) { return unitsX(du); };
    auto y = [this](int du) { return unitsY(du); };
    const int w = kDesignWidth, h = kDesignHeight;
    sortTabs().setGeometry(x(4), y(4), x(w - 8), y(12));
    list().setGeometry(x(4), y(16), x(w - 8 - 10), y(h - 16 - 40));
    thumbBar().setGeometry(x(w - 14), y(16), x(10), y(h - 16 - 40));
    const int y1 = h - 36, y2 = h - 20;
    int bx = 4;
    for (QPushButton* b : {&insertButton(), copy_, &changeButton(), &deleteButton()}) {
        b->setGeometry(x(bx), y(y1), x(44), y(14));
        bx += 46;
    }
    wizard_->setGeometry(x(4), y(y2), x(56), y(14));
    print_->setGeometry(x(62), y(y2), x(44), y(14));
    closeButton().setGeometry(x(w - 48), y(y2), x(44), y(14));
}

void LabelBrowse::afterSync() {
    const bool rows = engine().canChange();
    copy_->setEnabled(rows);
    print_->setEnabled(rows);
}

std::vector<PopupButton> LabelBrowse::popupExtras() const {
    return {{copy_->text().toStdString(), copy_->isEnabled(), true}};
}

void LabelBrowse::pressExtra(int index) {
    if (index == 0 && copy_->isEnabled()) copy_->click();
}

// The form takes a select request as "insert a copy of the label in the buffer": the copy keeps
// the highlighted label's kind, texts, fonts and layout.
void LabelBrowse::copyLabel() {
    engine().copy(Request::Select);
    sync();
    list().setFocus();
}

// The printout reads the whole highlighted label, its memos too, from the label buffer.
void LabelBrowse::printLabel() {
    engine().refresh();
    if (!engine().canChange()) return;
    DataFile& labels = state_.catalogue().file(CatalogueFile::Labels);
    if (labels.get(LabelRecord::KeyLabelID) != 0) {
        state_.warning()(Warning::RecordRetrievalError, labels.decl().label());
        return;
    }
    const bool cassette = state_.catalogue().label().LabelType.clipped() == "Cassette";
    state_.starter().start(cassette ? kPrintCassette : kPrintCd);
    engine().forceRefresh();
    engine().refresh();
    sync();
}

// The wizard makes a new label; the one it made is highlighted when it returns.
void LabelBrowse::runWizard() {
    runAdding(proc::kLabelWizard, Request::Insert);
}

}  // namespace cdz
