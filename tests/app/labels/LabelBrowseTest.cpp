// The label browse: Print starts the printout of the highlighted label's kind with the whole
// label (memos too) in the label buffer, the wizard is asked for a new label, and the popup
// offers Copy after the standard items; and the program itself opens it.
#include <QContextMenuEvent>
#include <QPushButton>
#include <QThread>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/labels/LabelBrowse.h"
#include "tests/app/shell/startup/AppProcess.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

TEST(LabelBrowse, PrintStartsThePrintoutOfTheHighlightedLabelsKind) {
    StateFixture f;
    Catalogue& c = f.state->catalogue();
    {
        FileUse files(c, {CatalogueFile::Labels});
        const struct {
            int32_t id;
            const char* description;
            const char* type;
        } labels[] = {{1, "Evening Tide", "CD"}, {2, "Road Mix", "Cassette"}};
        for (const auto& l : labels) {
            c.file(CatalogueFile::Labels).clearBuffer();
            c.label().LabelID = l.id;
            c.label().LabelDescription = l.description;
            c.label().LabelType = l.type;
            c.label().CassetteContentsA = std::string("Side A of ") + l.description;
            ASSERT_EQ(c.file(CatalogueFile::Labels).add(), 0);
        }
    }
    std::vector<std::string> ran;
    for (const char* name :
         {LabelBrowse::kPrintCd, LabelBrowse::kPrintCassette, proc::kLabelWizard}) {
        auto record = [&ran, &c, &f, name = std::string(name)] {
            ran.push_back(name + " " + std::to_string(c.label().LabelID.toInt()) + " " +
                          c.label().CassetteContentsA +
                          (f.state->request() == Request::Insert ? " (insert)" : ""));
        };
        f.state->starter().define(name, [record](int) -> QWidget* {
            record();
            return nullptr;
        });
        f.state->starter().defineRoutine(name, record);
    }
    LabelBrowse* w = LabelBrowse::open(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    EXPECT_EQ(w->windowTitle(), "Browse Labels");
    f.dialogs->queue("0");
    QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
    QCoreApplication::sendEvent(w->list().viewport(), &menu);
    settle();
    EXPECT_EQ(f.dialogs->shown().back().text, "&Add|&Change|&Delete|-|Cop&y");

    auto* print = w->findChild<QPushButton*>("PrintButton");
    print->click();  // the first by description: "Evening Tide", a CD label
    w->engine().scrollOne(true);
    print->click();
    w->findChild<QPushButton*>("WizardButton")->click();
    settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"PRINTLABEL 1 Side A of Evening Tide",
                                             "PRINTCASSETTELABEL 2 Side A of Road Mix",
                                             "LabelWizard 2 Side A of Road Mix (insert)"}));
    w->close();
    settle();
}

// Asked by its settings to open the label browse at start, the program opens it over the labels
// file (which it makes) without a word: the browse's procedure is the program's own.
TEST(LabelBrowse, TheProgramOpensItAtStartWhenItsSettingsAskForIt) {
    TempDir dir;
    std::ofstream(dir.file("CDZSETS.INI")) << "[Settings]\nSU_Labels=1\n";
    AppProcess app(dir.path(), AppProcess::Answers{});
    ASSERT_TRUE(app.start(false));
    const std::filesystem::path labels = dir.path() / "cdzlabel.tps";
    for (int i = 0; i < 600 && !std::filesystem::exists(labels); ++i) QThread::msleep(100);
    app.terminate();
    EXPECT_EQ(app.finish(), 0);
    EXPECT_TRUE(std::filesystem::exists(labels));
    for (const std::string& line : app.log()) ADD_FAILURE() << line;
}

}  // namespace
}  // namespace cdz::test
