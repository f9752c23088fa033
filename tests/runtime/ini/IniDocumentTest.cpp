#include "runtime/ini/IniDocument.h"

#include <gtest/gtest.h>

namespace cdz {
namespace {

const char* const kSettings =
    "; Orvanta settings\n"
    "[Settings]\n"
    "GLO:Delimiter = ,\n"
    "DateFormat=  Year Only  \n"
    "\n"
    "; report fonts\n"
    "[Fonts]\n"
    "FontNamePrintMUS:SongsByArtist=Arial Narrow\n"
    "[BrowseSongs]\n"
    "ColvueFormatString-?Browse=80L(2)|M~Title~@s40@\n"
    "SRCF?Browse:1=x=y\n"
    "Empty=\n";

TEST(IniDocument, ReadsKeysOfEveryShapeIgnoringCase) {
    const IniDocument doc(kSettings);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"Settings", "GLO:Delimiter", ","},
        {"SETTINGS", "glo:delimiter", ","},
        {"Settings", "DateFormat", "Year Only"},
        {"fonts", "FONTNAMEPRINTMUS:SONGSBYARTIST", "Arial Narrow"},
        {"BrowseSongs", "ColvueFormatString-?Browse", "80L(2)|M~Title~@s40@"},
        {"browsesongs", "srcf?browse:1", "x=y"},  // the value runs from the first "="
        {"BrowseSongs", "Empty", ""},
        {"BrowseSongs", "Missing", std::nullopt},
        {"Missing", "GLO:Delimiter", std::nullopt},
        {"Settings", "FontNamePrintMUS:SongsByArtist", std::nullopt},  // other section's key
        {"Settings", "; Orvanta settings", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " / " + c.key);
        EXPECT_EQ(doc.value(c.section, c.key), c.expected);
    }
}

TEST(IniDocument, CaseFoldingCoversNonAsciiNames) {
    const IniDocument doc("[Größe]\nÄrger=1\n");
    EXPECT_EQ(doc.value("GRÖSSE", "ärger"), "1");
}

TEST(IniDocument, KeysBeforeTheFirstSectionBelongToNone) {
    const IniDocument doc("Orphan=1\n[A]\nKey=2\n");
    EXPECT_EQ(doc.value("", "Orphan"), std::nullopt);
    EXPECT_EQ(doc.value("A", "Orphan"), std::nullopt);
    EXPECT_EQ(doc.value("A", "Key"), "2");
}

TEST(IniDocument, FirstOfDuplicateKeysWinsAndIsTheOneChanged) {
    IniDocument doc("[A]\nk=1\nK=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(doc.value("A", "k"), "1");
    EXPECT_EQ(doc.value("A", "j"), "4");  // a repeated section adds to the first
    doc.set("A", "K", "9");
    EXPECT_EQ(doc.text(), "[A]\nk=9\nK=2\n[a]\nk=3\nj=4\n");
}

TEST(IniDocument, WritingChangesOnlyTheValueOfItsLine) {
    IniDocument doc(kSettings);
    doc.set("settings", "glo:delimiter", ";");
    std::string expected = kSettings;
    expected.replace(expected.find("GLO:Delimiter = ,"), 17, "GLO:Delimiter = ;");
    EXPECT_EQ(doc.text(), expected);
}

TEST(IniDocument, AddsKeysAtTheEndOfTheirSectionAndSectionsAtTheEnd) {
    struct Case {
        const char* name;
        const char* before;
        const char* section;
        const char* after;
    };
    const Case cases[] = {
        {"after the last key, before blank and comment", "[A]\nx=1\n\n; about B\n[B]\ny=2\n", "A",
         "[A]\nx=1\nNew=v\n\n; about B\n[B]\ny=2\n"},
        {"right after a header without keys", "[A]\n; note\n[B]\n", "A",
         "[A]\nNew=v\n; note\n[B]\n"},
        {"last section", "[A]\nx=1\n[B]\ny=2\n", "b", "[A]\nx=1\n[B]\ny=2\nNew=v\n"},
        {"last line without ending", "[A]\nx=1", "A", "[A]\nx=1\nNew=v\n"},
        {"new section", "[A]\nx=1\n", "Window:1", "[A]\nx=1\n[Window:1]\nNew=v\n"},
        {"new section after unended line", "[A]\nx=1", "B", "[A]\nx=1\n[B]\nNew=v\n"},
        {"empty file", "", "A", "[A]\nNew=v\n"},
        {"CRLF file", "[A]\r\nx=1\r\n\r\n[B]\r\n", "A", "[A]\r\nx=1\r\nNew=v\r\n\r\n[B]\r\n"},
        {"CRLF file, new section", "[A]\r\nx=1\r\n", "B", "[A]\r\nx=1\r\n[B]\r\nNew=v\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[A]\n", "A", "\xEF\xBB\xBF[A]\nNew=v\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument doc(c.before);
        doc.set(c.section, "New", "v");
        EXPECT_EQ(doc.text(), c.after);
        EXPECT_EQ(IniDocument(doc.text()).value(c.section, "new"), "v");
    }
}

TEST(IniDocument, RepeatedAddsKeepTheirOrderAndLaterLinesTheirSection) {
    IniDocument doc("[A]\n[B]\nb=1\n");
    doc.set("A", "one", "1");
    doc.set("A", "two", "2");
    doc.set("B", "c", "3");
    EXPECT_EQ(doc.text(), "[A]\none=1\ntwo=2\n[B]\nb=1\nc=3\n");
    EXPECT_EQ(doc.value("B", "b"), "1");
    EXPECT_EQ(doc.value("A", "b"), std::nullopt);
}

TEST(IniDocument, CrlfValuesReadWithoutTheCarriageReturn) {
    const IniDocument doc("[A]\r\nk = v \r\n");
    EXPECT_EQ(doc.value("A", "k"), "v");
}

TEST(IniDocument, RefusesWhatWouldSplitALineOrChangeItsMeaning) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        bool ok;
    };
    const Case cases[] = {
        {"SRCF?Browse:1", "ColvueFormatString-?Browse", "a=b|c", true},
        {"S", "K", "", true},
        {"S", "K", "line\nbreak", false},
        {"S", "K", "cr\rhere", false},
        {"S", "K=1", "v", false},
        {"S", "[K", "v", false},
        {"S", "; K", "v", false},
        {"S", " ", "v", false},
        {"S]x", "K", "v", false},
        {"", "K", "v", false},
        {"S\n", "K", "v", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + "/" + c.value);
        EXPECT_EQ(IniDocument::canStore(c.section, c.key, c.value).empty(), c.ok);
    }
    EXPECT_FALSE(IniDocument::canStore("S", "K", std::string_view("nul\0x", 5)).empty());
}

}  // namespace
}  // namespace cdz
