#pragma once
// A browse list under the user's column layout: shows the layout (columns, font, line height,
// scroll bars) in the list, takes back the widths the user dragged, resets on Alt+F12, and
// orders the browse by a column whose header is clicked: first click ascending, the same header
// again toggles, another header starts ascending. While the mouse is over a header that can be
// ordered that header is marked. A right click then offers to go back to the key sequence.
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <string>

#include "app/engine/columns/ColumnLayout.h"

namespace cdz {

class BrowseEngine;
class BrowseList;
class Dialogs;
class PageModel;

class ColumnLayoutView final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kOrderTitle = "Colvue Template - Re-Order Option";

    struct Host {
        BrowseEngine& engine;
        BrowseList& list;
        PageModel& model;
        Dialogs& dialogs;
        int averageCharWidth = 1;                   // of the window's font, for dialog units
        std::function<void()> refreshed;            // the page changed: the window shows it
        std::function<void(const QString&)> title;  // sets the window's title
    };

    ColumnLayoutView(ColumnLayout layout, Host host, QObject* parent = nullptr);

    ColumnLayout& layout() { return layout_; }
    const ColumnLayout& layout() const { return layout_; }

    // Shows the layout in the list and, when `readPage`, reads the page again (another font or
    // line height shows another number of rows).
    void apply(bool readPage = true);
    // The design layout, shown.
    void reset();
    // Widths the user dragged become the layout's (the last column, stretched to the list's
    // edge, keeps its own).
    void takeListWidths();

    // Orders the browse by the shown column at `place` as a click on its header does.
    void headerClicked(int place);
    // A right click on the list: true when a column order is in force and the popup
    // "Escape|Key Sequence" was offered in place of the browse's own.
    bool offerKeySequence();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refuse(const std::string& header, const std::string& field);
    void markHeader(int section);
    void showOrder();

    ColumnLayout layout_;
    Host host_;
    // What the filter watches, compared by address alone: while the list is destroyed its
    // events still come, and it is no list any more.
    QPointer<QObject> headerViewport_;
    QPointer<QObject> listWatched_;
};

}  // namespace cdz
