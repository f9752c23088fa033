#pragma once
// A throwaway PostgreSQL server for tests: a fresh cluster in a temporary folder, reachable only
// through a Unix socket in that folder, trusting its one user. It is stopped and its folder
// removed when the object goes, and by a watchdog process when the test process dies without
// that; a server left by an earlier test process that died anyway is stopped at the next start.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace cdz::test {

class PgCluster {
public:
    PgCluster() = default;
    ~PgCluster() { stop(); }
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // The server's programs: $CDZ_PG_BIN when set, else where Debian installs version 15.
    static std::filesystem::path binaries();
    // Why no cluster can run on this machine ("" when one can): the programs are missing, or
    // the process runs as root and there is no `postgres` user to run them as.
    static std::string unavailable();

    // Makes and starts the cluster; false with the reason (and the server's log) in `why`.
    bool start(std::string* why);
    void stop();
    bool running() const { return running_; }
    const std::filesystem::path& folder() const { return folder_; }
    // The connection string of a database of the cluster; its user owns every object.
    std::string conninfo(std::string_view database = "postgres") const;

    static constexpr const char* kUser = "cdz";
    static constexpr const char* kFolderPrefix = "cdz-pg-";

private:
    // Runs one of the server's programs (as `postgres` when this process is root) with its
    // output appended to the folder's log; false with the log's end in `why`.
    bool run(const std::vector<std::string>& args, std::string* why) const;
    bool startWatchdog(std::string* why);
    void stopStale() const;
    std::string logTail() const;

    std::filesystem::path folder_;
    bool running_ = false;
    bool asPostgres_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    int watchdogPipe_ = -1;  // the write end; the watchdog acts when it closes
    pid_t watchdog_ = -1;
};

}  // namespace cdz::test
