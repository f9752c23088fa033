#pragma once
// The list of a browse: a table over the page model whose own scrolling is switched off. Its
// keys, wheel and clicks become the engine's movements, locator characters and button presses,
// which the browse window carries out; the thumb beside it is the engine's estimate.
#include <QTableView>

#include <vector>

namespace cdz {

class BrowseList final : public QTableView {
    Q_OBJECT
public:
    enum class Move { LineUp, LineDown, PageUp, PageDown, Top, Bottom };
    enum class Press { Insert, Change, Delete, Select };

    explicit BrowseList(QWidget* parent = nullptr);

    // Whole rows that fit in the list now.
    int visibleRows() const;
    // Width the list lent a column to fill a window wider than its columns (spread over them
    // by their widths); the column's own width, the one kept, is its width less this.
    int lentWidth(int column) const;
    int ownWidth(int column) const { return columnWidth(column) - lentWidth(column); }

signals:
    void moved(cdz::BrowseList::Move move);
    void pressed(cdz::BrowseList::Press button);
    void typed(char32_t character);  // '\b' for backspace
    void rowClicked(int row);        // 1-based
    void popupRequested(const QPoint& globalPos);
    void doubleClicked(int row);
    void rowsChanged();           // the number of visible rows may have changed
    void dragRequested(int row);  // 1-based: the left button pressed on it moved far enough
    void painted();               // the rows have just been drawn

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void spread();

    std::vector<int> lent_;
    bool spreading_ = false;
    int wheelRest_ = 0;
    QPoint pressedAt_;
    int pressedRow_ = 0;  // the row the left button went down on, 0 when none
};

}  // namespace cdz
