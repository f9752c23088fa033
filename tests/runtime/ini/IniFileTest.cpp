#include "runtime/ini/IniFile.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace cdz {
namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void spit(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(IniFile, MissingFileOrSectionReadsAsDefaults) {
    test::TempDir dir;
    const IniFile ini(dir.file("CDZSETS.INI"));
    EXPECT_EQ(ini.read("Settings", "DateFormat", "Standard"), "Standard");
    EXPECT_EQ(ini.read("Settings", "DateFormat"), "");
    spit(dir.file("CDZSETS.INI"), "[Other]\nDateFormat=x\n");
    EXPECT_EQ(ini.read("Settings", "DateFormat", "Standard"), "Standard");
}

TEST(IniFile, WriteCreatesTheFileAndKeepsCommentsAndBlankLines) {
    test::TempDir dir;
    const std::string path = dir.file("CDZSETS.INI");
    IniFile ini(path);
    ASSERT_TRUE(ini.write("Settings", "AddMode", "1")) << ini.lastError();
    EXPECT_EQ(slurp(path), "[Settings]\nAddMode=1\n");

    spit(path, "; kept\r\n[Settings]\r\nAddMode=1\r\n\r\n; also kept\r\n[Fonts]\r\n");
    ASSERT_TRUE(ini.write("SETTINGS", "addmode", "2"));
    ASSERT_TRUE(ini.write("Fonts", "FontSizePrintMUS:SongsByArtist", "10"));
    EXPECT_EQ(slurp(path),
              "; kept\r\n[Settings]\r\nAddMode=2\r\n\r\n; also kept\r\n[Fonts]\r\n"
              "FontSizePrintMUS:SongsByArtist=10\r\n");
    EXPECT_EQ(ini.read("fonts", "FONTSIZEPRINTMUS:SONGSBYARTIST"), "10");
}

TEST(IniFile, ReadsSeeWhatAnotherWriterChanged) {
    test::TempDir dir;
    const std::string path = dir.file("s.ini");
    const IniFile reader(path);
    IniFile writer(path);
    EXPECT_EQ(reader.read("A", "k", "none"), "none");
    // Same length each time, written back to back: size and time alone might not tell.
    for (const char* value : {"a", "b", "c"}) {
        ASSERT_TRUE(writer.write("A", "k", value));
        EXPECT_EQ(reader.read("A", "k"), value);
    }
    // An editor rewriting the file in place (same inode) is seen too.
    spit(path, "[A]\nk=edited\n");
    EXPECT_EQ(reader.read("A", "k"), "edited");
    std::filesystem::remove(path);
    EXPECT_EQ(reader.read("A", "k", "gone"), "gone");
}

TEST(IniFile, RefusedValueLeavesTheFileAsItWas) {
    test::TempDir dir;
    const std::string path = dir.file("s.ini");
    spit(path, "[A]\nk=1\n");
    IniFile ini(path);
    EXPECT_FALSE(ini.write("A", "k", "two\nlines"));
    EXPECT_NE(ini.lastError().find("line break"), std::string::npos);
    EXPECT_EQ(slurp(path), "[A]\nk=1\n");
    EXPECT_TRUE(ini.write("A", "k", "2"));
    EXPECT_EQ(ini.lastError(), "");
}

TEST(IniFile, WriteFailuresAreReportedNotHidden) {
    test::TempDir dir;
    IniFile inMissingFolder(dir.file("no/such/folder.ini"));
    EXPECT_FALSE(inMissingFolder.write("A", "k", "v"));
    EXPECT_FALSE(inMissingFolder.lastError().empty());

    // A path that cannot be read as a file must not be replaced by a one-key file.
    std::filesystem::create_directory(dir.file("folder.ini"));
    IniFile onAFolder(dir.file("folder.ini"));
    EXPECT_FALSE(onAFolder.write("A", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.ini")));
    EXPECT_EQ(onAFolder.read("A", "k", "default"), "default");
}

TEST(IniFile, KeepsPermissionsAndWritesThroughSymbolicLinks) {
    test::TempDir dir;
    const std::string real = dir.file("real.ini");
    spit(real, "[A]\nk=1\n");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, dir.file("link.ini"));

    IniFile ini(dir.file("link.ini"));
    ASSERT_TRUE(ini.write("A", "k", "2")) << ini.lastError();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(slurp(real), "[A]\nk=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(IniFile, LeavesOnlyTheFileAndItsLockBehind) {
    test::TempDir dir;
    const std::string path = dir.file("s.ini");
    // A temporary left by a writer that died before its rename.
    spit(dir.file(".s.ini.tmp-1-2"), "[A]\nk=half");
    IniFile ini(path);
    ASSERT_TRUE(ini.write("A", "k", "1"));
    ASSERT_TRUE(ini.write("A", "j", "2"));
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"s.ini", "s.ini.lock"}));
}

}  // namespace
}  // namespace cdz
