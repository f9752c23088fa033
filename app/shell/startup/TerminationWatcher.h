#pragma once
// Turns SIGTERM (a desktop logging out, a service manager stopping the program) into a Qt
// signal, so that the frame closes exactly as File > "E&xit" closes it: windows asked to close,
// placement saved, files closed. The signal is taken through a signalfd, so no handler runs
// inside the interrupted code and nothing process-wide is kept outside this object.
#include <QObject>

#include <csignal>

class QSocketNotifier;

namespace cdz {

class TerminationWatcher final : public QObject {
    Q_OBJECT
public:
    // Blocks SIGTERM for the calling thread and every thread it starts afterwards, so that the
    // signal waits for the watcher instead of ending the process. Call it first in main(),
    // before anything starts a thread.
    static void blockTermination();

    // Blocks SIGTERM on this thread too (harmless when already blocked) and watches for it.
    explicit TerminationWatcher(QObject* parent = nullptr);
    // Restores the signal mask this thread had before.
    ~TerminationWatcher() override;
    TerminationWatcher(const TerminationWatcher&) = delete;
    TerminationWatcher& operator=(const TerminationWatcher&) = delete;

    // False when the system gave no signalfd (SIGTERM then keeps its default action).
    bool isActive() const { return fd_ >= 0; }

signals:
    void terminationRequested();

private:
    void readPending();

    int fd_ = -1;
    sigset_t previousMask_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace cdz
