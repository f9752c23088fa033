#include "app/labels/LabelFormView.h"

#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QTabWidget>

#include "app/domain/data/Catalogue.h"
#include "app/engine/form/FormWindow.h"
#include "app/engine/state/AppState.h"
#include "app/labels/LabelFontStyle.h"

namespace cdz {
namespace {

const char* const kCdFields[] = {"LAB:CDSpine", "LAB:CDTitle"};
const char* const kCassetteFields[] = {"LAB:CassetteTitle", "LAB:CassetteFlap"};
const char* const kSizeFields[] = {"LAB:ImageSizeX", "LAB:ImageSizeY"};

}  // namespace

const std::vector<LabelFormView::Panel>& LabelFormView::panels() {
    static const std::vector<Panel> table = {
        {"LAB:CDSpineFontID", {"LAB:CDSpine"}, true},
        {"LAB:CDTitleFontID", {"LAB:CDTitle"}, true},
        {"LAB:CDInsideTextFontID", {"LAB:CDInsideText"}, true},
        {"LAB:CDCoverTextFontID", {"LAB:CDCoverText"}, true},
        {"LAB:CassetteTitleFontID", {"LAB:CassetteTitle"}, false},
        {"LAB:CassetteFlapFontID", {"LAB:CassetteFlap"}, false},
        {"LAB:CassetteContentsFontID", {"LAB:CassetteContentsA", "LAB:CassetteContentsB"}, false},
    };
    return table;
}

QString LabelFormView::buttonName(const char* fontField) {
    return QString::fromLatin1(fontField) + "Button";
}

QString LabelFormView::descriptionName(const char* fontField) {
    return QString::fromLatin1(fontField) + "Description";
}

const FontRecord* LabelFormView::fontOf(int32_t id, FontRecord* found) const {
    const auto font = findFont(state_.catalogue().file(CatalogueFile::Fonts), id);
    if (!font) return nullptr;
    *found = *font;
    return found;
}

void LabelFormView::refresh() {
    if (!form_) return;
    const bool cd = state_.catalogue().label().LabelType.clipped() == "CD";
    showKind(cd);
    showPicture();
    const bool substituted = showFonts(cd);
    show("FontSubstitutedNote", substituted);
}

// A control and the prompt whose buddy it is, or a control of the form's own by its name.
void LabelFormView::show(const QString& name, bool shown) {
    for (QWidget* w : form_->findChildren<QWidget*>(name)) {
        w->setVisible(shown);
        for (QLabel* prompt : form_->findChildren<QLabel*>()) {
            if (prompt->buddy() == w) prompt->setVisible(shown);
        }
    }
}

void LabelFormView::showKind(bool cd) {
    if (auto* sheet = form_->findChild<QTabWidget*>("Sheet")) {
        for (Page p : {FrontCover, BackCover, Position}) sheet->setTabVisible(p, cd);
        for (Page p : {SideA, SideB}) sheet->setTabVisible(p, !cd);
    }
    for (const char* f : kCdFields) show(f, cd);
    for (const char* f : kCassetteFields) show(f, !cd);
    for (const Panel& p : panels()) {
        show(buttonName(p.fontField), p.cd == cd);
        show(descriptionName(p.fontField), p.cd == cd);
    }
    const bool other = state_.catalogue().label().ImageSize.clipped() == "Other";
    for (const char* f : kSizeFields) show(f, other);
}

void LabelFormView::showPicture() {
    auto* picture = form_->findChild<QLabel*>("LabelPicture");
    if (!picture) return;
    const QString path =
        QString::fromStdString(std::string(state_.catalogue().label().ImageName.clipped()));
    picture->setVisible(!path.isEmpty());
    if (path == pictureShown_) return;
    pictureShown_ = path;
    const QPixmap pixmap(path);
    if (pixmap.isNull()) {
        picture->setPixmap({});
        picture->setText(QObject::tr("The picture cannot be read."));
    } else {
        picture->setPixmap(
            pixmap.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

// Returns whether a panel of the label's kind is shown in a substitute typeface.
bool LabelFormView::showFonts(bool cd) {
    const LabelRecord& label = state_.catalogue().label();
    const FileDecl& decl = state_.catalogue().file(CatalogueFile::Labels).decl();
    bool substituted = false;
    for (const Panel& p : panels()) {
        FontRecord found;
        const auto id = static_cast<int32_t>(decl.column(p.fontField)->integer(&label));
        const FontRecord* font = fontOf(id, &found);
        const QString description = fontDescription(font);
        for (QLabel* d : form_->findChildren<QLabel*>(descriptionName(p.fontField))) {
            d->setText(description);
        }
        for (const char* field : p.texts) {
            for (QWidget* text : form_->findChildren<QWidget*>(field)) {
                auto designed = designed_.try_emplace(text, text->font()).first->second;
                if (!font) {
                    text->setFont(designed);
                    text->setPalette({});
                    continue;
                }
                const LabelFontStyle style = labelFontStyle(*font, designed);
                text->setFont(style.font);
                QPalette palette;
                if (style.colour.isValid()) palette.setColor(QPalette::Text, style.colour);
                text->setPalette(palette);
                substituted = substituted || (style.substituted && p.cd == cd);
            }
        }
    }
    return substituted;
}

}  // namespace cdz
