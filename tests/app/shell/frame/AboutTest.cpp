// The About window and the "Compile Information" window behind its first control.
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/shell/frame/AboutWindow.h"
#include "app/shell/frame/BuildStamp.h"
#include "app/shell/frame/CompileInfoWindow.h"
#include "app/shell/frame/MainFrame.h"
#include "runtime/text/DateTime.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

std::string labelText(const QWidget& w, const char* name) {
    const auto* label = w.findChild<QLabel*>(name);
    return label ? label->text().toStdString() : std::string("<no label> ") + name;
}

TEST(BuildStamp, StampsAreReadFromTheirDigits) {
    struct Case {
        const char* text;
        std::int32_t date;
        std::int32_t time;
    };
    const Case cases[] = {
        {"20261207093005", dateFromYmd(2026, 12, 7), timeFromHms(9, 30, 5)},
        {"18010101000000", dateFromYmd(1801, 1, 1), kTimeZero},
        {"20240229235959", dateFromYmd(2024, 2, 29), timeFromHms(23, 59, 59)},
        {"20230229120000", 0, 0},  // no 29 February in 2023
        {"20261307093005", 0, 0},
        {"20261207246000", 0, 0},
        {"2026120709300", 0, 0},
        {"2026-12-07 09:", 0, 0},
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        const BuildStamp s = BuildStamp::parse(c.text, c.text);
        EXPECT_EQ(s.createdDate, c.date) << c.text;
        EXPECT_EQ(s.createdTime, c.time) << c.text;
        EXPECT_EQ(s.changedDate, c.date) << c.text;
    }
    // This build was stamped when it was configured.
    EXPECT_GT(BuildStamp::current().changedDate, dateFromYmd(2020, 1, 1));
    EXPECT_GE(BuildStamp::current().changedDate, BuildStamp::current().createdDate);
}

TEST(CompileInformation, ShowsTagStampAndTheBuildsTrueWordSize) {
    StateFixture f;
    BuildStamp stamp;
    stamp.createdDate = dateFromYmd(2026, 3, 9);
    stamp.createdTime = timeFromHms(14, 5, 0);
    stamp.changedDate = dateFromYmd(2026, 12, 7);
    stamp.changedTime = timeFromHms(9, 30, 0);
    CompileInfoWindow info(*f.state, stamp, nullptr);
    EXPECT_EQ(info.windowTitle(), "Compile Information");
    EXPECT_EQ(labelText(info, "compileTag"), "CDZAPP");
    EXPECT_EQ(labelText(info, "compileCreatedDate"), "MAR 9,2026");
    EXPECT_EQ(labelText(info, "compileCreatedTime"), "2:05PM");
    EXPECT_EQ(labelText(info, "compileChangedDate"), "DEC 7,2026");
    EXPECT_EQ(labelText(info, "compileChangedTime"), "9:30AM");
    if constexpr (sizeof(void*) == 8) {
        EXPECT_EQ(labelText(info, "compileWordSize"), "64-bit");
    }
    EXPECT_NE(info.findChild<QPushButton*>("compileClose"), nullptr);
    EXPECT_EQ(info.findChild<QPushButton*>("compileClose")->text(), "Cl&ose");
}

TEST(CompileInformation, KeepsItsPlaceUnderCompileDate) {
    StateFixture f;
    auto* info = new CompileInfoWindow(*f.state, nullptr);
    info->show();
    info->move(210, 160);
    const QPoint place = info->geometry().topLeft();
    info->findChild<QPushButton*>("compileClose")->click();
    settle();
    EXPECT_EQ(f.state->settingsFile().read("CompileDate", "XPosit"), std::to_string(place.x()));
    EXPECT_EQ(f.state->settingsFile().read("CompileDate", "YPosit"), std::to_string(place.y()));

    auto* again = new CompileInfoWindow(*f.state, nullptr);
    again->show();
    EXPECT_EQ(again->pos(), QPoint(210, 160));
    again->close();
    settle();
}

TEST(About, ShowsTheVersionAndItsFirstControlOpensCompileInformation) {
    StateFixture f;
    MainFrame frame(*f.state);
    frame.command("actAbout")->trigger();
    const std::vector<int> open = f.state->starter().instances();
    ASSERT_EQ(open.size(), 1u);
    QWidget* about = f.state->starter().window(open[0]);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(labelText(*about, "aboutVersion"), "v2.0a");
    EXPECT_NE(labelText(*about, "aboutProduct").find("Orvanta 98"), std::string::npos);

    // The first control in the tab order is the picture that leads on.
    auto* picture = about->findChild<QToolButton*>("aboutPicture");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(about->nextInFocusChain(), picture);
    picture->click();
    auto* info = about->findChild<CompileInfoWindow*>();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());

    auto* ok = about->findChild<QPushButton*>("aboutOk");
    EXPECT_EQ(ok->text(), "&OK");
    ok->click();
    settle();
    EXPECT_TRUE(f.state->starter().instances().empty());  // the About window has ended
}

}  // namespace
}  // namespace cdz::test
