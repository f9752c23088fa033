// The label drawing engine: where the picture goes and how large, which font a panel takes,
// alignments, and that every text stays inside the page on both papers.
#include <QImage>
#include <QPageSize>

#include <gtest/gtest.h>

#include "app/domain/data/LabelRecord.h"
#include "app/labels/LabelSheet.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

constexpr Mils kA4Width{8268}, kA4Height{11693};
constexpr Mils kLetterWidth{8500}, kLetterHeight{11000};

// The shift that centres the CD design on A4.
constexpr int kDx = (8268 - (7865 - 104)) / 2 - 104;
constexpr int kDy = (11693 - (9458 - 31)) / 2 - 31;

// A picture of `width` x `height` pixels at `dpi`, saved as PNG.
QString picture(const TempDir& dir, const char* name, int width, int height, double dpi) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
    const QString path = QString::fromStdString((dir.path() / name).string());
    EXPECT_TRUE(image.save(path));
    return path;
}

LabelRecord cdLabel() {
    LabelRecord label;
    label.LabelID = 1;
    label.LabelType = "CD";
    label.CDTitle = "Blue Train - John Coltrane";
    label.CDSpine = "Blue Train - John Coltrane";
    label.CDCoverText = "  1. Blue Train (10:43)\r\n  2. Moment's Notice (9:10)";
    label.CDInsideText = "Blue Train";
    label.ImageSize = "Thumbnail";
    label.ImageSizeX = 1000;
    label.ImageSizeY = "1000";
    return label;
}

LabelSheetResult layA4(const LabelRecord& label, const TempDir& dir, LabelFontLookup fonts = {}) {
    const LabelSheet sheet(kA4Width, kA4Height, std::move(fonts),
                           QString::fromStdString(dir.path().string()));
    return sheet.lay(label);
}

std::vector<ImageItem> images(const Page& page) {
    std::vector<ImageItem> out;
    for (const PageItem& item : page.items)
        if (const auto* i = std::get_if<ImageItem>(&item)) out.push_back(*i);
    return out;
}

const TextRun* runOf(const Page& page, const QString& text) {
    for (const PageItem& item : page.items)
        if (const auto* r = std::get_if<TextRun>(&item); r && r->text == text) return r;
    return nullptr;
}

TEST(LabelSheet, PlacesAndSizesThePicture) {
    TempDir dir;
    const QString plain = picture(dir, "plain.png", 192, 96, 96);
    const QString fine = picture(dir, "fine.png", 300, 150, 300);
    struct Case {
        const char* what;
        QString path;
        int x, y;
        const char* size;
        int width;
        const char* height;
        MilsRect expected;  // in design coordinates
        unsigned told = 0;  // notices: moved back onto the label, made as large as it holds
    };
    // clang-format off
    const Case cases[] = {
        {"0,0 keeps the design's place", plain, 0, 0, "Thumbnail", 1000, "1000",
         {6792_mils, 8052_mils, 1000_mils, 1000_mils}},
        {"a position is applied", plain, 500, 700, "Other", 1500, "800",
         {500_mils, 700_mils, 1500_mils, 800_mils}},
        {"Actual at the file's resolution", fine, 0, 0, "Actual", 0, "0",
         {6792_mils, 8052_mils, 1000_mils, 500_mils}},
        {"Actual at 96 dpi, moved onto the label", plain, 0, 0, "Actual", 0, "0",
         {5865_mils, 8052_mils, 2000_mils, 1000_mils}, 1},
        {"Actual whatever size is stored", plain, 0, 0, "Actual", 1000, "1000",
         {5865_mils, 8052_mils, 2000_mils, 1000_mils}, 1},
        {"a height of 0 keeps the proportions", plain, 0, 0, "Other", 1000, "0",
         {6792_mils, 8052_mils, 1000_mils, 500_mils}},
        {"a height not a number", plain, 0, 0, "Other", 1000, "1in",
         {6792_mils, 8052_mils, 1000_mils, 500_mils}},
        {"a negative height", plain, 0, 0, "Other", 1000, "-400",
         {6792_mils, 8052_mils, 1000_mils, 500_mils}},
        {"a blank height and width", plain, 0, 0, "Other", 0, "",
         {5865_mils, 8052_mils, 2000_mils, 1000_mils}, 1},
        {"past the label's foot", plain, 300, 9000, "Other", 1000, "1000",
         {300_mils, 8458_mils, 1000_mils, 1000_mils}, 1},
        {"larger than the label", plain, 2147483647, 0, "Other", 2147483647, "2147483647",
         {104_mils, 1697_mils, 7761_mils, 7761_mils}, 2},
    };
    // clang-format on
    for (const Case& c : cases) {
        LabelRecord label = cdLabel();
        label.ImageName = c.path.toStdString();
        label.ImagePositionX = c.x;
        label.ImagePositionY = c.y;
        label.ImageSize = c.size;
        label.ImageSizeX = c.width;
        label.ImageSizeY = c.height;
        const LabelSheetResult result = layA4(label, dir);
        const std::vector<ImageItem> drawn = images(result.page);
        ASSERT_EQ(drawn.size(), 1u) << c.what;
        const MilsRect& e = c.expected;
        EXPECT_EQ(drawn[0].box, (MilsRect{e.x + Mils{kDx}, e.y + Mils{kDy}, e.width, e.height}))
            << c.what;
        EXPECT_EQ(result.notices.size(), c.told) << c.what;
    }
}

TEST(LabelSheet, APictureThatCannotBeReadIsLeftOutAndTold) {
    TempDir dir;
    for (const char* name : {"gone.png", ""}) {
        LabelRecord label = cdLabel();
        label.ImageName = name;
        const LabelSheetResult result = layA4(label, dir);
        EXPECT_TRUE(images(result.page).empty()) << name;
        ASSERT_EQ(result.notices.size(), *name ? 1u : 0u) << name;
        if (*name) {
            EXPECT_NE(result.notices[0].find("gone.png could not be read"), std::string::npos);
        }
        // The rest of the label prints.
        EXPECT_NE(runOf(result.page, "Blue Train"), nullptr) << name;
    }
}

TEST(LabelSheet, APanelTakesItsFavouriteFontOrElseTheDesignedOne) {
    TempDir dir;
    const FontSpec kept{"DejaVu Serif", 20, 400, true};
    // Font 8 is kept, font 9 is kept but its typeface is not on this computer, font 7 was
    // deleted.
    const LabelFontLookup fonts = [&](std::int32_t id,
                                      const FontSpec&) -> std::optional<LabelPanelFont> {
        if (id == 8) return LabelPanelFont{kept, 0xff0000ffu, false, "DejaVu Serif"};
        if (id == 9) return LabelPanelFont{kept, kBlack, true, "Old Typeface"};
        return std::nullopt;
    };
    const LabelSheetResult designed = layA4(cdLabel(), dir);
    const FontSpec designedFont = runOf(designed.page, "Blue Train")->font;
    struct Case {
        std::int32_t fontId;
        FontSpec font;
        Argb colour;
        std::size_t notices;
    };
    for (const Case& c : {Case{7, designedFont, kBlack, 0}, Case{0, designedFont, kBlack, 0},
                          Case{8, kept, 0xff0000ffu, 0}, Case{9, kept, kBlack, 1}}) {
        LabelRecord label = cdLabel();
        label.CDInsideTextFontID = c.fontId;
        const LabelSheetResult result = layA4(label, dir, fonts);
        const TextRun* front = runOf(result.page, "Blue Train");
        ASSERT_NE(front, nullptr) << c.fontId;
        EXPECT_EQ(front->font, c.font) << c.fontId;
        EXPECT_EQ(front->colour, c.colour) << c.fontId;
        ASSERT_EQ(result.notices.size(), c.notices) << c.fontId;
        if (c.notices) {
            EXPECT_NE(result.notices[0].find("Old Typeface"), std::string::npos);
        }
    }
}

TEST(LabelSheet, AlignmentsApplyToSpinesAndCoversLeftIncluded) {
    TempDir dir;
    struct Case {
        const char* stored;
        TextAlign spine, front, back;
    };
    const Case cases[] = {
        {"", TextAlign::Center, TextAlign::Center, TextAlign::Left},
        {"Left", TextAlign::Left, TextAlign::Left, TextAlign::Left},
        {"Center", TextAlign::Center, TextAlign::Center, TextAlign::Center},
        {"Right", TextAlign::Right, TextAlign::Right, TextAlign::Right},
    };
    for (const Case& c : cases) {
        LabelRecord label = cdLabel();
        label.CDSpineJustification = c.stored;
        label.CDTextJustification = c.stored;
        label.CDBackCoverJustification = c.stored;
        const Page page = layA4(label, dir).page;
        int spines = 0;
        for (const PageItem& item : page.items) {
            const auto* run = std::get_if<TextRun>(&item);
            if (!run || run->direction == TextDirection::Across) continue;
            ++spines;
            EXPECT_EQ(run->align, c.spine) << c.stored;
        }
        EXPECT_EQ(spines, 2) << c.stored;
        EXPECT_EQ(runOf(page, "Blue Train")->align, c.front) << c.stored;
        EXPECT_EQ(runOf(page, "  1. Blue Train (10:43)")->align, c.back) << c.stored;
    }
}

TEST(LabelSheet, EveryTextStaysInsideItsPanelAndThePage) {
    TempDir dir;
    std::string longText;
    for (int i = 1; i <= 120; ++i)
        longText += std::to_string(i) + ". A rather long song title that wraps (3:25)\r\n";
    LabelRecord cd = cdLabel();
    cd.CDCoverText = longText;
    cd.CDInsideText = longText;
    cd.CDTitle = std::string(100, 'W');
    cd.CDSpine = std::string(100, 'W');
    LabelRecord cassette;
    cassette.LabelType = "Cassette";
    cassette.CassetteContentsA = longText;
    cassette.CassetteContentsB = longText;
    cassette.CassetteTitle = longText;
    cassette.CassetteFlap = longText;
    for (const auto& [width, height] :
         {std::pair{kA4Width, kA4Height}, std::pair{kLetterWidth, kLetterHeight}}) {
        for (const LabelRecord* label : {&cd, &cassette}) {
            const LabelSheet sheet(width, height, {}, QString());
            const LabelSheetResult result = sheet.lay(*label);
            int runs = 0;
            for (const PageItem& item : result.page.items) {
                const auto* run = std::get_if<TextRun>(&item);
                if (!run) continue;
                ++runs;
                const MilsRect& b = run->box;
                EXPECT_GE(b.x.value, 0);
                EXPECT_GE(b.y.value, 0);
                EXPECT_LE((b.x + b.width).value, width.value);
                EXPECT_LE((b.y + b.height).value, height.value);
            }
            EXPECT_GT(runs, 20);
            // The lines past each panel's foot are told, not printed.
            EXPECT_FALSE(result.notices.empty());
        }
    }
}

}  // namespace
}  // namespace cdz::test
