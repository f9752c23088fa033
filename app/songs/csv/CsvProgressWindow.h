#pragma once
// The "Progress..." window of the import and the export: its title, an optional caption, how
// far the run is as "N% Completed" (redrawn only when the figure changes), and Cancel, which
// Escape presses too. The run goes on in slices on the event loop, so the program stays live;
// "Process Completed" shows only when the run really completed.
#include <QDialog>
#include <functional>
#include <memory>

namespace cdz {

class ProgressPanel;
class SlicedRun;

class CsvProgressWindow final : public QDialog {
    Q_OBJECT
public:
    struct Work {
        std::function<bool()> step;       // one batch; false once the run has ended
        std::function<int()> percent;     // 0 to 100
        std::function<void()> cancel;     // stops the run at once
        std::function<bool()> completed;  // whether the run ended by completing
    };

    CsvProgressWindow(const QString& title, const QString& caption, QWidget* parent = nullptr);
    ~CsvProgressWindow() override;

    // Runs the work to its end (or Cancel) with the window shown; returns then.
    void run(Work work);
    QString percentText() const;

protected:
    void reject() override;  // Escape and the close box press Cancel

private:
    Work work_;
    ProgressPanel* panel_ = nullptr;
    std::unique_ptr<SlicedRun> run_;
};

}  // namespace cdz
