#include "app/engine/browse/BrowseList.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>

namespace cdz {

BrowseList::BrowseList(QWidget* parent) : QTableView(parent) {
    setObjectName("BrowseList");
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    // Room to spare is spread over the columns rather than all given to the last one.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
        if (spreading_) return;
        if (column < static_cast<int>(lent_.size())) lent_[static_cast<size_t>(column)] = 0;
        QTimer::singleShot(0, this, &BrowseList::spread);
    });
    setToolTip("Browsing Records");
}

void BrowseList::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    emit painted();
}

int BrowseList::visibleRows() const {
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / rowHeight);
}

void BrowseList::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Up:
            emit moved(Move::LineUp);
            return;
        case Qt::Key_Down:
            emit moved(Move::LineDown);
            return;
        case Qt::Key_PageUp:
            emit moved(ctrl ? Move::Top : Move::PageUp);
            return;
        case Qt::Key_PageDown:
            emit moved(ctrl ? Move::Bottom : Move::PageDown);
            return;
        case Qt::Key_Home:
            emit moved(Move::Top);
            return;
        case Qt::Key_End:
            emit moved(Move::Bottom);
            return;
        case Qt::Key_Insert:
            emit pressed(Press::Insert);
            return;
        case Qt::Key_Delete:
            emit pressed(Press::Delete);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (ctrl) {
                emit pressed(Press::Change);
                return;
            }
            break;  // Enter presses the window's default button
        case Qt::Key_Backspace:
            emit typed(U'\b');
            return;
        default:
            break;
    }
    const QString text = event->text();
    if (!ctrl && !text.isEmpty() && text.at(0).isPrint()) {
        emit typed(text.toUcs4().front());
        return;
    }
    event->ignore();
}

void BrowseList::wheelEvent(QWheelEvent* event) {
    wheelRest_ += event->angleDelta().y();
    while (wheelRest_ >= 40) {
        wheelRest_ -= 40;
        emit moved(Move::LineUp);
    }
    while (wheelRest_ <= -40) {
        wheelRest_ += 40;
        emit moved(Move::LineDown);
    }
    event->accept();
}

void BrowseList::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    pressedRow_ = 0;
    if (index.isValid() && event->button() == Qt::LeftButton) {
        pressedRow_ = index.row() + 1;
        pressedAt_ = event->position().toPoint();
        emit rowClicked(index.row() + 1);
    }
    if (index.isValid() && event->button() == Qt::RightButton) emit rowClicked(index.row() + 1);
    event->accept();
}

void BrowseList::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton) emit doubleClicked(index.row() + 1);
    event->accept();
}

void BrowseList::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (pressedRow_ == 0 || !(event->buttons() & Qt::LeftButton)) return;
    if ((event->position().toPoint() - pressedAt_).manhattanLength() <
        QApplication::startDragDistance()) {
        return;
    }
    const int row = pressedRow_;
    pressedRow_ = 0;
    emit dragRequested(row);
}

void BrowseList::contextMenuEvent(QContextMenuEvent* event) {
    emit popupRequested(event->globalPos());
    event->accept();
}

void BrowseList::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    spread();
    emit rowsChanged();
}

int BrowseList::lentWidth(int column) const {
    return column >= 0 && column < static_cast<int>(lent_.size())
               ? lent_[static_cast<size_t>(column)]
               : 0;
}

void BrowseList::spread() {
    if (spreading_) return;
    spreading_ = true;
    QHeaderView* header = horizontalHeader();
    const int count = header->count();
    lent_.resize(static_cast<size_t>(count), 0);
    std::vector<int> own(static_cast<size_t>(count), 0);
    int total = 0;
    for (int c = 0; c < count; ++c) {
        if (header->isSectionHidden(c)) continue;
        own[static_cast<size_t>(c)] = std::max(0, header->sectionSize(c) - lentWidth(c));
        total += own[static_cast<size_t>(c)];
    }
    const int room = std::max(0, viewport()->width() - total);
    int given = 0;
    for (int c = 0; c < count; ++c) {
        const size_t i = static_cast<size_t>(c);
        const int share = total > 0 ? static_cast<int>(int64_t{room} * own[i] / total) : 0;
        given += share;
        lent_[i] = share;
    }
    // What division leaves goes to the widest column.
    if (total > 0 && room > given) {
        const auto widest = std::max_element(own.begin(), own.end()) - own.begin();
        lent_[static_cast<size_t>(widest)] += room - given;
    }
    for (int c = 0; c < count; ++c) {
        const size_t i = static_cast<size_t>(c);
        if (!header->isSectionHidden(c) && header->sectionSize(c) != own[i] + lent_[i])
            header->resizeSection(c, own[i] + lent_[i]);
    }
    spreading_ = false;
}

}  // namespace cdz
