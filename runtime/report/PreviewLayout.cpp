#include "runtime/report/PreviewLayout.h"

#include <algorithm>
#include <array>

namespace cdz {

namespace {

constexpr int kZoomModes = 7;

struct ZoomWords {
    const char* status;
    const char* popup;
    double scale;  // 0 for the modes whose scale is not fixed
};

constexpr std::array<ZoomWords, kZoomModes> kZoomWords{{
    {"No Zoom", "No Zoom", 0.0},
    {"Zoom (Page Width)", "Page Width", 0.0},
    {"Zoom (50%)", "50%", 0.5},
    {"Zoom (75%)", "75%", 0.75},
    {"Zoom (100%)", "100%", 1.0},
    {"Zoom (200%)", "200%", 2.0},
    {"Zoom (300%)", "300%", 3.0},
}};

const ZoomWords& wordsOf(PreviewZoom zoom) {
    return kZoomWords.at(static_cast<std::size_t>(zoom));
}

}  // namespace

PreviewLayout::PreviewLayout(int pageCount) : count_(std::max(1, pageCount)) {}

void PreviewLayout::grow(int pageCount, bool complete) {
    count_ = std::max(1, pageCount);
    complete_ = complete;
    current_ = std::min(current_, count_);
    if (waiting_ > 0 && (waiting_ <= count_ || complete_)) {
        current_ = std::min(waiting_, count_);
        waiting_ = 0;
    }
}

int PreviewLayout::lastShown() const {
    return std::min(count_, current_ + displayed() - 1);
}

void PreviewLayout::setGrid(int across, int down) {
    across_ = std::max(1, across);
    down_ = std::max(1, down);
}

namespace {

// n cells of `room` with gaps between them: (room - (gap x n - 1)) / n >= kMinCell.
int fitting(double room) {
    const double n = (room + 1) / (PreviewLayout::kMinCell + PreviewLayout::kGap);
    return std::max(1, static_cast<int>(n));
}

}  // namespace

int PreviewLayout::maxAcross(QSizeF window) {
    return fitting(window.width());
}

int PreviewLayout::maxDown(QSizeF window) {
    return fitting(window.height() - kFooter);
}

void PreviewLayout::fitGrid(QSizeF window) {
    setGrid(std::min(across_, maxAcross(window)), std::min(down_, maxDown(window)));
}

void PreviewLayout::zoomIn() {
    zoom_ = static_cast<PreviewZoom>(std::min(kZoomModes - 1, static_cast<int>(zoom_) + 1));
}

void PreviewLayout::zoomOut() {
    zoom_ = static_cast<PreviewZoom>(std::max(0, static_cast<int>(zoom_) - 1));
}

bool PreviewLayout::canNext() const {
    return !complete_ || current_ + displayed() <= count_;
}

void PreviewLayout::next() {
    if (canNext()) jump((waiting_ > 0 ? waiting_ : current_) + displayed());
}

void PreviewLayout::previous() {
    waiting_ = 0;
    current_ = std::max(1, current_ - displayed());
}

void PreviewLayout::jump(int page) {
    if (!complete_ && page > count_) {
        waiting_ = page;
        return;
    }
    waiting_ = 0;
    current_ = std::clamp(page, 1, count_);
}

void PreviewLayout::first() {
    waiting_ = 0;
    current_ = 1;
}

void PreviewLayout::last() {
    waiting_ = 0;
    current_ = 1 + (count_ - 1) / displayed() * displayed();
}

std::string PreviewLayout::positionText() const {
    const std::string made = std::to_string(count_);
    if (waiting_ > 0)
        return "Waiting for page " + std::to_string(waiting_) + " (" + made + " made)";
    const std::string of = " of " + made + (complete_ ? "" : "...");
    if (displayed() == 1 || current_ == count_) return "Page " + std::to_string(current_) + of;
    return "Pages " + std::to_string(current_) + "-" + std::to_string(lastShown()) + of;
}

std::string PreviewLayout::zoomText() const {
    return wordsOf(zoom_).status;
}

std::string PreviewLayout::zoomPopupText() const {
    std::string text;
    for (int i = 0; i < kZoomModes; ++i) {
        if (i == 1) text += "|-";
        if (i > 0) text += "|";
        text += (i == static_cast<int>(zoom_) ? "+" : "-");
        text += kZoomWords.at(static_cast<std::size_t>(i)).popup;
    }
    return text;
}

double PreviewLayout::scale(double windowWidth, double pageWidth) const {
    if (zoom_ == PreviewZoom::PageWidth) return pageWidth > 0 ? windowWidth / pageWidth : 1.0;
    const double fixed = wordsOf(zoom_).scale;
    return fixed > 0 ? fixed : 1.0;
}

std::vector<QRectF> PreviewLayout::cells(QSizeF window, double aspect) const {
    const double ratio = aspect > 0 ? aspect : 1.0;
    double width = (window.width() - (kGap * across_ - 1)) / across_;
    double height = (window.height() - kFooter - (kGap * down_ - 1)) / down_;
    if (height / std::max(width, 1.0) > ratio)
        height = width * ratio;
    else
        width = height / ratio;
    width = std::max(width, 1.0);
    height = std::max(height, 1.0);
    std::vector<QRectF> result;
    result.reserve(static_cast<std::size_t>(across_) * static_cast<std::size_t>(down_));
    for (int row = 0; row < down_; ++row)
        for (int col = 0; col < across_; ++col)
            result.emplace_back(col * (width + kGap), row * (height + kGap), width, height);
    return result;
}

}  // namespace cdz
