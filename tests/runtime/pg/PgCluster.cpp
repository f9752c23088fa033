#include "tests/runtime/pg/PgCluster.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace cdz::test {
namespace {

constexpr const char* kDefaultBinaries = "/usr/lib/postgresql/15/bin";
constexpr const char* kPostgresUser = "postgres";
constexpr const char* kData = "data";
constexpr const char* kServerLog = "server.log";
constexpr const char* kCommandLog = "commands.log";
constexpr const char* kOwnerFile = "owner";  // the test process that made the folder
constexpr const char* kPidFile = "postmaster.pid";
constexpr int kPort = 5432;
constexpr int kStartSeconds = 30;
constexpr size_t kLogTail = 3000;
// A Unix socket's path has room for about a hundred bytes, the socket's own name included.
constexpr size_t kMaxBaseLength = 60;

// Waits for its input to end, which happens when the test process ends however it ends, then
// stops the server immediately (if still running) and removes the folder. $1 data folder,
// $2 cluster folder.
constexpr const char* kWatchdog = R"(trap '' HUP INT TERM QUIT
while read -r line; do :; done
if read -r pid <"$1/postmaster.pid" 2>/dev/null; then
    kill -QUIT "$pid" 2>/dev/null
    n=0
    while [ -e "$1/postmaster.pid" ] && [ "$n" -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
fi
rm -rf "$2"
)";

// A value of a libpq connection string, quoted.
std::string connValue(std::string_view v) {
    std::string out = "'";
    for (char c : v) {
        if (c == '\'' || c == '\\') out += '\\';
        out += c;
    }
    return out + "'";
}

bool executable(const std::filesystem::path& p) {
    return ::access(p.c_str(), X_OK) == 0;
}

std::vector<char*> argvOf(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

// Whether a process still runs: one that ended but was not yet collected by its parent (a
// zombie, as a killed test may stay a while) counts as ended.
bool alive(pid_t pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(in, stat);
    const auto end = stat.rfind(')');
    return end == std::string::npos || end + 2 >= stat.size() || stat[end + 2] != 'Z';
}

}  // namespace

std::filesystem::path PgCluster::binaries() {
    const char* env = std::getenv("CDZ_PG_BIN");
    return env && *env ? std::filesystem::path(env) : std::filesystem::path(kDefaultBinaries);
}

std::string PgCluster::unavailable() {
    for (const char* program : {"initdb", "pg_ctl", "postgres"}) {
        if (!executable(binaries() / program)) {
            return "PostgreSQL server programs not found (" + (binaries() / program).string() +
                   "); install postgresql-15 or set CDZ_PG_BIN";
        }
    }
    if (::geteuid() == 0 && !::getpwnam(kPostgresUser)) {
        return "running as root and no 'postgres' user to run the server as";
    }
    return {};
}

std::string PgCluster::conninfo(std::string_view database) const {
    return "host=" + connValue(folder_.string()) + " port=" + std::to_string(kPort) +
           " user=" + connValue(kUser) + " dbname=" + connValue(database);
}

bool PgCluster::run(const std::vector<std::string>& args, std::string* why) const {
    std::vector<std::string> owned = args;
    std::vector<char*> argv = argvOf(owned);
    const std::string log = (folder_ / kCommandLog).string();
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (out < 0) {
        if (why) *why = "cannot write " + log;
        return false;
    }
    // Only async-signal-safe calls between fork and exec: the test process has threads.
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        // The server's programs refuse to run as root.
        if (asPostgres_ &&
            (::setgroups(1, &gid_) != 0 || ::setgid(gid_) != 0 || ::setuid(uid_) != 0)) {
            ::_exit(126);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out);
    int status = 0;
    const bool ok = pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
                    WEXITSTATUS(status) == 0;
    if (!ok && why) *why = args.front() + " failed:\n" + logTail();
    return ok;
}

std::string PgCluster::logTail() const {
    std::string text;
    for (const char* name : {kCommandLog, kServerLog}) {
        std::ifstream in(folder_ / name);
        std::stringstream s;
        s << in.rdbuf();
        text += s.str();
    }
    return text.size() > kLogTail ? text.substr(text.size() - kLogTail) : text;
}

bool PgCluster::startWatchdog(std::string* why) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        *why = "no pipe for the watchdog";
        return false;
    }
    std::vector<std::string> args{
        "/bin/sh",       "-c", kWatchdog, "cdz-pg-watchdog", (folder_ / kData).string(),
        folder_.string()};
    std::vector<char*> argv = argvOf(args);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // A session of its own: a signal to the test's process group does not reach it.
        ::setsid();
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(fds[0], STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[0]);
    if (pid < 0) {
        ::close(fds[1]);
        *why = "no watchdog process";
        return false;
    }
    watchdogPipe_ = fds[1];
    watchdog_ = pid;
    return true;
}

void PgCluster::stopStale() const {
    std::error_code ec;
    const auto base = folder_.parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
        const auto name = entry.path().filename().string();
        if (entry.path() == folder_ || name.rfind(kFolderPrefix, 0) != 0) continue;
        std::ifstream in(entry.path() / kOwnerFile);
        pid_t owner = 0;
        if (!(in >> owner) || owner <= 0) continue;
        if (alive(owner)) continue;  // its test is still running
        if (std::filesystem::exists(entry.path() / kData / kPidFile)) {
            run({(binaries() / "pg_ctl").string(), "-D", (entry.path() / kData).string(), "-m",
                 "immediate", "-w", "stop"},
                nullptr);
        }
        std::filesystem::remove_all(entry.path(), ec);
    }
}

bool PgCluster::start(std::string* why) {
    if (running_) return true;
    if (std::string reason = unavailable(); !reason.empty()) {
        *why = reason;
        return false;
    }
    if (::geteuid() == 0) {
        const passwd* pw = ::getpwnam(kPostgresUser);
        asPostgres_ = true;
        uid_ = pw->pw_uid;
        gid_ = pw->pw_gid;
    }
    auto base = std::filesystem::temp_directory_path();
    if (base.string().size() > kMaxBaseLength) base = "/tmp";
    std::string pattern = (base / (std::string(kFolderPrefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
        *why = "cannot make a folder in " + base.string();
        return false;
    }
    folder_ = pattern;
    std::ofstream(folder_ / kOwnerFile) << ::getpid() << "\n";
    if (asPostgres_ && ::chown(folder_.c_str(), uid_, gid_) != 0) {
        *why = "cannot give " + folder_.string() + " to the postgres user";
        stop();
        return false;
    }
    stopStale();
    if (!startWatchdog(why)) {
        stop();
        return false;
    }
    const std::string data = (folder_ / kData).string();
    // Texts sort by a linguistic collation unless told otherwise, so a statement that forgets
    // to compare bytes shows in the tests.
    if (!run({(binaries() / "initdb").string(), "-D", data, "-A", "trust", "-U", kUser, "-E",
              "UTF8", "--locale=C.UTF-8", "--locale-provider=icu", "--icu-locale=en-US", "-N",
              "--no-instructions"},
             why)) {
        stop();
        return false;
    }
    const std::string options = "-c listen_addresses='' -k '" + folder_.string() + "' -p " +
                                std::to_string(kPort) +
                                " -c fsync=off -c full_page_writes=off -c synchronous_commit=off";
    if (!run({(binaries() / "pg_ctl").string(), "-D", data, "-l", (folder_ / kServerLog).string(),
              "-w", "-t", std::to_string(kStartSeconds), "-o", options, "start"},
             why)) {
        stop();
        return false;
    }
    running_ = true;
    return true;
}

void PgCluster::stop() {
    if (running_) {
        run({(binaries() / "pg_ctl").string(), "-D", (folder_ / kData).string(), "-m", "fast", "-w",
             "stop"},
            nullptr);
        running_ = false;
    }
    if (watchdogPipe_ >= 0) {
        ::close(watchdogPipe_);
        watchdogPipe_ = -1;
        int status = 0;
        ::waitpid(watchdog_, &status, 0);
        watchdog_ = -1;
    }
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
        folder_.clear();
    }
}

}  // namespace cdz::test
