// Whole-program runs of cdzapp whose settings or profile file cannot be written: the user is
// told once per file, naming the file and the cause, and the file keeps what it held.
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    bool started = false;
    int exitCode = -1;
    std::vector<std::string> log;  // the dialog log's lines
};

// cdzapp over `data`, headless, every dialog taking its default; the dialog log is kept in
// `scratch`. `childSetup` runs in the child before the program starts.
ProgramRun runCdzapp(const fs::path& data, const fs::path& scratch,
                     const std::function<void()>& childSetup = {}) {
    const fs::path log = scratch / "dialogs.log";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CDZ_DIALOG_ANSWERS", "/dev/null");
    env.insert("CDZ_DIALOG_LOG", QString::fromStdString(log.string()));
    env.insert("CDZ_QUIT_AFTER_START", "1");
    QProcess p;
    p.setProcessEnvironment(env);
    if (childSetup) p.setChildProcessModifier(childSetup);
    p.start(cdz::test::appPath(), {"--data-dir", QString::fromStdString(data.string())});
    ProgramRun run;
    run.started = p.waitForStarted(60000);
    if (!run.started || !p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) run.log.push_back(line);
    fs::remove(log);
    return run;
}

const std::string kSettingsLoss =
    "Settings and window positions changed while the program runs may not be kept.";
const std::string kProfileLoss =
    "Should the program crash while opening a data file, it may not offer to repair the file at "
    "the next start.";
// Settings without any window's place, so that closing the frame must write the file.
const std::string kSettings = "; kept as it was\n[Settings]\nAddMode=1\n";

// The dialog log's line for the message about a file that could not be written.
std::string toldLine(const fs::path& file, const std::string& cause, const std::string& loss) {
    return R"({"answer":"OK","buttons":["OK"],"default":"OK","icon":"warning","initial":"",)"
           R"("kind":"message","text":"Writing )" +
           file.string() + " failed: " + cause + ".|" + loss + R"(","title":"Settings Not Saved"})";
}

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A first start, then settings that closing the frame must change; returns the profile file.
std::string firstStart(const fs::path& data, const fs::path& scratch) {
    EXPECT_EQ(runCdzapp(data, scratch).exitCode, 0);
    std::ofstream(data / "CDZSETS.INI", std::ios::trunc) << kSettings;
    return slurp(data / "CDZRUN.INI");
}

// A start over files it cannot change told each file once, and both kept what they held.
void expectEachToldOnce(const ProgramRun& run, const fs::path& data, const std::string& cause,
                        const std::string& profile) {
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.log,
              (std::vector<std::string>{toldLine(data / "CDZRUN.INI", cause, kProfileLoss),
                                        toldLine(data / "CDZSETS.INI", cause, kSettingsLoss)}));
    EXPECT_EQ(slurp(data / "CDZSETS.INI"), kSettings);
    EXPECT_EQ(slurp(data / "CDZRUN.INI"), profile);
}

TEST(WriteFailureRun, AProfileFileThatIsAFolderIsToldOnce) {
    for (const auto& [file, loss] :
         {std::pair{"CDZSETS.INI", kSettingsLoss}, std::pair{"CDZRUN.INI", kProfileLoss}}) {
        SCOPED_TRACE(file);
        TempDir dir;
        fs::create_directory(dir.path() / file);
        const ProgramRun run = runCdzapp(dir.path(), dir.path());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.log,
                  (std::vector<std::string>{toldLine(dir.path() / file, "is a directory", loss)}));
        EXPECT_TRUE(fs::is_directory(dir.path() / file));
    }
}

TEST(WriteFailureRun, AFullDiskIsToldOnceForEachFile) {
    TempDir dir;
    const fs::path data = dir.path() / "disk";
    fs::create_directory(data);
    if (::mount("tmpfs", data.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "a small file system cannot be mounted here";
    struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{data};
    const std::string profile = firstStart(data, dir.path());
    std::ofstream filler(data / "filler", std::ios::binary);
    const std::string block(4096, '\0');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) filler.flush();
    expectEachToldOnce(runCdzapp(data, dir.path()), data, "no space left on device", profile);
}

TEST(WriteFailureRun, AReadOnlyFolderIsToldOnceForEachFile) {
    TempDir dir;
    TempDir scratch;
    const std::string profile = firstStart(dir.path(), scratch.path());
    for (const auto& entry : fs::directory_iterator(dir.path()))
        ::chmod(entry.path().c_str(), 0444);
    // Root may write anywhere: it runs the program as nobody, for whom the folder is read-only.
    const bool root = ::geteuid() == 0;
    ::chmod(dir.path().c_str(), root ? 0755 : 0555);
    ::chmod(scratch.path().c_str(), 0777);
    const std::function<void()> asNobody = [] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(97);
    };
    const ProgramRun run =
        runCdzapp(dir.path(), scratch.path(), root ? asNobody : std::function<void()>{});
    ::chmod(dir.path().c_str(), 0755);
    if (root && (!run.started || run.exitCode == 97))
        GTEST_SKIP() << "the program cannot be run as another user here";
    expectEachToldOnce(run, dir.path(), "permission denied", profile);
}

}  // namespace
}  // namespace cdz::test
