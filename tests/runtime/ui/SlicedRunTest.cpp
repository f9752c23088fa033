// Long work in slices: it ends exactly once, as completed or cancelled, no step runs after a
// Cancel (also one pressed from inside a step) or while paused, and the figure only grows.
#include "runtime/ui/SlicedRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace cdz {
namespace {

struct Counted {
    int steps = 0;
    int total = 40;
    std::function<void(SlicedRun&, int)> during;  // called in each step with its number
};

// Runs the event loop until the run has ended, or a few seconds have passed.
void settle(const SlicedRun& run) {
    QElapsedTimer clock;
    clock.start();
    while (!run.hasEnded() && clock.elapsed() < 5000) QCoreApplication::processEvents();
}

TEST(SlicedRun, EndsOnceAsCompletedOrCancelled) {
    using End = SlicedRun::End;
    struct Case {
        const char* what;
        std::function<void(SlicedRun&)> before;  // between start() and the event loop
        std::function<void(SlicedRun&, int)> during;
        End end;
        int steps;
    };
    const Case cases[] = {
        {"to the end", {}, {}, End::Completed, 40},
        {"cancelled before the first slice",
         [](SlicedRun& r) { r.cancel(); },
         {},
         End::Cancelled,
         0},
        {"cancelled from inside step 7",
         {},
         [](SlicedRun& r, int n) {
             if (n == 7) r.cancel();
         },
         End::Cancelled,
         7},
        {"paused and resumed from inside a step",
         {},
         [](SlicedRun& r, int n) {
             if (n != 3) return;
             r.pause();
             r.resume();
         },
         End::Completed,
         40},
        {"finished at once", [](SlicedRun& r) { r.finishNow(); }, {}, End::Completed, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Counted work;
        SlicedRun* self = nullptr;
        SlicedRun run({[&] {
                           ++work.steps;
                           if (c.during) c.during(*self, work.steps);
                           return work.steps < work.total;
                       },
                       [&] { return work.steps * 100 / work.total; }},
                      nullptr, std::chrono::milliseconds(1));
        self = &run;
        std::vector<End> ends;
        std::vector<int> figures;
        QObject::connect(&run, &SlicedRun::ended, [&](End how) { ends.push_back(how); });
        QObject::connect(&run, &SlicedRun::progressed, [&](int p) { figures.push_back(p); });
        run.start();
        if (c.before) c.before(run);
        settle(run);
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        EXPECT_EQ(ends, std::vector<End>{c.end});
        EXPECT_EQ(work.steps, c.steps);
        EXPECT_TRUE(std::is_sorted(figures.begin(), figures.end()));
        if (c.end == End::Completed) {
            ASSERT_FALSE(figures.empty());
            EXPECT_EQ(figures.back(), 100);
        }
    }
}

TEST(SlicedRun, NoStepRunsWhilePaused) {
    int steps = 0;
    SlicedRun run({[&] { return ++steps < 10; }, [] { return 0; }});
    run.start();
    run.pause();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(steps, 0);
    run.resume();
    settle(run);
    EXPECT_EQ(steps, 10);
}

}  // namespace
}  // namespace cdz
