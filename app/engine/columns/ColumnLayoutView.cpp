#include "app/engine/columns/ColumnLayoutView.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

#include "app/engine/browse/BrowseEngine.h"
#include "app/engine/browse/BrowseList.h"
#include "app/engine/browse/PageModel.h"
#include "app/engine/resize/DialogUnits.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

ColumnLayoutView::ColumnLayoutView(ColumnLayout layout, Host host, QObject* parent)
    : QObject(parent), layout_(std::move(layout)), host_(std::move(host)) {
    QHeaderView* header = host_.list.horizontalHeader();
    header->setSectionsClickable(true);
    header->setMouseTracking(true);
    header->viewport()->setMouseTracking(true);
    headerViewport_ = header->viewport();
    listWatched_ = &host_.list;
    header->viewport()->installEventFilter(this);
    host_.list.installEventFilter(this);
    connect(header, &QHeaderView::sectionClicked, this, &ColumnLayoutView::headerClicked);
}

void ColumnLayoutView::apply(bool readPage) {
    BrowseList& list = host_.list;
    host_.model.setFormat(layout_.format());
    const auto& columns = layout_.format().columns();
    for (size_t c = 0; c < columns.size(); ++c) {
        list.setColumnWidth(static_cast<int>(c),
                            dialogUnitsToPixelsX(columns[c].width(), host_.averageCharWidth));
    }
    const ListLook& look = layout_.look();
    list.setFont(look.font.toQFont(list.font()));
    QPalette palette = list.palette();
    const QColor colour = look.font.colour.toQColor();
    palette.setColor(QPalette::Text, colour.isValid() ? colour : QPalette().color(QPalette::Text));
    list.setPalette(palette);
    if (look.lineHeight > 0) list.verticalHeader()->setDefaultSectionSize(look.lineHeight);
    list.setHorizontalScrollBarPolicy(look.horizontalScroll ? Qt::ScrollBarAsNeeded
                                                            : Qt::ScrollBarAlwaysOff);
    showOrder();
    if (!readPage) return;
    host_.engine.forceRefresh();
    host_.engine.refresh();
    if (host_.refreshed) host_.refreshed();
}

void ColumnLayoutView::reset() {
    layout_.reset();
    apply();
}

void ColumnLayoutView::takeListWidths() {
    const size_t count = layout_.format().columns().size();
    for (size_t c = 0; c < count; ++c) {
        const int pixels = host_.list.ownWidth(static_cast<int>(c));
        const int units = pixelsToDialogUnitsX(pixels, host_.averageCharWidth);
        ListColumn& column = layout_.column(c);
        // A width that converts back to the same pixels is the one the layout has.
        if (dialogUnitsToPixelsX(column.width(), host_.averageCharWidth) != pixels) {
            column.setWidth(units);
        }
    }
}

void ColumnLayoutView::refuse(const std::string& header, const std::string& field) {
    host_.dialogs.message(kOrderTitle,
                          "Data cannot be ordered on column: " + header + " (" + field + ")",
                          MessageIcon::Information, Button::Ok, Button::Ok);
}

void ColumnLayoutView::headerClicked(int place) {
    if (place < 0 || static_cast<size_t>(place) >= layout_.shown().size()) return;
    const size_t at = static_cast<size_t>(place);
    const LayoutColumn& row = layout_.table()[layout_.shown()[at].column];
    const ListColumn& column = layout_.column(at);
    const std::string header = column.header().value_or(row.header);
    if (!row.orderable) {
        refuse(header, row.field);
        return;
    }
    const auto& inForce = host_.engine.columnOrder();
    const bool descending = inForce && inForce->label == row.field && !inForce->descending;
    const std::string picture = column.picture().empty() ? "" : "@" + column.picture();
    if (!host_.engine.setColumnOrder({row.field, descending, picture})) {
        refuse(header, row.field);
        return;
    }
    layout_.setDescending(at, descending);
    markHeader(-1);
    showOrder();
    if (host_.refreshed) host_.refreshed();
    // Until the next ordinary refresh sets the browse's own title again.
    if (host_.title) {
        host_.title(QString::fromStdString("Browse File by " + header +
                                           (descending ? " (descending)" : " (ascending)")));
    }
}

bool ColumnLayoutView::offerKeySequence() {
    if (!host_.engine.columnOrder()) return false;
    if (host_.dialogs.popup("Escape|Key Sequence") != 2) return true;
    host_.engine.clearColumnOrder();
    showOrder();
    if (host_.refreshed) host_.refreshed();
    if (host_.title) host_.title("Browse File by key sequence");
    return true;
}

// The ordered column carries the header's sort indicator.
void ColumnLayoutView::showOrder() {
    QHeaderView* header = host_.list.horizontalHeader();
    const auto& order = host_.engine.columnOrder();
    int section = -1;
    if (order) {
        for (size_t p = 0; p < layout_.shown().size(); ++p) {
            if (layout_.table()[layout_.shown()[p].column].field == order->label) {
                section = static_cast<int>(p);
            }
        }
    }
    header->setSortIndicatorShown(section >= 0);
    header->setSortIndicator(section,
                             order && order->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ColumnLayoutView::markHeader(int section) {
    host_.model.setMarkedSection(section);
}

bool ColumnLayoutView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == headerViewport_) {
        if (event->type() == QEvent::MouseMove) {
            QHeaderView* header = host_.list.horizontalHeader();
            const auto* move = static_cast<QMouseEvent*>(event);
            const int section = header->logicalIndexAt(move->position().toPoint());
            const bool orderable =
                section >= 0 && static_cast<size_t>(section) < layout_.shown().size() &&
                layout_.table()[layout_.shown()[static_cast<size_t>(section)].column].orderable;
            markHeader(orderable ? section : -1);
        } else if (event->type() == QEvent::Leave) {
            markHeader(-1);
        }
    } else if (watched == listWatched_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F12 && key->modifiers() == Qt::AltModifier) {
            reset();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace cdz
