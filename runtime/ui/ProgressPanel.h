#pragma once
// What every progress window shows of long work: a caption, "N% Completed" (redrawn only when
// the figure changes), a bar where the window wants one, and Cancel where the work can stop. It
// follows a SlicedRun's figure; the window around it decides what Cancel does.
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace cdz {

class SlicedRun;

class ProgressPanel final : public QWidget {
    Q_OBJECT
public:
    struct Look {
        QString caption;       // above the figure; none when empty
        bool bar = false;      // a bar below the figure
        bool cancel = true;    // a Cancel button at the foot
        int percentWidth = 0;  // the figure right-aligned in so many characters (0: as is)
    };

    explicit ProgressPanel(const Look& look, QWidget* parent = nullptr);

    // Shows the run's figure as it changes.
    void follow(const SlicedRun& run);
    void showPercent(int percent);
    // "Process Completed", with the bar full; Cancel has nothing left to stop.
    void showCompleted();
    // A line of its own under the figure (the file a report reads).
    void addLine(const QString& objectName, const QString& text);
    QString percentText() const;
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void cancelPressed();

private:
    Look look_;
    QLabel* percent_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    int shown_ = -1;
};

}  // namespace cdz
