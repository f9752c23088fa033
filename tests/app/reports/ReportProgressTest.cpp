// The progress window: the share shown, Cancel and Escape with their questions at any point of
// the run, and the partial preview they may offer.
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "app/reports/ReportProgressWindow.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using End = ReportProgressWindow::End;

// A report of `records` records, one page per ten lines, with Cancel pressed (or Escape) once
// `cancelAfter` records are done.
struct FakeReport {
    int records = 40;
    int done = 0;
    int cancelAfter = -1;
    bool escape = false;
    ReportProgressWindow* window = nullptr;

    ReportProgressWindow::Work work() {
        return {[this] {
                    // A cancelled report does no more work.
                    if (done == cancelAfter && (press(), window->isHidden())) return false;
                    if (done < records) ++done;
                    return done < records;
                },
                [this] { return done * 100 / records; }, [this] { return done >= 10; }};
    }
    void press() {
        if (escape) {
            QTest::keyClick(window, Qt::Key_Escape);
        } else {
            window->cancel();
        }
    }
};

TEST(ReportProgress, CancelAsksAndEndsAsAnswered) {
    struct Case {
        const char* what;
        int cancelAfter;
        bool escape;
        std::vector<Button> answers;
        End end;
        int recordsDone;  // -1: all
        size_t questions;
    };
    const Case cases[] = {
        // No page yet: nothing to preview, so no second question.
        {"at 0%", 0, false, {Button::Yes}, End::Cancelled, 0, 1},
        {"at 50%, preview so far", 20, false, {Button::Yes, Button::Yes}, End::PreviewSoFar, 20, 2},
        {"at the last record, no preview",
         39,
         false,
         {Button::Yes, Button::No},
         End::Cancelled,
         39,
         2},
        {"Escape, then Ignore", 20, true, {Button::Yes, Button::Ignore}, End::Completed, -1, 2},
        {"Escape, then not sure", 5, true, {Button::No}, End::Completed, -1, 1},
    };
    for (const Case& c : cases) {
        StateFixture f;
        for (Button b : c.answers) f.dialogs->queue(b);
        ReportProgressWindow window(f.state->dialogs(), true, "Cadenzio");
        FakeReport run;
        run.cancelAfter = c.cancelAfter;
        run.escape = c.escape;
        run.window = &window;
        QSignalSpy ended(&window, &ReportProgressWindow::ended);
        window.show();
        window.run(run.work());
        ASSERT_TRUE(waitFor([&] { return ended.count() > 0; })) << c.what;
        EXPECT_EQ(ended.count(), 1) << c.what;
        EXPECT_EQ(ended.first().first().value<End>(), c.end) << c.what;
        EXPECT_EQ(run.done, c.recordsDone < 0 ? run.records : c.recordsDone) << c.what;
        ASSERT_EQ(f.dialogs->shown().size(), c.questions) << c.what;
        EXPECT_EQ(f.dialogs->shown()[0].text, "Are you sure you want to CANCEL this Report?");
        if (c.questions > 1) {
            EXPECT_EQ(f.dialogs->shown()[1].text,
                      "Report Cancellation Requested!| |Preview Report generated so far?");
        }
        if (c.end == End::Completed) {
            EXPECT_EQ(window.percentText(), "100% Completed");
        }
    }
}

TEST(ReportProgress, PrintingNeverOffersAPreviewAndTitlesItself) {
    StateFixture f;
    f.dialogs->queue(Button::Yes);
    ReportProgressWindow window(f.state->dialogs(), false, "Cadenzio");
    EXPECT_EQ(window.windowTitle(), "Printing Report");
    FakeReport run;
    run.cancelAfter = 30;
    run.window = &window;
    QSignalSpy ended(&window, &ReportProgressWindow::ended);
    window.run(run.work());
    ASSERT_TRUE(waitFor([&] { return ended.count() > 0; }));
    EXPECT_EQ(ended.first().first().value<End>(), End::Cancelled);
    EXPECT_EQ(f.dialogs->shown().size(), 1u);
}

}  // namespace
}  // namespace cdz::test
