#pragma once
// Long work done a slice at a time on the event loop: each slice runs steps for a few tens of
// milliseconds, then the windows get their turn, so they repaint and a Cancel is noticed between
// slices. Headless commands and tests run the same work to its end at once.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace cdz {

struct SlicedWork {
    std::function<bool()> step;    // one batch; false once nothing is left
    std::function<int()> percent;  // how far the work is, 0 to 100
};

class SlicedRun final : public QObject {
    Q_OBJECT
public:
    enum class End { Completed, Cancelled };
    static constexpr std::chrono::milliseconds kSlice{50};

    explicit SlicedRun(SlicedWork work, QObject* parent = nullptr,
                       std::chrono::milliseconds slice = kSlice);

    // The first slice runs on the event loop's next turn; ended() follows exactly once.
    void start();
    // While paused no step runs (a question asked over the progress); resume goes on.
    void pause();
    void resume();
    // Ends the run as cancelled before its next step; what was done stays done.
    void cancel();
    bool hasEnded() const { return ended_; }
    int percent() const { return work_.percent ? work_.percent() : 0; }

    // Runs the steps left at once, without the event loop (headless commands, tests), and
    // ends as a slice would.
    void finishNow();

signals:
    void progressed(int percent);  // only when the figure changes
    void ended(cdz::SlicedRun::End how);

private:
    void slice();
    void end(End how);

    SlicedWork work_;
    std::chrono::milliseconds length_;
    QTimer timer_;
    int shown_ = -1;
    bool paused_ = false;
    bool slicing_ = false;
    bool ended_ = false;
};

}  // namespace cdz
