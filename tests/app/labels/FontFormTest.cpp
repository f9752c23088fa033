// The favourite fonts as the user keeps them: the font dialog's choice saved or refused as a
// duplicate, a deleted font that labels still name, the numbers new fonts take, and the
// free-form form's texts that must be numbers in range. With CDZ_SHOTS set to a folder, the
// font picker is saved there as fonts.png.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "app/labels/FontForm.h"
#include "app/labels/FontFreeformForm.h"
#include "app/labels/FontPicker.h"
#include "app/labels/LabelFontStyle.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

class FontFormTest : public ::testing::Test {
protected:
    FontFormTest() : files(cat(), {F::Labels, F::Fonts}) {}
    Catalogue& cat() { return f.state->catalogue(); }
    DataFile& fonts() { return cat().file(F::Fonts); }

    void addFont(int32_t id, const char* face, const char* size = "12") {
        fonts().clearBuffer();
        cat().font().FontID = id;
        cat().font().TypeFace = face;
        cat().font().Size = size;
        cat().font().Colour = "255";
        cat().font().Style = "700";
        ASSERT_EQ(fonts().add(), 0);
    }
    void addLabel(int32_t id, int32_t flapFont) {
        cat().file(F::Labels).clearBuffer();
        cat().label().LabelID = id;
        cat().label().LabelDescription = "Label " + std::to_string(id);
        cat().label().LabelType = "Cassette";
        cat().label().CassetteFlapFontID = flapFont;
        ASSERT_EQ(cat().file(F::Labels).add(), 0);
    }
    bool readFont(int32_t id) {
        fonts().clearBuffer();
        cat().font().FontID = id;
        return fonts().get(FontRecord::KeyFontID) == 0;
    }
    // The font form on `request`, its dialogs answered from `answers`.
    Response fontForm(Request request, std::initializer_list<const char*> answers) {
        for (const char* a : answers) f.dialogs->queue(a);
        return f.state->call(request, [&] { FontForm::run(*f.state, nullptr); });
    }
    // A new font chosen in the font dialog: its number.
    int32_t addThroughDialog(const char* answer) {
        fonts().clearBuffer();
        EXPECT_EQ(fontForm(Request::Insert, {answer}), Response::Completed);
        EXPECT_EQ(f.dialogs->shown().back().title, FontForm::kDialogTitle);
        return static_cast<int32_t>(cat().font().FontID.toInt());
    }

    StateFixture f;
    FileUse files;
};

// Choosing exactly a font already in the list is refused naming the key; the dialog opens again
// with the choice, and cancelling it leaves the list as it was.
TEST_F(FontFormTest, ChoosingAFontAlreadyInTheListIsRefused) {
    addFont(1, "Serif");
    fonts().clearBuffer();
    const Response r = fontForm(Request::Insert, {"Serif,12,255,700"});
    EXPECT_EQ(r, Response::Cancelled);
    const auto& shown = f.dialogs->shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, FontForm::kDialogTitle);
    EXPECT_EQ(shown[1].title, "Duplicate Key Error");
    EXPECT_NE(shown[1].text.find("FON:KeyTypeFace"), std::string::npos) << shown[1].text;
    EXPECT_EQ(shown[2].title, FontForm::kDialogTitle);
    EXPECT_EQ(shown[2].initial, "Serif,12,255,700");
    EXPECT_EQ(fonts().records(), 1);
}

// A font that labels use may be deleted: those labels then show the default font, and no new
// font takes its number while they name it, nor any number a label names.
TEST_F(FontFormTest, ADeletedFontsNumberIsNotGivenToANewFontWhileLabelsNameIt) {
    addFont(1, "Serif");
    addFont(2, "Sans");
    addLabel(1, 2);
    ASSERT_TRUE(readFont(2));
    EXPECT_EQ(fontForm(Request::Delete, {"OK"}), Response::Completed);
    EXPECT_EQ(f.dialogs->shown().back().title, "Confirm Delete");
    EXPECT_FALSE(readFont(2));
    const auto gone = findFont(fonts(), 2);
    EXPECT_EQ(fontDescription(gone ? &*gone : nullptr), "Default Font");

    EXPECT_EQ(addThroughDialog("Mono,10,0,400"), 3);
    addLabel(2, 9);  // a font number from a label file of elsewhere
    EXPECT_EQ(addThroughDialog("Mono,11,0,400"), 10);
    ASSERT_TRUE(readFont(10));
    EXPECT_EQ(cat().font().TypeFace.str(), "Mono");
    EXPECT_EQ(cat().font().Size.str(), "11");
    EXPECT_EQ(cat().font().Style.str(), "400");
}

// The free-form texts must be numbers in range: a bad one is refused with a message naming it
// and the stored font keeps its texts; the colour button takes the colour dialog's choice.
TEST_F(FontFormTest, FreeformTextsMustBeNumbersInRange) {
    addFont(1, "Serif");
    const struct {
        const char* field;
        const char* value;
        const char* named;
    } cases[] = {{"FON:Size", "abc", "size"},    {"FON:Size", "0", "size"},
                 {"FON:Colour", "-5", "colour"}, {"FON:Colour", "99999999", "colour"},
                 {"FON:Style", "2000", "style"}, {"FON:Style", "bold", "style"}};
    auto run = [&](const std::function<void(FormWindow&)>& inside) {
        EXPECT_TRUE(readFont(1));
        QTimer::singleShot(0, [&] {
            FormWindow* form = nullptr;
            ASSERT_TRUE(waitFor([&] {
                form = qobject_cast<FormWindow*>(QApplication::activeModalWidget());
                return form != nullptr;
            }));
            inside(*form);
        });
        return f.state->call(Request::Change, [&] { FontFreeformForm::run(*f.state, nullptr); });
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.value);
        const Response r = run([&](FormWindow& form) {
            form.findChild<QLineEdit*>(c.field)->setText(c.value);
            const size_t before = f.dialogs->shown().size();
            form.findChild<QPushButton*>("OkButton")->click();
            ASSERT_EQ(f.dialogs->shown().size(), before + 1);
            EXPECT_EQ(f.dialogs->shown().back().title, "Invalid Font");
            EXPECT_NE(f.lastMessage().find(c.named), std::string::npos) << f.lastMessage();
            form.findChild<QPushButton*>("CancelButton")->click();
        });
        EXPECT_EQ(r, Response::Cancelled);
        ASSERT_TRUE(readFont(1));
        EXPECT_EQ(cat().font().Size.str(), "12");
        EXPECT_EQ(cat().font().Colour.str(), "255");
        EXPECT_EQ(cat().font().Style.str(), "700");
    }
    const Response r = run([&](FormWindow& form) {
        f.dialogs->queue("#00FF00");
        for (QPushButton* b : form.findChildren<QPushButton*>()) {
            if (b->text() == "Select Colo&r") b->click();
        }
        EXPECT_EQ(f.dialogs->shown().back().title, FontFreeformForm::kColourTitle);
        EXPECT_EQ(form.findChild<QLineEdit*>("FON:Colour")->text(), "65280");
        form.findChild<QPushButton*>("OkButton")->click();
    });
    EXPECT_EQ(r, Response::Completed);
    ASSERT_TRUE(readFont(1));
    EXPECT_EQ(cat().font().Colour.str(), "65280");
}

// The words of both font forms as the user reads them, taken as each form shows.
TEST_F(FontFormTest, BothFormsShowTheirPromptsAndOk) {
    struct Words : QObject {
        QStringList shown;
        bool eventFilter(QObject* watched, QEvent* event) override {
            auto* form = qobject_cast<FormWindow*>(watched);
            if (!form || event->type() != QEvent::Show) return false;
            for (QLabel* prompt : form->findChildren<QLabel*>()) {
                if (prompt->buddy()) shown << prompt->text();
            }
            shown << form->findChild<QPushButton*>("OkButton")->text();
            return false;
        }
    };
    const std::pair<const char*, std::function<Response()>> forms[] = {
        {"font form", [&] { return fontForm(Request::Insert, {}); }},
        {"free-form font form", [&] {
             QTimer::singleShot(0, [] {
                 if (auto* form = qobject_cast<FormWindow*>(QApplication::activeModalWidget()))
                     form->reject();
             });
             return f.state->call(Request::Change,
                                  [&] { FontFreeformForm::run(*f.state, nullptr); });
         }}};
    addFont(1, "Serif");
    for (const auto& [name, run] : forms) {
        ASSERT_TRUE(readFont(1));
        Words words;
        qApp->installEventFilter(&words);
        EXPECT_EQ(run(), Response::Cancelled) << name;
        qApp->removeEventFilter(&words);
        EXPECT_EQ(words.shown, (QStringList{"&Type Face:", "&Size:", "&Colour:", "&Style:", "&OK"}))
            << name;
    }
}

TEST_F(FontFormTest, ThePickerListsTheFontsByTypeface) {
    addFont(1, "Serif", "12");
    addFont(2, "Mono", "10");
    addFont(3, "Sans", "14");
    FontPicker* picker = FontPicker::open(*f.state, nullptr);
    ASSERT_NE(picker, nullptr);
    picker->show();
    settle();
    EXPECT_EQ(picker->windowTitle(), "Favorite Fonts");
    ASSERT_EQ(picker->engine().page().count(), 3);
    EXPECT_EQ(std::get<std::string>(picker->engine().rowValue(1, 0)), "Mono");
    EXPECT_EQ(std::get<std::string>(picker->engine().rowValue(3, 0)), "Serif");
    if (const char* dir = std::getenv("CDZ_SHOTS")) {
        QDir().mkpath(dir);
        EXPECT_TRUE(picker->grab().toImage().save(QString(dir) + "/fonts.png", "PNG"));
    }
    picker->close();
    settle();
}

}  // namespace
}  // namespace cdz::test
