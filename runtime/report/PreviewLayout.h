#pragma once
// What the report preview shows, without any widget: the current page, the thumbnail grid
// (pages across and down), the zoom mode, the Next/Previous rules, the status texts and the
// geometry of the thumbnail cells. The preview window only draws what this decides. A report
// still being made grows: its count is not final, and Next or Jump past the pages made so far
// wait for the page asked for.
#include <QRectF>
#include <QSizeF>
#include <string>
#include <vector>

namespace cdz {

// In the order of the Zoom menu and the zoom popup.
enum class PreviewZoom {
    None,
    PageWidth,
    Percent50,
    Percent75,
    Percent100,
    Percent200,
    Percent300
};

class PreviewLayout {
public:
    // Pages are numbered from 1; a list always has at least one page.
    explicit PreviewLayout(int pageCount);

    // The pages made so far, and whether they are all there will be. The page waited for is
    // shown once it is made, or the last page once the count is final.
    void grow(int pageCount, bool complete);
    bool complete() const { return complete_; }
    // The page Next or Jump asked for that is not made yet; 0 when nothing is waited for.
    int waitingFor() const { return waiting_; }

    int pageCount() const { return count_; }
    int current() const { return current_; }
    int across() const { return across_; }
    int down() const { return down_; }
    PreviewZoom zoom() const { return zoom_; }
    bool zoomed() const { return zoom_ != PreviewZoom::None; }
    // Pages on the screen at once: the whole grid in thumbnail mode, 1 when zoomed.
    int displayed() const { return zoomed() ? 1 : across_ * down_; }
    // The last page on the screen (the grid's cells past the last page stay empty).
    int lastShown() const;
    // With a single page there is nowhere to move nor any grid to choose.
    bool navigable() const { return count_ > 1 || !complete_; }

    // Each at least 1.
    void setGrid(int across, int down);
    // The most cells across and down that a window of this size holds, each at least
    // kMinCell units; fitGrid brings the grid within them.
    static int maxAcross(QSizeF window);
    static int maxDown(QSizeF window);
    void fitGrid(QSizeF window);
    void setZoom(PreviewZoom zoom) { zoom_ = zoom; }
    // The next and previous modes in menu order; they stop at either end.
    void zoomIn();
    void zoomOut();

    bool canNext() const;
    bool canPrevious() const { return current_ > 1; }
    void next();
    void previous();
    // Clamped to 1..pageCount; past the pages made so far of a growing report, waited for.
    void jump(int page);
    void first();
    // The page that Next, pressed from page 1 until it stops, would reach (of the pages made).
    void last();

    // Status bar zones: the position and the zoom.
    std::string positionText() const;
    std::string zoomText() const;
    // The zoom popup with the current mode checked; its items are numbered as the modes are.
    std::string zoomPopupText() const;
    static PreviewZoom zoomOfPopupItem(int item) { return static_cast<PreviewZoom>(item - 1); }

    // The zoomed page's scale: Page Width fits the page's width to the window's.
    double scale(double windowWidth, double pageWidth) const;
    // Thumbnail cells, Across x Down in reading order from the current page on, each the
    // page's shape (aspect = height / width) and never without size, however small the window.
    std::vector<QRectF> cells(QSizeF window, double aspect) const;

    // Room kept below the grid and between cells, in window units.
    static constexpr double kFooter = 18.0;
    static constexpr double kGap = 3.0;
    static constexpr double kMinCell = 8.0;

private:
    int count_;
    int current_ = 1;
    int waiting_ = 0;
    bool complete_ = true;
    int across_ = 1;
    int down_ = 1;
    PreviewZoom zoom_ = PreviewZoom::None;
};

}  // namespace cdz
