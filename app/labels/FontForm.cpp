#include "app/labels/FontForm.h"

#include "app/engine/state/AppState.h"
#include "app/labels/FontNumbering.h"
#include "app/labels/LabelFontStyle.h"
#include "runtime/ui/FontChoice.h"

namespace cdz {
namespace {

FormEntry text(int row, const char* prompt, const char* field) {
    FormEntry e;
    e.prompt = prompt;
    e.field = field;
    e.picture = row == 0 ? "s32" : "S32";
    e.promptPlace = QRect(6, 8 + row * 16, 46, 10);
    e.entryPlace = QRect(54, 6 + row * 16, 130, 12);
    return e;
}

FormWindowSpec window(AppState& state, const FormEngine* const* engine) {
    FormWindowSpec w;
    w.designTitle = FontForm::kTitle;
    w.designSize = QSize(190, 90);
    w.entries = {text(0, "&Type Face:", "FON:TypeFace"), text(1, "&Size:", "FON:Size"),
                 text(2, "&Colour:", "FON:Colour"), text(3, "&Style:", "FON:Style")};
    w.entries[0].check = FontForm::numbering(state, engine);
    w.okCaption = "&OK";
    w.okPlace = QRect(88, 72, 46, 14);
    w.cancelPlace = QRect(138, 72, 46, 14);
    return w;
}

}  // namespace

FontChoice FontForm::preset(const FontRecord& f) {
    const LabelFontStyle style = labelFontStyle(f, QFont());
    FontChoice preset = FontChoice::fromQFont(style.font, Colour::fromQColor(style.colour));
    if (!f.TypeFace.empty()) preset.typeface = std::string(f.TypeFace.clipped());
    return preset;
}

void FontForm::take(FontRecord& f, const FontChoice& chosen) {
    const FontRecord texts = fontTextsOf(chosen.toQFont(QFont()), chosen.colour.toQColor());
    f.TypeFace = texts.TypeFace;
    f.Size = chosen.size > 0 ? texts.Size : Text<32>();
    f.Colour = texts.Colour;
    f.Style = texts.Style;
}

FormDeclaration FontForm::declaration(const char* section, const char* title) {
    FormDeclaration d;
    d.file = CatalogueFile::Fonts;
    // Numbered as it is saved, above the numbers labels still name (FontNumbering.h).
    d.uniqueKeys = {{"FON:KeyFontID", "FON:KeyFontID"}, {"FON:KeyTypeFace", "FON:KeyTypeFace"}};
    d.updateFlag = Integrity::kOtherForm;
    d.insertTitle = title;
    d.changeTitle = title;
    d.section = section;
    d.otherFiles = {CatalogueFile::Labels};
    return d;
}

FieldCheck FontForm::numbering(AppState& state, const FormEngine* const* engine) {
    return FieldCheck::ownCheck([&state, engine] {
        if (*engine == nullptr || (*engine)->request() != Request::Insert) return true;
        int32_t next = 0;
        if (nextFontNumber(state.catalogue(), &next) != 0) {
            state.warning()(Warning::RecordRetrievalError, "Labels");
            return false;
        }
        state.catalogue().font().FontID = next;
        return true;
    });
}

Response FontForm::run(AppState& state, QWidget* parent) {
    const FormEngine* engine = nullptr;
    FormWindow form(state, declaration(kProcedure, kTitle), window(state, &engine), parent);
    engine = &form.engine();
    if (!form.engine().start()) return form.engine().finish();
    const Request request = form.engine().request();
    if (request != Request::Insert && request != Request::Change) {
        form.exec();
        return form.engine().finish();
    }
    // The form stands behind the dialog, showing the texts each choice gives.
    form.show();
    FontRecord& font = state.catalogue().font();
    for (;;) {
        // The choice goes into the form's record in one turn of the form, with the save.
        FormEngine::Turn turn(form.engine());
        const auto chosen = state.dialogs().font(kDialogTitle, preset(font));
        if (!chosen) {
            form.reject();
            break;
        }
        take(font, *chosen);
        form.display();
        form.accept();
        if (form.result() == QDialog::Accepted) break;
    }
    form.close();
    return form.engine().finish();
}

}  // namespace cdz
