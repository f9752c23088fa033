// The page spool: pages come back as they went in, memory stays flat, spools do not outlive
// their program.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <csignal>
#include <fstream>
#include <string>

#include "runtime/report/PageList.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

QString folderOf(const test::TempDir& dir) {
    return QString::fromStdString(dir.path().string());
}

Page samplePage(int n) {
    Page page{Mils{8500}, Mils{11000 + n}, {}};
    const FontSpec bold{"DejaVu Serif", 11.5, 700, true, true, true};
    page.items.push_back(TextRun{{1000_mils, 500_mils, 3000_mils, 200_mils},
                                 QString("Page %1 — Ärger 𝄞 \U0001F3B5").arg(n),
                                 bold,
                                 0xff102030u,
                                 TextAlign::Right});
    page.items.push_back(
        LineItem{{500_mils, 900_mils}, {8000_mils, 900_mils}, 7_mils, 0x80ff0000u});
    page.items.push_back(
        BoxItem{{500_mils, 1000_mils, 2000_mils, 400_mils}, 15_mils, kNoColour, 0xffeeeeeeu});
    page.items.push_back(ImageItem{{6000_mils, 200_mils, 1500_mils, 600_mils}, "/logos/ß.png"});
    page.items.push_back(TextRun{
        {0_mils, 0_mils, 1_mils, 1_mils}, QString(), FontSpec{}, kBlack, TextAlign::Center});
    page.items.push_back(TextRun{{100_mils, 200_mils, 250_mils, 4500_mils},
                                 "Spine",
                                 FontSpec{},
                                 kBlack,
                                 TextAlign::Right,
                                 TextDirection::Down});
    return page;
}

TEST(PageList, PagesComeBackAsWrittenInAnyOrder) {
    test::TempDir dir;
    PageList pages(folderOf(dir));
    ASSERT_TRUE(pages.isOpen()) << pages.errorString().toStdString();
    for (int n = 0; n < 3; ++n) ASSERT_TRUE(pages.append(samplePage(n)));
    ASSERT_EQ(pages.pageCount(), 3);
    for (int n : {2, 0, 1}) {
        EXPECT_EQ(pages.page(n), samplePage(n)) << n;
        EXPECT_EQ(pages.pageSize(n), QSizeF(612, (11000 + n) * 0.072)) << n;
    }
    EXPECT_EQ(pages.page(3), std::nullopt);
    EXPECT_EQ(pages.pageSize(-1), QSizeF());
}

TEST(PageList, ADamagedPageIsRefusedNotHalfRead) {
    test::TempDir dir;
    PageList pages(folderOf(dir));
    ASSERT_TRUE(pages.append(samplePage(0)));
    QFile spool(pages.spoolPath());
    ASSERT_TRUE(spool.open(QIODevice::ReadWrite));
    // The first item's tag, right after header (12), length (4), paper (8) and item count (4).
    ASSERT_TRUE(spool.seek(28));
    ASSERT_EQ(spool.write("\x7f", 1), 1);
    spool.close();
    EXPECT_EQ(pages.page(0), std::nullopt);
}

TEST(PageList, ASpoolThatCannotBeMadeSaysWhereAndTakesNoPages) {
    test::TempDir dir;
    const QString missing = folderOf(dir) + "/gone";
    PageList pages(missing);
    EXPECT_FALSE(pages.isOpen());
    EXPECT_TRUE(pages.errorString().startsWith("Cannot create the page spool in " + missing + ": "))
        << pages.errorString().toStdString();
    EXPECT_FALSE(pages.append(samplePage(0)));
    EXPECT_EQ(pages.pageCount(), 0);
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

TEST(PageList, ResidentMemoryStaysFlatOverAHundredThousandPages) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#endif
    test::TempDir dir;
    PageList pages(folderOf(dir));
    long at10k = 0;
    for (int n = 0; n < 100'000; ++n) {
        if (n == 10'000) at10k = residentKb();
        ASSERT_TRUE(pages.append(samplePage(n)));
    }
    EXPECT_EQ(pages.page(99'999), samplePage(99'999));
    // The index alone is 8 bytes a page: 720 KB for the last 90,000.
    EXPECT_LT(residentKb() - at10k, 3 * 1024);
}

TEST(PageList, TheSpoolGoesWithTheList) {
    test::TempDir dir;
    QString path;
    {
        PageList pages(folderOf(dir));
        ASSERT_TRUE(pages.append(samplePage(0)));
        path = pages.spoolPath();
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_TRUE(path.startsWith(folderOf(dir)));
    }
    EXPECT_FALSE(QFile::exists(path));
}

// A child process that does not outlive the test, whatever the test's outcome.
struct KilledAtExit {
    pid_t pid;
    void kill() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = 0;
    }
    ~KilledAtExit() { kill(); }
};

TEST(PageList, ASpoolOfADeadProgramIsRemovedALiveOnesKept) {
    test::TempDir dir;
    const QString folder = folderOf(dir);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        PageList pages(folder);
        const bool ok = pages.append(samplePage(0));
        (void)!::write(ready[1], ok ? "y" : "n", 1);
        for (;;) ::pause();
    }
    KilledAtExit reaper{child};
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    PageList mine(folder);
    ASSERT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);

    EXPECT_EQ(PageList::removeLeftovers(folder), 0);  // the child still runs
    reaper.kill();
    EXPECT_EQ(PageList::removeLeftovers(folder), 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              QStringList{QFileInfo(mine.spoolPath()).fileName()});
    ::close(ready[0]);
    ::close(ready[1]);
}

}  // namespace
}  // namespace cdz
