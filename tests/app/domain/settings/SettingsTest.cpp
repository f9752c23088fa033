// The settings globals read from section "Settings" of the settings file.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/domain/settings/Settings.h"
#include "runtime/ini/IniFile.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

TEST(Settings, AFileWithoutTheSectionGivesTheDefaults) {
    test::TempDir dir;
    std::ofstream(dir.path() / "CDZSETS.INI") << "[Main]\nXPosit=10\n";
    const Settings s = Settings::read(IniFile(dir.path() / "CDZSETS.INI"));
    EXPECT_EQ(s.suAlbums + s.suSongs + s.suPlaylists + s.suLabels, 0);
    EXPECT_EQ(s.autoAddToAlbums, "1");
    EXPECT_EQ(s.addMode, "1");
    EXPECT_EQ(s.labelArtistTitleOrder, "1");
    EXPECT_EQ(s.delimiter, ".");
    EXPECT_EQ(s.udkPrompt, "User Defined Key");
    EXPECT_EQ(s.notesLabel, "Notes");
    EXPECT_EQ(s.dateFormat, "d17");
    EXPECT_EQ(s.logo, "");
    EXPECT_EQ(s.cdDevice, "");  // the default drive
    // Before the file is read the caption is the field's own name.
    EXPECT_EQ(Settings{}.udkPrompt, "User Defined Key Field");
}

TEST(Settings, ValuesAreReadAndHeldToTheirLengths) {
    test::TempDir dir;
    std::ofstream(dir.path() / "CDZSETS.INI")
        << "[Settings]\nSU_Albums=1\nSU_Songs=1\nSU_Playlists=0\nSU_Labels=\n"
           "AutoAddToAlbums=\nAddMode=Ask Each Time\nLabelArtistTitleOrder=Title - Artist\n"
           "GLO:Delimiter=-:\nUDKPrompt=Catalogue number of the pressing\n"
           "NotesLabel=Requests from the floor tonight\nDateFormat=d17-xyz\n"
           "Logo=/home/dj/logo.png\nCdDevice=/media/rips/night.cue\n";
    const Settings s = Settings::read(IniFile(dir.path() / "CDZSETS.INI"));
    EXPECT_EQ(s.suAlbums, 1);
    EXPECT_EQ(s.suSongs, 1);
    EXPECT_EQ(s.suPlaylists, 0);
    EXPECT_EQ(s.suLabels, 0);
    EXPECT_EQ(s.autoAddToAlbums, "");  // present but empty: not the default
    EXPECT_EQ(s.addMode, "Ask Each Time");
    EXPECT_EQ(s.labelArtistTitleOrder, "Title - Artist");
    EXPECT_EQ(s.delimiter, "-");
    EXPECT_EQ(s.udkPrompt, "Catalogue number of the ");  // 24 characters
    EXPECT_EQ(s.notesLabel, "Requests from the fl");     // 20
    EXPECT_EQ(s.dateFormat, "d17-xy");                   // 6
    EXPECT_EQ(s.logo, "/home/dj/logo.png");
    EXPECT_EQ(s.cdDevice, "/media/rips/night.cue");
}

TEST(Settings, LengthsCountCharactersNotBytes) {
    test::TempDir dir;
    std::ofstream(dir.path() / "CDZSETS.INI")
        << "[Settings]\nGLO:Delimiter=\xE2\x80\xA2x\n"
           "NotesLabel=Bemerkungen \xC3\xBC\xC3\xBC\xC3\xBC"
           "\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\n";
    const Settings s = Settings::read(IniFile(dir.path() / "CDZSETS.INI"));
    EXPECT_EQ(s.delimiter, "\xE2\x80\xA2");  // one bullet, whole
    EXPECT_EQ(s.notesLabel,
              "Bemerkungen \xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC"
              "\xC3\xBC");
}

TEST(Settings, NumbersAreReadAsTheRuntimeReadsThem) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"", 0},
        {"0", 0},
        {"1", 1},
        {"  7", 7},
        {"-3", -3},
        {"+4", 4},
        {"12abc", 12},
        {"Yes", 0},
        {"1.9", 1},
        {"-", 0},
        {"99999999999", 2147483647},
    };
    for (const Case& c : cases) EXPECT_EQ(leadingNumber(c.text), c.value) << "'" << c.text << "'";
}

}  // namespace
}  // namespace cdz
