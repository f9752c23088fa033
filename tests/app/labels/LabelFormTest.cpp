// The label form as the user meets it: the controls of the label's kind, font descriptions,
// the picture, a refused duplicate description, a copy that keeps its source's kind and layout,
// a typeface this machine lacks, and picture sizes that cannot be used. With CDZ_SHOTS set to a
// folder, the form of a CD and of a cassette label are saved there as labelform-cd.png and
// labelform-cassette.png.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "app/labels/FontPicker.h"
#include "app/labels/LabelFontStyle.h"
#include "app/labels/LabelForm.h"
#include "app/labels/LabelFormView.h"
#include "app/labels/LabelPreview.h"
#include "app/labels/LabelPrintSession.h"
#include "runtime/report/PreviewWindow.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

class LabelFormTest : public ::testing::Test {
protected:
    LabelFormTest() : files(cat(), {F::Labels, F::Fonts}) {}
    Catalogue& cat() { return f.state->catalogue(); }

    void addFont(int32_t id, const char* face) {
        cat().file(F::Fonts).clearBuffer();
        cat().font().FontID = id;
        cat().font().TypeFace = face;
        cat().font().Size = "14";
        cat().font().Colour = "255";
        cat().font().Style = "700";
        ASSERT_EQ(cat().file(F::Fonts).add(), 0);
    }
    // A CD label with every CD text, the given font on its spine, and a picture "Other" size.
    void addCdLabel(int32_t id, const char* description, int32_t spineFont = 0) {
        cat().file(F::Labels).clearBuffer();
        LabelRecord& l = cat().label();
        l.LabelID = id;
        l.LabelDescription = description;
        l.LabelType = "CD";
        l.CDSpine = "Harbour Lights - Evening Tide";
        l.CDTitle = "Evening Tide";
        l.CDInsideText = "1. Evening Tide\n2. Paper Lanterns";
        l.CDCoverText = "Recorded at the pier";
        l.CDSpineFontID = spineFont;
        l.CDSpineJustification = "Center";
        l.ImagePositionX = 250;
        l.ImagePositionY = 500;
        l.ImageSize = "Other";
        l.ImageSizeX = 1500;
        l.ImageSizeY = "1200";
        ASSERT_EQ(cat().file(F::Labels).add(), 0);
    }
    bool readLabel(int32_t id) {
        cat().file(F::Labels).clearBuffer();
        cat().label().LabelID = id;
        return cat().file(F::Labels).get(LabelRecord::KeyLabelID) == 0;
    }
    // Runs `inside` once the form is up, then the form itself on `request`.
    Response runForm(Request request, const std::function<void(FormWindow&)>& inside) {
        QTimer::singleShot(0, [&] {
            FormWindow* form = nullptr;
            ASSERT_TRUE(waitFor([&] {
                form = qobject_cast<FormWindow*>(QApplication::activeModalWidget());
                return form != nullptr;
            }));
            inside(*form);
        });
        return f.state->call(request, [&] { LabelForm::run(*f.state, nullptr); });
    }
    static void click(FormWindow& form, const char* name) {
        auto* b = form.findChild<QAbstractButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    static bool shown(FormWindow& form, const char* name) {
        auto* w = form.findChild<QWidget*>(name);
        return w != nullptr && !w->isHidden();
    }
    static void shot(FormWindow& form, const char* file) {
        const char* dir = std::getenv("CDZ_SHOTS");
        if (!dir) return;
        QDir().mkpath(dir);
        EXPECT_TRUE(form.grab().toImage().save(QString(dir) + "/" + file, "PNG"));
    }

    StateFixture f;
    FileUse files;
};

// Switching a CD label to a cassette hides the CD panels but keeps their texts in the record;
// fonts numbered 0 (or naming no font) are described as the default.
TEST_F(LabelFormTest, SwitchingToCassetteHidesTheCdPanelsAndKeepsTheirTexts) {
    addCdLabel(1, "Evening Tide");
    ASSERT_TRUE(readLabel(1));
    const Response r = runForm(Request::Change, [&](FormWindow& form) {
        auto* sheet = form.findChild<QTabWidget*>("Sheet");
        EXPECT_TRUE(shown(form, "LAB:CDSpine"));
        EXPECT_FALSE(shown(form, "LAB:CassetteTitle"));
        EXPECT_TRUE(sheet->isTabVisible(LabelFormView::FrontCover));
        EXPECT_FALSE(sheet->isTabVisible(LabelFormView::SideA));
        for (const auto& p : LabelFormView::panels()) {
            for (QLabel* d :
                 form.findChildren<QLabel*>(LabelFormView::descriptionName(p.fontField)))
                EXPECT_EQ(d->text(), "Default Font") << p.fontField;
        }
        shot(form, "labelform-cd.png");
        click(form, "LAB:LabelTypeOption1");  // Cassette
        EXPECT_FALSE(shown(form, "LAB:CDSpine"));
        EXPECT_TRUE(shown(form, "LAB:CassetteTitle"));
        EXPECT_FALSE(sheet->isTabVisible(LabelFormView::FrontCover));
        EXPECT_FALSE(sheet->isTabVisible(LabelFormView::Position));
        EXPECT_TRUE(sheet->isTabVisible(LabelFormView::SideB));
        form.findChild<QPlainTextEdit*>("LAB:CassetteContentsA")->setPlainText("Side one");
        shot(form, "labelform-cassette.png");
        click(form, "OkButton");
    });
    EXPECT_EQ(r, Response::Completed);
    ASSERT_TRUE(readLabel(1));
    const LabelRecord& l = cat().label();
    EXPECT_EQ(l.LabelType.str(), "Cassette");
    EXPECT_EQ(l.CassetteContentsA, "Side one");
    EXPECT_EQ(l.CDSpine.str(), "Harbour Lights - Evening Tide");
    EXPECT_EQ(l.CDTitle.str(), "Evening Tide");
    EXPECT_EQ(l.CDInsideText, "1. Evening Tide\n2. Paper Lanterns");
    EXPECT_EQ(l.CDCoverText, "Recorded at the pier");
}

// The picture control shows only while the label names a picture.
TEST_F(LabelFormTest, AnEmptyPicturePathShowsNoPicture) {
    addCdLabel(1, "Evening Tide");
    ASSERT_TRUE(readLabel(1));
    runForm(Request::Change, [&](FormWindow& form) {
        EXPECT_FALSE(shown(form, "LabelPicture"));
        f.dialogs->queue("/nowhere/cover.jpg");
        click(form, "SelectFileButton");
        EXPECT_EQ(f.dialogs->shown().back().title, LabelForm::kFileDialogTitle);
        EXPECT_TRUE(shown(form, "LabelPicture"));
        EXPECT_EQ(form.findChild<QLineEdit*>("LAB:ImageName")->text(), "/nowhere/cover.jpg");
        form.findChild<QLineEdit*>("LAB:ImageName")->setText("");
        form.findChild<QLineEdit*>("LAB:ImageName")->setModified(true);
        emit form.findChild<QLineEdit*>("LAB:ImageName")->editingFinished();
        EXPECT_FALSE(shown(form, "LabelPicture"));
        click(form, "CancelButton");
    });
}

// A new label may not take another's description: the save is refused naming the key, and
// nothing but the first label is stored.
TEST_F(LabelFormTest, ADuplicateDescriptionIsRefusedNamingItsKey) {
    addCdLabel(1, "Evening Tide");
    cat().file(F::Labels).clearBuffer();
    const Response r = runForm(Request::Insert, [&](FormWindow& form) {
        EXPECT_EQ(cat().label().LabelType.str(), "Cassette");
        EXPECT_EQ(cat().label().ImageSize.str(), "Thumbnail");
        form.findChild<QLineEdit*>("LAB:LabelDescription")->setText("Evening Tide");
        click(form, "OkButton");
        EXPECT_EQ(f.dialogs->shown().back().title, "Duplicate Key Error");
        EXPECT_NE(f.lastMessage().find("LAB:KeyLabelDescription"), std::string::npos)
            << f.lastMessage();
        click(form, "CancelButton");
    });
    EXPECT_EQ(r, Response::Cancelled);
    EXPECT_EQ(cat().file(F::Labels).records(), 1);
}

// A copy starts as the label it copies: its kind, texts, fonts and layout are not replaced by
// a new label's defaults; only the description must be given anew.
TEST_F(LabelFormTest, ACopyKeepsItsSourcesKindAndLayout) {
    addFont(3, "Serif");
    addCdLabel(1, "Evening Tide", 3);
    ASSERT_TRUE(readLabel(1));
    const Response r = runForm(Request::Select, [&](FormWindow& form) {
        EXPECT_EQ(form.findChild<QLineEdit*>("LAB:LabelDescription")->text(), "");
        form.findChild<QLineEdit*>("LAB:LabelDescription")->setText("Evening Tide (tour)");
        click(form, "OkButton");
    });
    EXPECT_EQ(r, Response::Completed);
    ASSERT_TRUE(readLabel(2));
    const LabelRecord& l = cat().label();
    EXPECT_EQ(l.LabelDescription.str(), "Evening Tide (tour)");
    EXPECT_EQ(l.LabelType.str(), "CD");
    EXPECT_EQ(l.CDSpine.str(), "Harbour Lights - Evening Tide");
    EXPECT_EQ(l.CDInsideText, "1. Evening Tide\n2. Paper Lanterns");
    EXPECT_EQ(l.CDSpineFontID, 3);
    EXPECT_EQ(l.CDSpineJustification.str(), "Center");
    EXPECT_EQ(l.ImageSize.str(), "Other");
    EXPECT_EQ(l.ImageSizeX, 1500);
    EXPECT_EQ(l.ImageSizeY.str(), "1200");
    EXPECT_EQ(l.ImagePositionX, 250);
}

// A panel whose favourite font names a typeface this machine lacks is shown in the nearest
// one, and the form says so; a known typeface needs no note.
TEST_F(LabelFormTest, ATypefaceThisMachineLacksIsNoted) {
    addFont(3, "Qzx Nowhere Grotesk");
    addCdLabel(1, "Evening Tide", 3);
    ASSERT_TRUE(readLabel(1));
    runForm(Request::Change, [&](FormWindow& form) {
        EXPECT_TRUE(shown(form, "FontSubstitutedNote"));
        auto* spine = form.findChild<QLineEdit*>("LAB:CDSpine");
        EXPECT_EQ(spine->font().pointSize(), 14);
        EXPECT_TRUE(spine->font().bold());
        EXPECT_NE(spine->font().family(), "Qzx Nowhere Grotesk");
        EXPECT_EQ(form.findChild<QLabel*>("LAB:CDSpineFontIDDescription")->text(),
                  "Qzx Nowhere Grotesk 14  Colour:  255  Style:  700");
        click(form, "CancelButton");
    });
    cat().file(F::Labels).clearBuffer();
    cat().label().LabelID = 1;
    ASSERT_EQ(cat().file(F::Labels).get(LabelRecord::KeyLabelID), 0);
    cat().label().CDSpineFontID = 0;
    runForm(Request::Change, [&](FormWindow& form) {
        EXPECT_FALSE(shown(form, "FontSubstitutedNote"));
        click(form, "CancelButton");
    });
}

// Side A's and Side B's "Select Font" both set the one font of the sides: the picked font's
// number is stored and both pages describe it.
TEST_F(LabelFormTest, SelectFontStoresThePickedFontsNumber) {
    addFont(3, "Serif");
    f.state->starter().defineRoutine(FontPicker::kProcedure, [this] {
        ASSERT_TRUE(findFont(cat().file(F::Fonts), 3).has_value());
        f.state->respond(f.state->request() == Request::Select ? Response::Completed
                                                               : Response::Cancelled);
    });
    cat().file(F::Labels).clearBuffer();
    const Response r = runForm(Request::Insert, [&](FormWindow& form) {
        form.findChild<QLineEdit*>("LAB:LabelDescription")->setText("Road Mix");
        const auto buttons = form.findChildren<QPushButton*>(
            LabelFormView::buttonName("LAB:CassetteContentsFontID"));
        ASSERT_EQ(buttons.size(), 2);
        buttons.back()->click();
        for (QLabel* d : form.findChildren<QLabel*>(
                 LabelFormView::descriptionName("LAB:CassetteContentsFontID")))
            EXPECT_EQ(d->text(), "Serif 14  Colour:  255  Style:  700");
        click(form, "OkButton");
    });
    EXPECT_EQ(r, Response::Completed);
    ASSERT_TRUE(readLabel(1));
    EXPECT_EQ(cat().label().CassetteContentsFontID, 3);
    EXPECT_EQ(cat().label().LabelDescription.str(), "Road Mix");
}

// An "Other" picture size takes only whole thousandths above 0: anything else is refused with
// a message naming it, and the stored label keeps its size.
TEST_F(LabelFormTest, APictureSizeThatIsNotAPositiveNumberIsRefused) {
    addCdLabel(1, "Evening Tide");
    const struct {
        const char* width;
        const char* height;
        const char* named;
    } cases[] = {{"1500", "0", "height"},
                 {"1500", "abc", "height"},
                 {"1500", "-40", "height"},
                 {"0", "1200", "width"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height);
        ASSERT_TRUE(readLabel(1));
        const Response r = runForm(Request::Change, [&](FormWindow& form) {
            auto set = [&](const char* field, const char* value) {
                auto* e = form.findChild<QLineEdit*>(field);
                e->setText(value);
                e->setModified(true);
            };
            set("LAB:ImageSizeX", c.width);
            set("LAB:ImageSizeY", c.height);
            const size_t before = f.dialogs->shown().size();
            click(form, "OkButton");
            ASSERT_EQ(f.dialogs->shown().size(), before + 1);
            EXPECT_EQ(f.dialogs->shown().back().title, "Picture Size");
            EXPECT_NE(f.lastMessage().find(c.named), std::string::npos) << f.lastMessage();
            click(form, "CancelButton");
        });
        EXPECT_EQ(r, Response::Cancelled);
        ASSERT_TRUE(readLabel(1));
        EXPECT_EQ(cat().label().ImageSizeX, 1500);
        EXPECT_EQ(cat().label().ImageSizeY.str(), "1200");
    }
}

// The form's preview and the browse's printout previewed both show the report preview by its
// own title; the label's title is the print job's.
TEST_F(LabelFormTest, LabelPreviewsAreTitledAsTheReportPreview) {
    addCdLabel(1, "Evening Tide");
    ASSERT_TRUE(readLabel(1));
    const std::pair<const char*, std::function<void()>> previews[] = {
        {"form", [&] { previewLabel(*f.state, cat().label(), nullptr); }},
        {"browse",
         [&] {
             f.dialogs->queue(Button::Yes);
             LabelPrintSession::start(*f.state, nullptr);
         }},
    };
    for (const auto& [from, preview] : previews) {
        QString title;
        QTimer::singleShot(0, [&] {
            PreviewWindow* window = nullptr;
            ASSERT_TRUE(waitFor([&] {
                window = qobject_cast<PreviewWindow*>(QApplication::activeModalWidget());
                return window != nullptr;
            }));
            title = window->windowTitle();
            window->close();
        });
        preview();
        EXPECT_EQ(title, "Report Preview") << from;
    }
}

}  // namespace
}  // namespace cdz::test
