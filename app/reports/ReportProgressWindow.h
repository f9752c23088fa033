#pragma once
// The window a report shows while it reads: "Generating Report" (or "Printing Report"), how
// much of the file is read as "N% Completed" (redrawn only when the figure changes), the file
// read, and Cancel, which Escape presses too. The work goes on in slices on the event loop, so
// the window and the rest of the program stay live; Cancel asks before it stops and, when pages
// exist for a preview, offers to preview them.
#include <QDialog>
#include <functional>

namespace cdz {

class Dialogs;
class ProgressPanel;
class SlicedRun;

class ReportProgressWindow final : public QDialog {
    Q_OBJECT
public:
    enum class End { Completed, Cancelled, PreviewSoFar };

    struct Work {
        std::function<bool()> step;      // does one batch; false once nothing is left
        std::function<int()> percent;    // 0 to 100
        std::function<bool()> hasPages;  // whether a partial preview would show anything
    };

    ReportProgressWindow(Dialogs& dialogs, bool previewing, const QString& fileName,
                         QWidget* parent = nullptr);

    // Starts the slices; ended() follows once.
    void run(Work work);
    // What the Cancel button does: the questions, then the end they choose (or nothing).
    void cancel();
    // Ends the slices without a question and without ended(): the report was ended elsewhere
    // (its preview closed while it was still being made).
    void stop();
    QString percentText() const;

signals:
    void ended(cdz::ReportProgressWindow::End how);

protected:
    void reject() override;  // Escape and the close box press Cancel

private:
    void end(End how);

    Dialogs& dialogs_;
    bool previewing_;
    Work work_;
    ProgressPanel* panel_ = nullptr;
    SlicedRun* run_ = nullptr;
    bool ended_ = false;
    bool asking_ = false;
};

}  // namespace cdz
