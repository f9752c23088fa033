#include "app/labels/LabelSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <algorithm>

#include "app/domain/data/LabelRecord.h"
#include "app/labels/LabelSheetPicture.h"
#include "app/labels/LabelSheetText.h"

namespace cdz {
namespace {

constexpr std::string_view kCassette = "Cassette";
const QString kDesignFamily = QStringLiteral("Sans Serif");
constexpr int kBold = 700;

// The designed fonts, for panels whose label names none (or one no longer kept).
const FontSpec kCdTitleFont{kDesignFamily, 14, kBold};
const FontSpec kCdSpineFont{kDesignFamily, 9, kBold};
const FontSpec kCdBackFont{kDesignFamily, 10};
const FontSpec kCdFrontFont{kDesignFamily, 12};
const FontSpec kCassetteTitleFont{kDesignFamily, 10, kBold};
const FontSpec kCassetteFlapFont{kDesignFamily, 9};
const FontSpec kCassetteContentsFont{kDesignFamily, 8};
const FontSpec kCaptionFont{kDesignFamily, 8, kBold};

constexpr Mils kOutline{10};
constexpr Mils kFold{5};
// How far a spine's text stays from the strip's ends.
constexpr Mils kSpineInset{60};

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "Center" centres, "Right" right-aligns, "Left" left-aligns; anything else keeps the design's.
TextAlign alignment(std::string_view stored, TextAlign designed) {
    const std::string_view v = clip(stored);
    if (v == "Center") return TextAlign::Center;
    if (v == "Right") return TextAlign::Right;
    if (v == "Left") return TextAlign::Left;
    return designed;
}

}  // namespace

// The page being laid out, with the shift that puts the design in the middle of the paper.
struct LabelSheet::Sheet {
    LabelSheetResult result;
    Mils dx, dy;

    MilsRect at(int x, int y, int width, int height) const {
        return MilsRect{Mils{x} + dx, Mils{y} + dy, Mils{width}, Mils{height}};
    }
    void box(int x, int y, int width, int height) {
        result.page.items.emplace_back(BoxItem{at(x, y, width, height), kOutline});
    }
    void line(int x1, int y1, int x2, int y2) {
        result.page.items.emplace_back(LineItem{MilsPoint{Mils{x1} + dx, Mils{y1} + dy},
                                                MilsPoint{Mils{x2} + dx, Mils{y2} + dy}, kFold});
    }
    void text(const MilsRect& box, std::string_view value, const LabelPanelFont& font,
              TextAlign align, const char* panel) {
        if (!LabelSheetText::set(result.page, box, qs(value), font.font, font.colour, align))
            result.notices.push_back(std::string("The ") + panel +
                                     " is longer than its panel: the lines past its foot are "
                                     "not printed.");
    }
};

LabelSheet::LabelSheet(Mils pageWidth, Mils pageHeight, LabelFontLookup fonts, QString folder)
    : pageWidth_(pageWidth),
      pageHeight_(pageHeight),
      fonts_(std::move(fonts)),
      folder_(std::move(folder)) {}

bool LabelSheet::isCassette(const LabelRecord& label) {
    return label.LabelType.clipped() == kCassette;
}

LabelSheetResult LabelSheet::lay(const LabelRecord& label) const {
    const bool cassetteLabel = isCassette(label);
    const Mils left = cassetteLabel ? kCassetteLeft : kCdLeft;
    const Mils top = cassetteLabel ? kCassetteTop : kCdTop;
    const Mils width = (cassetteLabel ? kCassetteRight : kCdRight) - left;
    const Mils height = (cassetteLabel ? kCassetteBottom : kCdBottom) - top;
    Sheet sheet;
    sheet.result.page.width = pageWidth_;
    sheet.result.page.height = pageHeight_;
    sheet.dx = Mils{(pageWidth_.value - width.value) / 2} - left;
    sheet.dy = Mils{(pageHeight_.value - height.value) / 2} - top;
    if (cassetteLabel) {
        cassette(label, sheet);
    } else {
        cd(label, sheet);
    }
    return std::move(sheet.result);
}

LabelPanelFont LabelSheet::font(std::int32_t fontId, const FontSpec& designed, const char* panel,
                                Sheet& sheet) const {
    std::optional<LabelPanelFont> found;
    if (fontId != 0 && fonts_) found = fonts_(fontId, designed);
    if (!found) return LabelPanelFont{designed, kBlack, false, designed.family};
    if (found->substituted)
        sheet.result.notices.push_back(std::string("The ") + panel + " is printed in " +
                                       found->font.family.toStdString() + ": this computer has " +
                                       "no " + found->typeface.toStdString() + ".");
    return *found;
}

void LabelSheet::cd(const LabelRecord& label, Sheet& sheet) const {
    // The back insert, with the fold lines that set its two spine strips apart.
    sheet.box(109, 31, 5938, 4677);
    sheet.line(359, 31, 359, 4708);
    sheet.line(5807, 31, 5807, 4708);
    // The booklet's inner page and the front cover share the fold between them, and the cut
    // under the back insert.
    sheet.box(104, 4708, 3011, 4750);
    sheet.box(3115, 4708, 4750, 4750);
    picture(label, sheet);

    const LabelPanelFont titleFont = font(label.CDTitleFontID, kCdTitleFont, "title", sheet);
    const LabelPanelFont spineFont = font(label.CDSpineFontID, kCdSpineFont, "spine", sheet);
    const LabelPanelFont backFont =
        font(label.CDCoverTextFontID, kCdBackFont, "back cover text", sheet);
    const LabelPanelFont frontFont =
        font(label.CDInsideTextFontID, kCdFrontFont, "front cover text", sheet);

    // The spines read along their strips, upwards on the left one and downwards on the right,
    // so that each reads with the case standing on the side of that spine; the line sits in the
    // middle of the strip's width.
    const TextAlign spineAlign = alignment(label.CDSpineJustification.view(), TextAlign::Center);
    const int across = LabelSheetText::lineHeight(spineFont.font).value;
    const QString spine = qs(label.CDSpine.clipped()).simplified();
    auto strip = [&](int left, int right, TextDirection direction) {
        const int width = std::min(across, right - left);
        const MilsRect box = sheet.at(left + (right - left - width) / 2, 31 + kSpineInset.value,
                                      width, 4677 - 2 * kSpineInset.value);
        if (!spine.isEmpty())
            sheet.result.page.items.emplace_back(
                TextRun{box, spine, spineFont.font, spineFont.colour, spineAlign, direction});
    };
    strip(109, 359, TextDirection::Up);
    strip(5807, 6047, TextDirection::Down);

    // The title over the back cover text, and again over the front cover text.
    sheet.text(sheet.at(401, 52, 5385, 562), label.CDTitle.clipped(), titleFont, TextAlign::Center,
               "title on the back insert");
    sheet.text(sheet.at(453, 614, 5281, 4052), label.CDCoverText, backFont,
               alignment(label.CDBackCoverJustification.view(), TextAlign::Left),
               "back cover text");
    sheet.text(sheet.at(3188, 4740, 4594, 489), label.CDTitle.clipped(), titleFont,
               TextAlign::Center, "title on the front cover");
    sheet.text(sheet.at(3188, 5229, 4615, 4177), label.CDInsideText, frontFont,
               alignment(label.CDTextJustification.view(), TextAlign::Center), "front cover text");
}

void LabelSheet::picture(const LabelRecord& label, Sheet& sheet) const {
    const QString name = qs(label.ImageName.clipped()).trimmed();
    if (name.isEmpty()) return;
    const QFileInfo file(QDir(folder_), name);
    const QImage image(file.absoluteFilePath());
    if (image.isNull()) {
        sheet.result.notices.push_back("The picture " + name.toStdString() +
                                       " could not be read: the label is printed without it.");
        return;
    }
    const double dpi = image.dotsPerMeterX() * 0.0254;
    MilsRect box = LabelSheetPicture::box(label, image.size(), dpi);
    // A size larger than the label (a mistyped 2147483647) would draw nothing at all: the
    // picture is made as large as the label holds, in its proportions.
    const double roomX = kCdRight.value - kCdLeft.value, roomY = kCdBottom.value - kCdTop.value;
    if (box.width.value > roomX || box.height.value > roomY) {
        const double scale = std::min(roomX / static_cast<double>(box.width.value),
                                      roomY / static_cast<double>(box.height.value));
        box.width = Mils{std::max(1, static_cast<int>(box.width.value * scale))};
        box.height = Mils{std::max(1, static_cast<int>(box.height.value * scale))};
        sheet.result.notices.push_back("The picture " + name.toStdString() +
                                       " is larger than the label: it is made as large as the "
                                       "label holds.");
    }
    // A picture running past the label's right or lower edge would be cut by the page or the
    // scissors: it moves back onto the label, as far as it must.
    const MilsRect placed = box;
    const auto past = [](Mils at, Mils size, Mils edge) {
        return static_cast<int64_t>(at.value) + size.value > edge.value;
    };
    if (past(box.x, box.width, kCdRight)) box.x = std::max(kCdLeft, kCdRight - box.width);
    if (past(box.y, box.height, kCdBottom)) box.y = std::max(kCdTop, kCdBottom - box.height);
    if (!(box == placed))
        sheet.result.notices.push_back("The picture " + name.toStdString() +
                                       " would run past the label's edge: it is moved onto the "
                                       "label.");
    sheet.result.page.items.emplace_back(
        ImageItem{sheet.at(box.x.value, box.y.value, box.width.value, box.height.value),
                  file.absoluteFilePath()});
}

void LabelSheet::cassette(const LabelRecord& label, Sheet& sheet) const {
    // The insert folds above the listings, above the spine and above the flap; the panel
    // above the listings is left free.
    sheet.box(177, 625, 3740, 5948);
    sheet.line(177, 3075, 3917, 3075);
    sheet.line(2042, 3075, 2042, 5438);
    sheet.line(177, 5438, 3917, 5438);
    sheet.line(177, 5958, 3917, 5958);

    const LabelPanelFont contents =
        font(label.CassetteContentsFontID, kCassetteContentsFont, "side listings", sheet);
    const LabelPanelFont title =
        font(label.CassetteTitleFontID, kCassetteTitleFont, "cassette title", sheet);
    const LabelPanelFont flap = font(label.CassetteFlapFontID, kCassetteFlapFont, "flap", sheet);
    const LabelPanelFont caption{kCaptionFont, kBlack, false, kCaptionFont.family};

    // Each listing keeps clear of the line between them.
    sheet.text(sheet.at(219, 3117, 1781, 250), "Side A", caption, TextAlign::Left, "caption");
    sheet.text(sheet.at(2084, 3117, 1791, 250), "Side B", caption, TextAlign::Left, "caption");
    sheet.text(sheet.at(219, 3375, 1781, 2050), label.CassetteContentsA, contents, TextAlign::Left,
               "Side A listing");
    sheet.text(sheet.at(2084, 3375, 1791, 2050), label.CassetteContentsB, contents, TextAlign::Left,
               "Side B listing");
    sheet.text(sheet.at(219, 5469, 3646, 458), label.CassetteTitle, title, TextAlign::Left,
               "cassette title");
    sheet.text(sheet.at(219, 5990, 3646, 542), label.CassetteFlap, flap, TextAlign::Left, "flap");
}

}  // namespace cdz
