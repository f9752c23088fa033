// A favourite font's stored texts made into the font a label panel draws with and back: the
// encoding the files keep, a typeface this machine lacks, texts that are not usable numbers,
// the description the forms show, and the lookup by number the printouts use.
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "app/labels/LabelFontStyle.h"
#include "runtime/data/ErrorState.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

QString installedFamily() {
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family)) return family;
    }
    return {};
}

FontRecord texts(const char* face, const char* size, const char* colour, const char* style) {
    FontRecord f;
    f.TypeFace = face;
    f.Size = size;
    f.Colour = colour;
    f.Style = style;
    return f;
}

QFont designedFont() {
    QFont designed(installedFamily(), 11);
    designed.setWeight(QFont::Normal);
    return designed;
}

TEST(FontStyle, StoredTextsRoundTripThroughTheDrawnFont) {
    const QString family = installedFamily();
    ASSERT_FALSE(family.isEmpty());
    const struct {
        int points;
        QFont::Weight weight;
        bool italic, underline, strikeOut;
        QColor colour;
        const char* colourText;
        const char* styleText;
    } cases[] = {
        {10, QFont::Normal, false, false, false, QColor(0, 0, 0), "0", "400"},
        {14, QFont::Bold, true, false, false, QColor(255, 0, 0), "255", "4796"},
        {8, QFont::Light, false, true, true, QColor(0x12, 0x34, 0x56), "5649426", "24876"},
    };
    for (const auto& c : cases) {
        QFont font(family, c.points);
        font.setWeight(c.weight);
        font.setItalic(c.italic);
        font.setUnderline(c.underline);
        font.setStrikeOut(c.strikeOut);
        const FontRecord stored = fontTextsOf(font, c.colour);
        EXPECT_EQ(stored.Colour.str(), c.colourText);
        EXPECT_EQ(stored.Style.str(), c.styleText);
        EXPECT_EQ(stored.Size.str(), std::to_string(c.points));

        const LabelFontStyle drawn = labelFontStyle(stored, QFont("Other", 30));
        EXPECT_FALSE(drawn.substituted);
        EXPECT_EQ(drawn.font.family(), family);
        EXPECT_EQ(drawn.font.pointSize(), c.points);
        EXPECT_EQ(drawn.font.weight(), c.weight);
        EXPECT_EQ(drawn.font.italic(), c.italic);
        EXPECT_EQ(drawn.font.underline(), c.underline);
        EXPECT_EQ(drawn.font.strikeOut(), c.strikeOut);
        EXPECT_EQ(drawn.colour, c.colour);
    }
}

TEST(FontStyle, MissingTypefaceIsDrawnWithTheNearestInstalledOne) {
    const LabelFontStyle drawn =
        labelFontStyle(texts("Qzx Nowhere Grotesk", "12", "0", "700"), designedFont());
    EXPECT_TRUE(drawn.substituted);
    EXPECT_NE(drawn.font.family(), "Qzx Nowhere Grotesk");
    EXPECT_EQ(drawn.font.family(), QFontInfo(drawn.font).family());
    EXPECT_EQ(drawn.font.pointSize(), 12);
    EXPECT_EQ(drawn.font.weight(), QFont::Bold);
}

TEST(FontStyle, EmptyOrUnusableTextsKeepThePanelsDesignedFont) {
    const struct {
        const char *size, *colour, *style;
        const char* problemNames;  // nullptr: the texts may be stored
    } cases[] = {
        {"", "", "", nullptr},          {"abc", "", "", "size"},   {"0", "", "", "size"},
        {"-3", "", "", "size"},         {"1000", "", "", "size"},  {"", "-1", "", "colour"},
        {"", "16777216", "", "colour"}, {"", "red", "", "colour"}, {"", "", "1500", "style"},
        {"", "", "99999", "style"},     {"", "", "bold", "style"}, {"", "", "-700", "style"},
    };
    const QFont designed = designedFont();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.size) + "/" + c.colour + "/" + c.style);
        const FontRecord f = texts("", c.size, c.colour, c.style);
        const LabelFontStyle drawn = labelFontStyle(f, designed);
        EXPECT_EQ(drawn.font, designed);
        EXPECT_FALSE(drawn.colour.isValid());
        EXPECT_FALSE(drawn.substituted);
        const auto problem = fontTextsProblem(f);
        if (c.problemNames == nullptr) {
            EXPECT_FALSE(problem.has_value());
        } else {
            ASSERT_TRUE(problem.has_value());
            EXPECT_TRUE(problem->contains(c.problemNames)) << problem->toStdString();
        }
    }
}

TEST(FontStyle, DescriptionNamesTheFourTextsOrTheDefault) {
    EXPECT_EQ(fontDescription(nullptr), "Default Font");
    const FontRecord plain = texts("Serif   ", "10 ", "255", "700");
    EXPECT_EQ(fontDescription(&plain), "Serif 10  Colour:  255  Style:  700");
    const FontRecord longFace =
        texts("Condensed Display Grotesque Bold", "10", "16777215", "16384");
    EXPECT_EQ(fontDescription(&longFace),
              "Condensed Display Grotesque Bold 10  Colour:  16777215  Styl");
}

TEST(FontStyle, FindFontReadsTheNumberedFontOnly) {
    TempDir dir;
    Catalogue cat(dir.path());
    FileUse use(cat, {CatalogueFile::Fonts});
    ASSERT_TRUE(use.ok());
    DataFile& fonts = cat.file(CatalogueFile::Fonts);
    fonts.clearBuffer();
    cat.font().FontID = 7;
    cat.font().TypeFace = "Serif";
    cat.font().Size = "12";
    ASSERT_EQ(fonts.add(), err::kNone);

    int code = -1;
    const auto found = findFont(fonts, 7, &code);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->TypeFace.str(), "Serif");
    EXPECT_EQ(found->Size.str(), "12");
    EXPECT_EQ(code, err::kNone);
    EXPECT_FALSE(findFont(fonts, 8, &code).has_value());
    EXPECT_EQ(code, err::kNone);
    EXPECT_FALSE(findFont(fonts, 0, &code).has_value());
}

}  // namespace
}  // namespace cdz::test
