#include "app/shell/startup/TerminationWatcher.h"

#include <QSocketNotifier>

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace cdz {

namespace {

sigset_t termOnly() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

void TerminationWatcher::blockTermination() {
    const sigset_t set = termOnly();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
    const sigset_t set = termOnly();
    pthread_sigmask(SIG_BLOCK, &set, &previousMask_);
    fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) {
        pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatcher::readPending);
}

TerminationWatcher::~TerminationWatcher() {
    if (fd_ < 0) return;
    delete notifier_;
    // What arrived meanwhile is taken, so that unblocking does not end the process now.
    signalfd_siginfo info;
    while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    }
    close(fd_);
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

void TerminationWatcher::readPending() {
    signalfd_siginfo info;
    bool any = false;
    while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) any = true;
    if (any) emit terminationRequested();
}

}  // namespace cdz
