#pragma once
// The one table model of every browse: it holds nothing but the engine's page, shown through
// the list format's columns (width, justification, header, picture and the row field each
// column shows). The list never learns how many records the file has.
#include <QAbstractTableModel>

#include <optional>
#include <vector>

#include "app/engine/columns/ListFormat.h"
#include "runtime/text/Picture.h"

namespace cdz {

class BrowseEngine;

class PageModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    PageModel(const BrowseEngine& engine, QObject* parent = nullptr);

    // The columns to show; a column without a field number shows the row field of its place.
    void setFormat(const ListFormat& format);
    const ListFormat& format() const { return format_; }
    // The header under the mouse that a click would order by, drawn marked; -1 for none.
    void setMarkedSection(int section);
    // The page changed: rows and values are read again.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Column {
        int field = 0;
        std::optional<Picture> picture;
        Qt::Alignment align = Qt::AlignLeft;
        Qt::Alignment headerAlign = Qt::AlignLeft;
        QString header;
    };

    const BrowseEngine& engine_;
    ListFormat format_;
    std::vector<Column> columns_;
    int marked_ = -1;
};

}  // namespace cdz
