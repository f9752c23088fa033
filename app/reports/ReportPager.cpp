#include "app/reports/ReportPager.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace cdz {
namespace {

Mils height(double points, double leading) {
    return Mils::fromPoints(points * leading);
}

}  // namespace

ReportPager::ReportPager(PageList& pages, QSizeF paper, std::string title,
                         std::vector<ReportColumn> columns, ReportLook look, int bands)
    : pages_(pages),
      title_(std::move(title)),
      columns_(std::move(columns)),
      look_(std::move(look)),
      bands_(std::max(1, bands)) {
    page_.width = Mils::fromPoints(paper.width());
    page_.height = Mils::fromPoints(paper.height());
    // Small paper (a card) keeps a quarter inch.
    if (std::min(page_.width.value, page_.height.value) < 5000) margin_ = Mils{250};
    // Bands stand a fifth of an inch apart.
    const int band = (page_.width.value - 2 * margin_.value - (bands_ - 1) * 200) / bands_;
    bandWidth_ = Mils{band + 200};
    const int printable = std::max(1, band);
    int weights = 0;
    for (const ReportColumn& c : columns_) weights += std::max(1, c.weight);
    int x = margin_.value;
    for (const ReportColumn& c : columns_) {
        const int w = printable * std::max(1, c.weight) / std::max(1, weights);
        left_.push_back(Mils{x});
        width_.push_back(Mils{w});
        x += w;
    }
    lineHeight_ = height(look_.font.pointSize, 1.3);
    bodyBottom_ = page_.height - margin_ - height(look_.font.pointSize, 2.0);
}

FontSpec ReportPager::headingFont(double points) const {
    if (look_.customFont) return look_.font;
    FontSpec f = look_.font;
    f.pointSize = points;
    f.weight = 700;
    return f;
}

void ReportPager::text(Mils x, Mils y, Mils width, const std::string& value, const FontSpec& font,
                       TextAlign align) {
    TextRun run;
    // Text keeps a tenth of an inch clear of the column on its right, a right-aligned number
    // too: the next column's text starts at its very edge.
    constexpr int gap = 100;
    run.box = MilsRect{x, y, Mils{std::max(1, width.value - gap)}, height(font.pointSize, 1.3)};
    run.text = QString::fromStdString(value);
    run.font = font;
    run.colour = look_.colour;
    run.align = align;
    page_.items.emplace_back(std::move(run));
}

void ReportPager::startPage() {
    page_.items.clear();
    ++pageNumber_;
    lines_ = 0;
    open_ = true;
    const Mils full = page_.width - margin_ - margin_;
    Mils y = margin_;
    const FontSpec title = headingFont(look_.font.pointSize + 5);
    if (!look_.logo.isEmpty() && QFileInfo(look_.logo).isFile()) {
        // The logo sits at the top left, as high as the title line and the date together.
        const Mils side = height(title.pointSize, 2.0);
        page_.items.emplace_back(ImageItem{MilsRect{margin_, y, side, side}, look_.logo});
    }
    text(margin_, y, full, title_, title, TextAlign::Center);
    const FontSpec small = headingFont(look_.font.pointSize);
    if (!look_.date.isEmpty())
        text(margin_, y, full, look_.date.toStdString(), look_.customFont ? look_.font : small,
             TextAlign::Right);
    y = y + height(title.pointSize, 2.0);
    for (int b = 0; b < bands_; ++b)
        for (size_t i = 0; i < columns_.size(); ++i)
            text(left_[i] + Mils{b * bandWidth_.value}, y, width_[i], columns_[i].caption, small,
                 columns_[i].align);
    y = y + height(small.pointSize, 1.4);
    page_.items.emplace_back(LineItem{MilsPoint{margin_, y}, MilsPoint{page_.width - margin_, y},
                                      Mils{10}, look_.colour});
    bodyTop_ = y + Mils{40};
}

bool ReportPager::endPage() {
    const Mils y = page_.height - margin_ - height(look_.font.pointSize, 1.3);
    text(margin_, y, page_.width - margin_ - margin_, "Page " + std::to_string(pageNumber_),
         look_.font, TextAlign::Center);
    open_ = false;
    return pages_.append(page_);
}

bool ReportPager::add(const std::vector<std::string>& values) {
    if (!open_) startPage();
    const int perBand =
        std::max(1, (bodyBottom_.value - bodyTop_.value) / std::max(1, lineHeight_.value));
    if (lines_ >= perBand * bands_) {
        if (!endPage()) return false;
        startPage();
    }
    const Mils y = bodyTop_ + Mils{(lines_ % perBand) * lineHeight_.value};
    const Mils shift{(lines_ / perBand) * bandWidth_.value};
    for (size_t i = 0; i < columns_.size() && i < values.size(); ++i)
        text(left_[i] + shift, y, width_[i], values[i], look_.font, columns_[i].align);
    ++lines_;
    return true;
}

bool ReportPager::finish() {
    if (!open_ || lines_ == 0) return true;
    return endPage();
}

}  // namespace cdz
