#include "app/songs/LookupForms.h"

namespace cdz {
namespace {

// Both forms: one entry, OK and Cancel below it; the Ditto key is Ctrl with the key left of 1
// for categories and Ctrl with the quote key for media.
FormWindowSpec oneEntryWindow(QString title, QString prompt, std::string field, std::string picture,
                              int entryWidth, QKeySequence ditto) {
    FormWindowSpec w;
    w.designTitle = std::move(title);
    w.designSize = QSize(entryWidth + 60, 52);
    w.minimumIsDesign = true;
    FormEntry entry;
    entry.prompt = std::move(prompt);
    entry.field = std::move(field);
    entry.picture = std::move(picture);
    entry.promptPlace = QRect(6, 10, 40, 10);
    entry.entryPlace = QRect(48, 8, entryWidth, 12);
    w.entries.push_back(std::move(entry));
    const int right = entryWidth + 54;
    w.okPlace = QRect(right - 92, 30, 44, 14);
    w.cancelPlace = QRect(right - 44, 30, 44, 14);
    w.dittoKey = std::move(ditto);
    return w;
}

}  // namespace

FormDeclaration LookupForms::categoryDeclaration() {
    FormDeclaration d;
    d.file = CatalogueFile::Categories;
    d.numberKey = "CAT:KeyCategoryID";
    d.numberField = "CAT:CategoryID";
    d.uniqueKeys = {{"CAT:KeyCategoryID", "CAT:KeyCategoryID"},
                    {"CAT:KeyCategory", "CAT:KeyCategory"}};
    d.insertTitle = "Add Category";
    d.changeTitle = "Change Category";
    d.section = kCategory;
    d.ditto = true;
    return d;
}

FormWindowSpec LookupForms::categoryWindow() {
    FormWindowSpec w = oneEntryWindow("Update  Orvanta Categories", "&Category:", "CAT:Category",
                                      "s30", 124, QKeySequence(Qt::CTRL | Qt::Key_QuoteLeft));
    w.okTip = "Exit window and save changes";
    w.cancelTip = "Exit windows and do not save changes";
    return w;
}

FormDeclaration LookupForms::mediaDeclaration() {
    FormDeclaration d;
    d.file = CatalogueFile::Media;
    d.uniqueKeys = {{"MED:KeyMedia", "MED:KeyMedia"}};
    d.insertTitle = "Adding Media Format";
    d.changeTitle = "Changing Media Format";
    d.section = kMedia;
    d.ditto = true;
    return d;
}

FormWindowSpec LookupForms::mediaWindow() {
    return oneEntryWindow("Update Media Format", "&Media:", "MED:Media", "s20", 84,
                          QKeySequence(Qt::CTRL | Qt::Key_Apostrophe));
}

Response LookupForms::category(AppState& state, QWidget* parent) {
    return FormWindow::run(state, categoryDeclaration(), categoryWindow(), parent);
}

Response LookupForms::media(AppState& state, QWidget* parent) {
    return FormWindow::run(state, mediaDeclaration(), mediaWindow(), parent);
}

}  // namespace cdz
