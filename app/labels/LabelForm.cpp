#include "app/labels/LabelForm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <charconv>
#include <memory>

#include "app/engine/form/FormLayout.h"
#include "app/engine/state/AppState.h"
#include "app/labels/FontPicker.h"
#include "app/labels/LabelFormView.h"
#include "app/labels/LabelPreview.h"

namespace cdz {
namespace {

using T = FormEntry::Type;
using P = LabelFormView::Page;

constexpr int kThumbnail = 1000;  // thousandths of an inch: one inch square
constexpr int64_t kMostThousandths = 1000000;

// The font picker called to pick a panel's font; the chosen font's number goes to the field.
std::function<void()> chooseFont(AppState& state, const char* fontField) {
    return [&state, fontField] {
        Catalogue& c = state.catalogue();
        if (state.call(FontPicker::kProcedure, Request::Select) != Response::Completed) return;
        c.file(CatalogueFile::Labels)
            .decl()
            .column(fontField)
            ->setInteger(&c.label(), c.font().FontID.toInt());
    };
}

// A panel's "Select Font" button and the description of its font under it.
void fontControls(FormWindowSpec& w, int tab, const char* fontField, QRect buttonAt,
                  QRect descriptionAt, AppState& state, const QString& caption = "Select Font") {
    w.panels.push_back(
        FormLayout::button(tab, buttonAt, caption, LabelFormView::buttonName(fontField),
                           chooseFont(state, fontField), "Select font for this element"));
    w.panels.push_back(FormLayout::text(tab, descriptionAt, "No Selected Font",
                                        LabelFormView::descriptionName(fontField)));
}

bool isCd(const LabelRecord& l) {
    return l.LabelType.clipped() == "CD";
}

bool otherSize(const LabelRecord& l) {
    return isCd(l) && l.ImageSize.clipped() == "Other";
}

// A whole number of thousandths above 0; anything else is never taken as a picture's size.
bool positiveThousandths(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    int64_t n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size() && n > 0 &&
           n <= kMostThousandths;
}

FieldCheck sizeCheck(AppState& state, bool height) {
    return FieldCheck::ownCheck([&state, height] {
        const LabelRecord& l = state.catalogue().label();
        if (!otherSize(l)) return true;
        const std::string value =
            height ? std::string(l.ImageSizeY.clipped()) : std::to_string(l.ImageSizeX);
        if (positiveThousandths(value)) return true;
        state.dialogs().message(
            "Picture Size",
            std::string("The picture ") + (height ? "height" : "width") + " \"" + value +
                "\" cannot be used: it must be a whole number of thousandths of an inch from 1 "
                "to " +
                std::to_string(kMostThousandths) + ".",
            MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    });
}

// "Actual" prints the picture at its own size, "Thumbnail" one inch square.
FieldCheck sizeChoice(AppState& state) {
    return FieldCheck::ownCheck([&state] {
        LabelRecord& l = state.catalogue().label();
        if (l.ImageSize.clipped() == "Actual") {
            l.ImageSizeX = 0;
            l.ImageSizeY = "0";
        } else if (l.ImageSize.clipped() == "Thumbnail") {
            l.ImageSizeX = kThumbnail;
            l.ImageSizeY = std::to_string(kThumbnail);
        }
        return true;
    });
}

void generalPage(FormWindowSpec& w, AppState& state) {
    const int g = P::General;
    w.entries.push_back(FormLayout::options(g, "&Label Type", "LAB:LabelType", {"Cassette", "CD"},
                                            QRect(6, 4, 70, 36)));
    w.entries.push_back(FormLayout::entry(g, "&Description:", "LAB:LabelDescription", "s30",
                                          QRect(82, 10, 52, 10), QRect(136, 8, 120, 12)));
    w.entries.push_back(FormLayout::entry(g, "&Spine:", "LAB:CDSpine", "S100", QRect(6, 46, 40, 10),
                                          QRect(48, 44, 200, 12)));
    fontControls(w, g, "LAB:CDSpineFontID", QRect(252, 44, 60, 12), QRect(48, 57, 200, 9), state);
    w.entries.push_back(FormLayout::entry(g, "&Title:", "LAB:CDTitle", "S100", QRect(6, 72, 40, 10),
                                          QRect(48, 70, 200, 12)));
    fontControls(w, g, "LAB:CDTitleFontID", QRect(252, 70, 60, 12), QRect(48, 83, 200, 9), state);
    w.entries.push_back(FormLayout::entry(g, "&Title:", "LAB:CassetteTitle", {},
                                          QRect(6, 46, 40, 10), QRect(48, 44, 200, 24), T::Text));
    fontControls(w, g, "LAB:CassetteTitleFontID", QRect(252, 44, 60, 12), QRect(48, 69, 200, 9),
                 state);
    w.entries.push_back(FormLayout::entry(g, "&Flap:", "LAB:CassetteFlap", {}, QRect(6, 82, 40, 10),
                                          QRect(48, 80, 200, 24), T::Text));
    fontControls(w, g, "LAB:CassetteFlapFontID", QRect(252, 80, 60, 12), QRect(48, 105, 200, 9),
                 state);
    w.entries.push_back(FormLayout::entry(g, "Image:", "LAB:ImageName", "s255",
                                          QRect(6, 120, 40, 10), QRect(48, 118, 200, 12)));
    w.panels.push_back(FormLayout::button(
        g, QRect(252, 118, 60, 12), "Select File", "SelectFileButton",
        [&state] {
            LabelRecord& l = state.catalogue().label();
            const auto path = state.dialogs().openFile(
                LabelForm::kFileDialogTitle, LabelForm::kPictureFilter, l.ImageName.clipped());
            if (path) l.ImageName = *path;
        },
        "Choose the picture printed on the label"));
    w.panels.push_back({g, QRect(48, 134, 120, 48), [](QWidget* page) -> QWidget* {
                            auto* picture = new QLabel(page);
                            picture->setObjectName("LabelPicture");
                            picture->setFrameShape(QFrame::StyledPanel);
                            picture->setAlignment(Qt::AlignCenter);
                            return picture;
                        }});
}

void coverPage(FormWindowSpec& w, AppState& state, int tab, const char* field,
               const char* fontField) {
    w.entries.push_back(FormLayout::entry(tab, {}, field, {}, {}, QRect(6, 6, 306, 140), T::Text));
    fontControls(w, tab, fontField, QRect(6, 152, 60, 12), QRect(70, 154, 240, 10), state,
                 "&Select Font");
}

void positionPage(FormWindowSpec& w, AppState& state) {
    const int p = P::Position;
    const std::vector<QString> sides = {"Left", "Center", "Right"};
    w.entries.push_back(FormLayout::options(
        p, "Spine Text Justification", "LAB:CDSpineJustification", sides, QRect(6, 4, 96, 46)));
    w.entries.push_back(FormLayout::options(
        p, "Front Cover Justification", "LAB:CDTextJustification", sides, QRect(108, 4, 96, 46)));
    w.entries.push_back(FormLayout::options(p, "Back Cover Justification",
                                            "LAB:CDBackCoverJustification", sides,
                                            QRect(210, 4, 96, 46)));
    w.panels.push_back(FormLayout::text(p, QRect(6, 56, 100, 10), "Image Position"));
    w.entries.push_back(FormLayout::entry(p, "X-Axis:", "LAB:ImagePositionX", "n-13",
                                          QRect(12, 70, 34, 10), QRect(48, 68, 60, 12)));
    w.panels.push_back(
        FormLayout::text(p, QRect(112, 70, 150, 10), "1000ths of an inch from left"));
    w.entries.push_back(FormLayout::entry(p, "Y-Axis:", "LAB:ImagePositionY", "n-13",
                                          QRect(12, 86, 34, 10), QRect(48, 84, 60, 12)));
    w.panels.push_back(FormLayout::text(p, QRect(112, 86, 150, 10), "1000ths of an inch from top"));
    FormEntry size = FormLayout::options(p, "Size", "LAB:ImageSize",
                                         {"Actual", "Thumbnail", "Other"}, QRect(6, 102, 96, 52));
    size.check = sizeChoice(state);
    w.entries.push_back(std::move(size));
    FormEntry width = FormLayout::entry(p, "Width:", "LAB:ImageSizeX", "n-13",
                                        QRect(112, 114, 32, 10), QRect(146, 112, 60, 12));
    width.check = sizeCheck(state, false);
    w.entries.push_back(std::move(width));
    FormEntry height = FormLayout::entry(p, "Height:", "LAB:ImageSizeY", "s20",
                                         QRect(112, 130, 32, 10), QRect(146, 128, 60, 12));
    height.check = sizeCheck(state, true);
    w.entries.push_back(std::move(height));
}

FormWindowSpec window(AppState& state, const std::shared_ptr<LabelFormView>& view) {
    FormWindowSpec w;
    w.designTitle = LabelForm::kTitle;
    w.designSize = QSize(330, 236);
    w.tabs = {"General", "Front Cover", "Back Cover", "Position", "Side A", "Side B"};
    w.sheetPlace = QRect(4, 4, 322, 206);
    generalPage(w, state);
    coverPage(w, state, P::FrontCover, "LAB:CDInsideText", "LAB:CDInsideTextFontID");
    coverPage(w, state, P::BackCover, "LAB:CDCoverText", "LAB:CDCoverTextFontID");
    positionPage(w, state);
    coverPage(w, state, P::SideA, "LAB:CassetteContentsA", "LAB:CassetteContentsFontID");
    coverPage(w, state, P::SideB, "LAB:CassetteContentsB", "LAB:CassetteContentsFontID");
    w.panels.push_back(
        FormLayout::text(-1, QRect(6, 214, 170, 18),
                         "A typeface named here is not on this machine: the nearest one is "
                         "shown.",
                         "FontSubstitutedNote"));
    w.buttons.push_back(
        {"Preview", "Preview the label as it stands", QRect(180, 216, 46, 14), [&state] {
             previewLabel(state, state.catalogue().label(), QApplication::activeModalWidget());
         }});
    w.okCaption = "&OK";
    w.okPlace = QRect(230, 216, 46, 14);
    w.cancelPlace = QRect(280, 216, 46, 14);
    w.beforeDisplay = [view] { view->refresh(); };
    return w;
}

// A new label is a cassette label with a one-inch picture; a copy keeps the kind, texts, fonts
// and layout of its source, and only the description, which no two labels share, is left to
// be given.
void enter(AppState& state, Request request) {
    LabelRecord& l = state.catalogue().label();
    if (request == Request::Select) {
        l.LabelDescription.clear();
        return;
    }
    if (request != Request::Insert) return;
    l.LabelType = "Cassette";
    l.LabelDescription.clear();
    l.ImageSize = "Thumbnail";
    l.ImageSizeX = kThumbnail;
    l.ImageSizeY = std::to_string(kThumbnail);
}

}  // namespace

FormDeclaration LabelForm::declaration() {
    FormDeclaration d;
    d.file = CatalogueFile::Labels;
    d.numberKey = "LAB:KeyLabelID";
    d.numberField = "LAB:LabelID";
    d.uniqueKeys = {{"LAB:KeyLabelID", "LAB:KeyLabelID"},
                    {"LAB:KeyLabelDescription", "LAB:KeyLabelDescription"}};
    d.updateFlag = Integrity::kOtherForm;
    d.insertTitle = kTitle;
    d.changeTitle = kTitle;
    d.section = kProcedure;
    d.offersCopy = true;
    d.otherFiles = {CatalogueFile::Fonts};
    return d;
}

Response LabelForm::run(AppState& state, QWidget* parent) {
    auto view = std::make_shared<LabelFormView>(state);
    FormWindow form(state, declaration(), window(state, view), parent);
    view->attach(&form);
    enter(state, state.request());
    if (form.engine().start()) {
        if (auto title = form.engine().title()) form.setWindowTitle(QString::fromStdString(*title));
        form.exec();
    }
    return form.engine().finish();
}

}  // namespace cdz
