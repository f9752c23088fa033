#include "app/reports/CardLayout.h"

#include <algorithm>

#include "runtime/report/PageRenderer.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

constexpr double kLeading = 1.4;       // a body line's height, in type sizes
constexpr double kFirstLeading = 1.8;  // the first line's, with room for the rule under it
constexpr double kCharWidth = 0.62;    // a bold character's width, in type sizes, a wide guess
constexpr Mils kCaptionGap{80};        // between a caption and its value

Mils height(double points, double leading) {
    return Mils::fromPoints(points * leading);
}

}  // namespace

CardStock CardStock::index() {
    return CardStock{Mils{5000}, Mils{3000}, Mils{250}, Mils{200}, true};
}

CardStock CardStock::rotary() {
    // The slots of a rotary file's rails take the lowest half inch of the card.
    return CardStock{Mils{4000}, Mils{2250}, Mils{180}, Mils{500}, false};
}

CardLayout::CardLayout(PageList& pages, CardStock stock, std::vector<ReportColumn> columns,
                       ReportLook look)
    : pages_(pages), stock_(stock), columns_(std::move(columns)), look_(std::move(look)) {
    for (size_t i = 0; i < columns_.size(); ++i) {
        // The first line, the card's order field, stays alone.
        const bool joins =
            !stock_.captions && lines_.size() > 1 && columns_[i].align == TextAlign::Right;
        if (joins)
            lines_.back().right.push_back(i);
        else
            lines_.push_back(Line{i, {}});
    }
    // A large chosen type is made smaller rather than letting the lines run off the card.
    double points = look_.font.pointSize;
    const double first = look_.customFont ? points : points + 1;
    const double wanted =
        first * kFirstLeading +
        points * kLeading * static_cast<double>(std::max<size_t>(1, lines_.size()) - 1);
    const double room = (stock_.height - stock_.margin - stock_.foot).points();
    const double scale = wanted > room ? room / wanted : 1.0;
    body_ = look_.font;
    body_.pointSize = points * scale;
    first_ = body_;
    caption_ = body_;
    if (!look_.customFont) {
        first_.pointSize = first * scale;
        first_.weight = 700;
        caption_.weight = 700;
    }
    lineHeight_ = height(body_.pointSize, kLeading);
    firstHeight_ = height(first_.pointSize, kFirstLeading);
    size_t longest = 0;
    if (stock_.captions)
        for (const ReportColumn& c : columns_) longest = std::max(longest, c.caption.size());
    captionWidth_ =
        longest == 0
            ? Mils{0}
            : height(first_.pointSize, kCharWidth * static_cast<double>(longest)) + kCaptionGap;
}

QString CardLayout::shown(const std::string& value) {
    // Numbers come padded to their picture's width; on a card each value starts at its place.
    std::string_view shown = clip(value);
    shown.remove_prefix(std::min(shown.size(), shown.find_first_not_of(' ')));
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

void CardLayout::text(Page& page, Mils x, Mils y, Mils width, const std::string& value,
                      const FontSpec& font, TextAlign align, int lines) const {
    const QString words = shown(value);
    if (words.isEmpty()) return;
    TextRun run;
    run.box = MilsRect{x, y, Mils{std::max(1, width.value)},
                       Mils{lineHeight_.value * (lines - 1)} + height(font.pointSize, 1.3)};
    run.text = words;
    run.wrap = lines > 1;
    run.font = font;
    run.colour = look_.colour;
    run.align = align;
    page.items.emplace_back(std::move(run));
}

Mils CardLayout::valueWidth() const {
    return stock_.width - stock_.margin - stock_.margin - captionWidth_;
}

Mils CardLayout::width(const Line& line, size_t column) const {
    // Columns sharing a line share its width by their weights.
    int weights = std::max(1, columns_[line.left].weight);
    for (size_t c : line.right) weights += std::max(1, columns_[c].weight);
    return Mils{valueWidth().value * std::max(1, columns_[column].weight) / weights};
}

std::vector<int> CardLayout::lineCounts(const std::vector<std::string>& values) const {
    // A long value below the first line wraps onto the lines the card has to spare, the
    // earlier lines first; the first line, the card's order field, keeps to one.
    std::vector<int> counts(lines_.size(), 1);
    const Mils below = stock_.height - stock_.foot - stock_.margin - firstHeight_;
    int spare = below.value / std::max(1, lineHeight_.value) - int(lines_.size()) + 1;
    for (size_t n = 1; n < lines_.size() && spare > 0; ++n) {
        const size_t column = lines_[n].left;
        if (column >= values.size()) continue;
        const QString words = shown(values[column]);
        if (words.isEmpty()) continue;
        const int wanted =
            int(wrapLines(words, body_, qreal(width(lines_[n], column).value)).size()) - 1;
        counts[n] += std::min(spare, wanted);
        spare -= counts[n] - 1;
    }
    return counts;
}

bool CardLayout::add(const std::vector<std::string>& values) {
    Page page;
    page.width = stock_.width;
    page.height = stock_.height;
    const Mils left = stock_.margin;
    const Mils full = stock_.width - stock_.margin - stock_.margin;
    auto value = [&values](size_t column) {
        return column < values.size() ? values[column] : std::string();
    };
    const std::vector<int> counts = lineCounts(values);
    Mils y = stock_.margin;
    for (size_t n = 0; n < lines_.size(); ++n) {
        const Line& line = lines_[n];
        const FontSpec& font = n == 0 ? first_ : body_;
        Mils x = left;
        if (stock_.captions) {
            text(page, x, y, captionWidth_, columns_[line.left].caption, n == 0 ? first_ : caption_,
                 TextAlign::Left);
            x = x + captionWidth_;
        }
        text(page, x, y, width(line, line.left), value(line.left), font, TextAlign::Left,
             counts[n]);
        Mils rightEnd = x + valueWidth();
        for (auto c = line.right.rbegin(); c != line.right.rend(); ++c) {
            const Mils w = width(line, *c);
            text(page, rightEnd - w, y, w, value(*c), font, TextAlign::Right);
            rightEnd = rightEnd - w;
        }
        if (n == 0) {
            y = y + firstHeight_;
            const Mils rule = y - Mils{40};
            page.items.emplace_back(LineItem{MilsPoint{left, rule}, MilsPoint{left + full, rule},
                                             Mils{8}, look_.colour});
        } else {
            y = y + Mils{lineHeight_.value * counts[n]};
        }
    }
    return pages_.append(page);
}

}  // namespace cdz
