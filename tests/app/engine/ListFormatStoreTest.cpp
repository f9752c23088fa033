#include "app/engine/columns/ListFormatStore.h"

#include <gtest/gtest.h>

#include "runtime/ini/IniFile.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

constexpr const char* kSection = "BrowseSongs";
constexpr const char* kDesign = "75L(2)|_M~Title~@s40@45R(2)|_M~Released~C(0)@d17b@";
constexpr const char* kDesignShown = "75L(2)|_M~Title~@s40@45R(2)|_M~Released~C(0)@d17@";

class ListFormatStoreTest : public ::testing::Test {
protected:
    std::string open(const std::string& design, const std::string& dateSetting = "d17") {
        ListFormatStore store(ini, kSection, "?Browse");
        return store.open(design, dateSetting);
    }
    void close(const std::string& format) {
        ListFormatStore store(ini, kSection, "?Browse");
        EXPECT_TRUE(store.close(format)) << store.lastError();
    }
    std::string saved() const { return ini.read(kSection, "SRCF?Browse"); }

    test::TempDir dir;
    IniFile ini{dir.file("CDZSETS.INI")};
};

TEST_F(ListFormatStoreTest, FirstRunShowsTheDesignAndRemembersIt) {
    EXPECT_EQ(open(kDesign), kDesignShown);
    EXPECT_EQ(ini.read(kSection, "SRCFOriginal?Browse"), kDesign);
    EXPECT_EQ(saved(), "");
    close("90L(2)|_M~Title~@s40@");
    EXPECT_EQ(saved(), "90L(2)|_M~Title~@s40@");
}

TEST_F(ListFormatStoreTest, TheSameDesignGivesBackTheSavedLayout) {
    open(kDesign);
    close("90L(2)|_M~Title~@s40@45R(2)|_M~Released~C(0)@d17@");
    EXPECT_EQ(open(kDesign), "90L(2)|_M~Title~@s40@45R(2)|_M~Released~C(0)@d17@");
    // a change of the date format keeps the layout and shows the new format
    EXPECT_EQ(open(kDesign, "d6"), "90L(2)|_M~Title~@s40@45R(2)|_M~Released~C(0)@d6@");
}

TEST_F(ListFormatStoreTest, ANewDesignIgnoresTheSavedLayoutOnce) {
    open(kDesign);
    close("90L(2)|_M~Title~@s40@");
    const std::string design = std::string(kDesign) + "8R(2)|_M~Rating~C(0)@s2@";
    EXPECT_EQ(open(design), std::string(kDesignShown) + "8R(2)|_M~Rating~C(0)@s2@");
    EXPECT_EQ(ini.read(kSection, "SRCFOriginal?Browse"), design);
    close("60L(2)|_M~Title~@s40@");
    EXPECT_EQ(open(design), "60L(2)|_M~Title~@s40@");
}

TEST_F(ListFormatStoreTest, ADamagedSavedLayoutGivesTheDesign) {
    open(kDesign);
    ASSERT_TRUE(ini.write(kSection, "SRCF?Browse", "90L(2)|_M~Title"));
    ListFormatStore store(ini, kSection, "?Browse");
    EXPECT_EQ(store.open(kDesign, "d17"), kDesignShown);
    EXPECT_NE(store.lastError().find("the header has no closing"), std::string::npos)
        << store.lastError();
}

TEST_F(ListFormatStoreTest, AMalformedFormatIsNotSaved) {
    open(kDesign);
    close("90L(2)|_M~Title~@s40@");
    ListFormatStore store(ini, kSection, "?Browse");
    EXPECT_FALSE(store.close("90L(2)|_M~Title~@s40"));
    EXPECT_NE(store.lastError().find("picture has no closing"), std::string::npos);
    EXPECT_EQ(saved(), "90L(2)|_M~Title~@s40@");
}

// "Year only" shows dates as a number picture; saved that way the column would stay a number
// whatever date format the user chooses later.
TEST_F(ListFormatStoreTest, DateColumnsShownAsYearsAreSavedAsDates) {
    ListFormatStore store(ini, kSection, "?Browse");
    const std::string shown = store.open(kDesign, "n4b");
    EXPECT_EQ(shown, "75L(2)|_M~Title~@s40@45R(2)|_M~Released~C(0)@n4b@");
    EXPECT_TRUE(store.close("50R(2)|_M~Released~C(0)@n4b@75L(2)|_M~Title~@s40@"));
    EXPECT_EQ(saved(), "50R(2)|_M~Released~C(0)@d17b@75L(2)|_M~Title~@s40@");
    EXPECT_EQ(open(kDesign, "d6"), "50R(2)|_M~Released~C(0)@d6@75L(2)|_M~Title~@s40@");
}

TEST_F(ListFormatStoreTest, EachListOfAWindowHasItsOwnKeys) {
    ListFormatStore media(ini, "BrowseMedia", "?Browse:1");
    media.open("80L(2)|M~Media~L(2)@s20@", "d17");
    EXPECT_TRUE(media.close("90L(2)|M~Media~L(2)@s20@"));
    EXPECT_EQ(ini.read("BrowseMedia", "SRCFOriginal?Browse:1"), "80L(2)|M~Media~L(2)@s20@");
    EXPECT_EQ(ini.read("BrowseMedia", "SRCF?Browse:1"), "90L(2)|M~Media~L(2)@s20@");
    EXPECT_EQ(ini.read("BrowseMedia", "SRCF?Browse"), "");
}

}  // namespace
}  // namespace cdz
