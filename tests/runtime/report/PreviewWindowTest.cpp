#include "runtime/report/PreviewWindow.h"

#include <QAction>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <set>

#include <gtest/gtest.h>

#include "runtime/report/PageCanvas.h"
#include "runtime/report/PageSource.h"
#include "runtime/report/PreviewPageItem.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace cdz {
namespace {

// Letter pages that show their number in a frame, and remember which were drawn.
class NumberedPages final : public PageSource {
public:
    explicit NumberedPages(int count) : count_(count) {}
    int pageCount() const override { return count_; }
    void setCount(int count) { count_ = count; }
    QSizeF pageSize(int) const override { return {612, 792}; }
    void draw(PageCanvas& canvas, int page, const QRectF& target) const override {
        drawn.insert(page);
        canvas.box(target.adjusted(4, 4, -4, -4), 1, kBlack, kNoColour);
        canvas.text({"DejaVu Sans", 10}, kBlack, target.center(), QString::number(page + 1));
    }
    mutable std::set<int> drawn;

private:
    int count_;
};

class PreviewWindowTest : public ::testing::Test {
protected:
    QString zone(const char* name) const {
        return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    void open(int pages, int across, int down) {
        source = std::make_unique<NumberedPages>(pages);
        window = std::make_unique<PreviewWindow>(*source, dialogs);
        window->show();
        window->setGrid(across, down);
    }
    void key(Qt::Key k) {
        QTest::keyClick(window->findChild<QWidget*>(QStringLiteral("previewPages")), k);
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<NumberedPages> source;
    std::unique_ptr<PreviewWindow> window;
};

TEST_F(PreviewWindowTest, StatusFollowsNextPreviousAndJump) {
    open(5, 2, 2);
    EXPECT_EQ(zone("previewPosition"), "Pages 1-4 of 5");
    EXPECT_EQ(zone("previewZoom"), "No Zoom");
    key(Qt::Key_PageDown);
    EXPECT_EQ(zone("previewPosition"), "Page 5 of 5");
    EXPECT_FALSE(action("actionNext")->isEnabled());
    key(Qt::Key_PageUp);
    EXPECT_EQ(zone("previewPosition"), "Pages 1-4 of 5");
    EXPECT_FALSE(action("actionPrevious")->isEnabled());
    window->findChild<QSpinBox*>(QStringLiteral("previewPage"))->setValue(3);
    EXPECT_EQ(zone("previewPosition"), "Pages 3-5 of 5");
    key(Qt::Key_Home);
    EXPECT_EQ(zone("previewPosition"), "Pages 1-4 of 5");
}

TEST_F(PreviewWindowTest, OnePageLeavesNothingToMove) {
    open(1, 1, 1);
    EXPECT_EQ(zone("previewPosition"), "Page 1 of 1");
    EXPECT_FALSE(window->findChild<QMenu*>(QStringLiteral("menuView"))->isEnabled());
    EXPECT_FALSE(action("actionNext")->isEnabled());
    for (const char* spin : {"previewPage", "previewAcross", "previewDown"})
        EXPECT_FALSE(window->findChild<QSpinBox*>(QString::fromLatin1(spin))->isEnabled()) << spin;
}

TEST_F(PreviewWindowTest, ZoomPopupChoiceIsShownAndCheckedNextTime) {
    open(3, 1, 1);
    dialogs.queue("6");  // 200%
    window->chooseZoom();
    EXPECT_EQ(zone("previewZoom"), "Zoom (200%)");
    EXPECT_TRUE(action("actionZoom200")->isChecked());
    EXPECT_FALSE(action("actionZoomNone")->isChecked());
    window->chooseZoom();  // no answer left: nothing chosen, nothing changes
    EXPECT_EQ(dialogs.shown().back().text, "-No Zoom|-|-Page Width|-50%|-75%|-100%|+200%|-300%");
    EXPECT_EQ(zone("previewZoom"), "Zoom (200%)");
    key(Qt::Key_Return);  // a zoomed page goes back to the thumbnails
    EXPECT_EQ(zone("previewZoom"), "No Zoom");
    key(Qt::Key_Return);
    EXPECT_EQ(zone("previewZoom"), "Zoom (Page Width)");
}

TEST_F(PreviewWindowTest, DoubleClickZoomsOnThatThumbnail) {
    open(5, 2, 2);
    auto* view = window->findChild<QGraphicsView*>(QStringLiteral("previewPages"));
    QPoint second;
    for (QGraphicsItem* item : view->items())
        if (static_cast<PreviewPageItem*>(item)->page() == 1)
            second = view->mapFromScene(item->sceneBoundingRect().center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(zone("previewPosition"), "Page 2 of 5");
    EXPECT_EQ(zone("previewZoom"), "Zoom (Page Width)");
}

TEST_F(PreviewWindowTest, OnlyPagesOnTheScreenAreDrawn) {
    open(7, 2, 2);
    window->grab();
    EXPECT_EQ(source->drawn, (std::set<int>{0, 1, 2, 3}));
    window->nextPages();
    window->grab();
    EXPECT_EQ(source->drawn, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(PreviewWindowTest, PrintAnswersPrintAndExitAnswersExit) {
    open(2, 1, 1);
    int printed = 0;
    window->setPrintHandler([&] { ++printed; });
    window->close();
    EXPECT_EQ(window->response(), PreviewResponse::Exit);
    EXPECT_EQ(printed, 0);
    window->show();
    action("actionPrint")->trigger();
    EXPECT_EQ(window->response(), PreviewResponse::Print);
    EXPECT_EQ(printed, 1);
    EXPECT_FALSE(window->isVisible());
}

// The pages of a report still being made are held back and made one by one, as the test says.
TEST_F(PreviewWindowTest, AReportStillBeingMadeShowsItsFirstPageAndPrintsOnceComplete) {
    open(1, 1, 1);
    window->grow(1, false);
    int printed = 0;
    window->setPrintHandler([&] { ++printed; });
    EXPECT_EQ(zone("previewPosition"), "Page 1 of 1...");
    EXPECT_TRUE(action("actionNext")->isEnabled());
    key(Qt::Key_PageDown);
    EXPECT_EQ(zone("previewPosition"), "Waiting for page 2 (1 made)");
    window->grab();
    EXPECT_EQ(source->drawn, (std::set<int>{0}));  // nothing is asked of a page not yet made
    source->setCount(2);
    window->grow(2, false);
    window->grab();
    EXPECT_EQ(zone("previewPosition"), "Page 2 of 2...");
    EXPECT_EQ(source->drawn, (std::set<int>{0, 1}));
    action("actionPrint")->trigger();
    EXPECT_EQ(printed, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(action("actionPrint")->isEnabled());
    EXPECT_EQ(zone("previewZone1"), "Printing once the last page is made");
    source->setCount(3);
    window->grow(3, true);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(window->response(), PreviewResponse::Print);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(PreviewWindowTest, ModalRunReturnsTheAnswerOnceClosed) {
    open(2, 1, 1);
    QTimer::singleShot(0, window.get(), [this] { action("actionPrint")->trigger(); });
    EXPECT_EQ(window->exec(), PreviewResponse::Print);
    QTimer::singleShot(0, window.get(), [this] { action("actionExit")->trigger(); });
    EXPECT_EQ(window->exec(), PreviewResponse::Exit);
}

}  // namespace
}  // namespace cdz
