#pragma once
// Another station in a test: a child process (fork) with connections of its own, and pipes on
// which it and the test tell each other they reached a point (a lock taken, a lock to let go).
// A station keeps what it holds until it is told to let go, so that no test depends on how
// long either side takes on a slow or loaded machine.
#include <sys/wait.h>
#include <unistd.h>

namespace cdz::test {

// Runs `body` in a child process; its return value is the exit status. The child leaves with
// _exit so that nothing of the parent (its connections, the test framework) is torn down twice.
template <class F>
pid_t station(F body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    return pid;
}

// Waits for the station to end: its exit status, 100 + the signal that ended it, or -1 when
// there is no such station.
inline int waitFor(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// A pipe, made before the fork, on which one side tells the other it reached a point. The
// waiting side first closes its own copy of the writing end: once every process that could
// raise the signal is gone (a station that failed early, a test stopped by a failed assertion)
// the wait ends with false instead of lasting for ever.
class Signal {
public:
    Signal() {
        if (pipe(fd_) != 0) fd_[0] = fd_[1] = -1;
    }
    ~Signal() {
        for (int& fd : fd_) shut(fd);
    }
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    bool raise() const {
        const char c = 'x';
        return fd_[1] >= 0 && write(fd_[1], &c, 1) == 1;
    }
    bool wait() {
        shut(fd_[1]);
        char c = 0;
        return fd_[0] >= 0 && read(fd_[0], &c, 1) == 1;
    }

private:
    static void shut(int& fd) {
        if (fd >= 0) close(fd);
        fd = -1;
    }

    int fd_[2] = {-1, -1};
};

}  // namespace cdz::test
