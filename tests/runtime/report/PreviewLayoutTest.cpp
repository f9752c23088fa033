#include "runtime/report/PreviewLayout.h"

#include <gtest/gtest.h>

#include "runtime/ui/PopupMenuText.h"

namespace cdz {
namespace {

// Moves, one letter each: n next, p previous, h first, e last, jN jump to page N (one digit).
void play(PreviewLayout& layout, const std::string& moves) {
    for (std::size_t i = 0; i < moves.size(); ++i) {
        switch (moves[i]) {
            case 'n':
                layout.next();
                break;
            case 'p':
                layout.previous();
                break;
            case 'h':
                layout.first();
                break;
            case 'e':
                layout.last();
                break;
            case 'j':
                layout.jump(moves[++i] - '0');
                break;
            default:
                FAIL() << "unknown move " << moves[i];
        }
    }
}

struct Position {
    int pages, across, down;
    PreviewZoom zoom;
    std::string moves;
    std::string text;
    bool canNext, canPrevious;
};

TEST(PreviewLayoutTest, MovesAndPositionTexts) {
    const PreviewZoom none = PreviewZoom::None;
    const std::vector<Position> table = {
        {1, 1, 1, none, "", "Page 1 of 1", false, false},
        {1, 1, 1, none, "npe", "Page 1 of 1", false, false},
        {5, 2, 2, none, "", "Pages 1-4 of 5", true, false},
        {5, 2, 2, none, "n", "Page 5 of 5", false, true},
        {5, 2, 2, none, "nn", "Page 5 of 5", false, true},
        {5, 2, 2, none, "np", "Pages 1-4 of 5", true, false},
        {6, 2, 2, none, "n", "Pages 5-6 of 6", false, true},
        {4, 2, 2, none, "n", "Pages 1-4 of 4", false, false},
        {5, 2, 2, none, "j3", "Pages 3-5 of 5", false, true},
        {5, 2, 2, none, "j3p", "Pages 1-4 of 5", true, false},
        {5, 2, 2, none, "j9", "Page 5 of 5", false, true},
        {5, 2, 2, none, "j4j0", "Pages 1-4 of 5", true, false},
        {8, 2, 2, none, "e", "Pages 5-8 of 8", false, true},
        {8, 2, 2, none, "eh", "Pages 1-4 of 8", true, false},
        {5, 2, 2, PreviewZoom::Percent100, "n", "Page 2 of 5", true, true},
        {5, 2, 2, PreviewZoom::PageWidth, "e", "Page 5 of 5", false, true},
        {3, 1, 1, none, "nn", "Page 3 of 3", false, true},
        {3, 3, 1, none, "j2", "Pages 2-3 of 3", false, true},
        {3, 3, 1, none, "j3", "Page 3 of 3", false, true},
    };
    for (const Position& row : table) {
        PreviewLayout layout(row.pages);
        layout.setGrid(row.across, row.down);
        layout.setZoom(row.zoom);
        play(layout, row.moves);
        SCOPED_TRACE(std::to_string(row.pages) + " pages, moves " + row.moves);
        EXPECT_EQ(layout.positionText(), row.text);
        EXPECT_EQ(layout.canNext(), row.canNext);
        EXPECT_EQ(layout.canPrevious(), row.canPrevious);
    }
}

// A report still being made: moves past its pages wait, and the pages that come (or the count
// made final) end the wait. Growth: "gN" N pages made so far, "cN" N pages and complete.
TEST(PreviewLayoutTest, AGrowingReportWaitsForThePageAskedFor) {
    struct Growing {
        int across;
        std::string moves;  // play()'s moves, and g/c with one digit
        std::string text;
        bool canNext;
    };
    const std::vector<Growing> table = {
        {1, "", "Page 1 of 1...", true},
        {1, "n", "Waiting for page 2 (1 made)", true},
        {1, "nn", "Waiting for page 3 (1 made)", true},
        {1, "ng2", "Page 2 of 2...", true},
        {1, "nng2", "Waiting for page 3 (2 made)", true},
        {1, "nnc2", "Page 2 of 2", false},  // the report ended short of the page asked for
        {1, "j7g8", "Page 7 of 8...", true},
        {1, "j7p", "Page 1 of 1...", true},  // Previous gives the wait up
        {1, "g4e", "Page 4 of 4...", true},  // the last page made so far
        {1, "g4eg6", "Page 4 of 6...", true},
        {2, "g3", "Pages 1-2 of 3...", true},
        {2, "nc5", "Pages 3-4 of 5", true},
        {2, "nnc5", "Page 5 of 5", false},
    };
    for (const Growing& row : table) {
        PreviewLayout layout(1);
        layout.grow(1, false);
        layout.setGrid(row.across, 1);
        for (std::size_t i = 0; i < row.moves.size(); ++i) {
            const char m = row.moves[i];
            if (m == 'g' || m == 'c')
                layout.grow(row.moves[++i] - '0', m == 'c');
            else if (m == 'j')
                layout.jump(row.moves[++i] - '0');
            else
                play(layout, std::string(1, m));
        }
        SCOPED_TRACE("moves " + row.moves);
        EXPECT_EQ(layout.positionText(), row.text);
        EXPECT_EQ(layout.canNext(), row.canNext);
        EXPECT_TRUE(layout.navigable());
    }
}

TEST(PreviewLayoutTest, ZoomTextsPopupAndScales) {
    struct Row {
        PreviewZoom zoom;
        std::string status;
        double scale;  // window 600 wide, page 300 wide
    };
    const std::vector<Row> table = {
        {PreviewZoom::None, "No Zoom", 1.0},
        {PreviewZoom::PageWidth, "Zoom (Page Width)", 2.0},
        {PreviewZoom::Percent50, "Zoom (50%)", 0.5},
        {PreviewZoom::Percent75, "Zoom (75%)", 0.75},
        {PreviewZoom::Percent100, "Zoom (100%)", 1.0},
        {PreviewZoom::Percent200, "Zoom (200%)", 2.0},
        {PreviewZoom::Percent300, "Zoom (300%)", 3.0},
    };
    PreviewLayout layout(2);
    for (const Row& row : table) {
        layout.setZoom(row.zoom);
        SCOPED_TRACE(row.status);
        EXPECT_EQ(layout.zoomText(), row.status);
        EXPECT_DOUBLE_EQ(layout.scale(600, 300), row.scale);
        // Exactly one item is checked, and choosing it gives this mode back.
        int checked = 0;
        for (const PopupItem& item : parsePopupText(layout.zoomPopupText())) {
            if (!item.checked) continue;
            ++checked;
            EXPECT_EQ(PreviewLayout::zoomOfPopupItem(item.number), row.zoom);
        }
        EXPECT_EQ(checked, 1);
    }
    layout.setZoom(PreviewZoom::Percent200);
    EXPECT_EQ(layout.zoomPopupText(), "-No Zoom|-|-Page Width|-50%|-75%|-100%|+200%|-300%");
}

TEST(PreviewLayoutTest, ZoomStepsStopAtEitherEnd) {
    PreviewLayout layout(1);
    layout.zoomOut();
    EXPECT_EQ(layout.zoom(), PreviewZoom::None);
    for (int i = 0; i < 9; ++i) layout.zoomIn();
    EXPECT_EQ(layout.zoom(), PreviewZoom::Percent300);
    layout.zoomOut();
    EXPECT_EQ(layout.zoom(), PreviewZoom::Percent200);
}

TEST(PreviewLayoutTest, ThumbnailCellsKeepThePageShapeAndNeverVanish) {
    struct Row {
        QSizeF window;
        int across, down;
        double aspect;
        std::vector<QRectF> cells;
    };
    const std::vector<Row> table = {
        // (203 - 5) / 2 = 99 wide, (218 - 18 - 5) / 2 = 97.5 high: square pages take 97.5.
        {{203, 218},
         2,
         2,
         1.0,
         {{0, 0, 97.5, 97.5},
          {100.5, 0, 97.5, 97.5},
          {0, 100.5, 97.5, 97.5},
          {100.5, 100.5, 97.5, 97.5}}},
        // A tall page in a wide window: the height decides, the width follows.
        {{400, 120}, 1, 1, 2.0, {{0, 0, 50, 100}}},
        // A wide page in a tall window: the width decides.
        {{102, 418}, 1, 1, 0.5, {{0, 0, 100, 50}}},
        // Far too many cells for the window: each still has a size.
        {{10, 20}, 3, 1, 1.0, {{0, 0, 1, 1}, {4, 0, 1, 1}, {8, 0, 1, 1}}},
    };
    for (const Row& row : table) {
        PreviewLayout layout(9);
        layout.setGrid(row.across, row.down);
        EXPECT_EQ(layout.cells(row.window, row.aspect), row.cells);
    }
}

TEST(PreviewLayoutTest, GridIsClampedToWhatTheWindowHolds) {
    PreviewLayout layout(50);
    layout.setGrid(0, -3);
    EXPECT_EQ(layout.displayed(), 1);
    // 100 + 1 = 101 units hold 9 cells of 8 with gaps of 3; 82 + 1 below the footer hold 7.
    layout.setGrid(50, 50);
    layout.fitGrid({100, 100});
    EXPECT_EQ(layout.across(), 9);
    EXPECT_EQ(layout.down(), 7);
    layout.fitGrid({2, 2});
    EXPECT_EQ(layout.displayed(), 1);
}

}  // namespace
}  // namespace cdz
