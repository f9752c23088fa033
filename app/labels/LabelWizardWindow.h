#pragma once
// "Label Wizard": a new label made from the catalogue in steps. The first page picks the kind
// and an album or a song's file number, which writes the label's texts and listings; the next
// pages show those texts to be edited (General, then the covers of a CD or the sides of a
// cassette); Finish saves the label as the label form saves a new one, Preview shows it as it
// would print.
#include <QDialog>
#include <cstdint>
#include <utility>
#include <vector>

#include "app/domain/data/LabelRecord.h"
#include "app/engine/state/Request.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

namespace cdz {

class AppState;

class LabelWizardWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Label Wizard";

    LabelWizardWindow(AppState& state, QWidget* parent);

    // Runs the wizard modally; Completed when a label was saved.
    static Response run(AppState& state, QWidget* parent);

    // The label as the pages now hold it.
    LabelRecord label() const;

    void selectAlbum();
    void selectFileNumber();
    void next();
    void back();
    bool finish();
    void preview();

private:
    enum Page { Start, General, FrontCover, BackCover, SideA, SideB };

    QWidget* startPage();
    QWidget* generalPage();
    QWidget* memoPage(const char* caption, QPlainTextEdit** edit, int32_t LabelRecord::*font,
                      const char* fontName);
    // A panel's "Select Font" button with the description of its font beside it.
    QWidget* fontChooser(int32_t LabelRecord::*font, const char* name);
    void chooseFont(int32_t LabelRecord::*font);
    void chooseImage();
    void describeFonts();
    // The pages Back and Next visit for the kind chosen.
    std::vector<int> route() const;
    void showPage(int page);
    void showLabel();
    void kindChanged();
    bool artistFirst() const;
    void tell(const std::vector<std::string>& notices);

    AppState& state_;
    LabelRecord label_;  // what the pages do not show: numbers, fonts, picture place

    QStackedWidget* pages_ = nullptr;
    QRadioButton* cassette_ = nullptr;
    QRadioButton* cd_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLineEdit* spine_ = nullptr;
    QLineEdit* cdTitle_ = nullptr;
    QLineEdit* image_ = nullptr;
    QPlainTextEdit* cassetteTitle_ = nullptr;
    QPlainTextEdit* flap_ = nullptr;
    QPlainTextEdit* frontCover_ = nullptr;
    QPlainTextEdit* backCover_ = nullptr;
    QPlainTextEdit* sideA_ = nullptr;
    QPlainTextEdit* sideB_ = nullptr;
    std::vector<QWidget*> cdOnly_, cassetteOnly_;
    std::vector<std::pair<int32_t LabelRecord::*, QLabel*>> fontDescriptions_;
    QPushButton* backButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
};

}  // namespace cdz
