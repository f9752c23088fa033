#pragma once
// The saved queries of one class in description order, read from the store a page at a time
// as the list asks for more rows, so a class with many queries costs one page to open: what the
// saved-queries browse shows. The queries table must stay in use while the list lives.
#include <QAbstractListModel>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "querykit/qwizard/QueryStore.h"
#include "runtime/data/View.h"

namespace qk {

class SavedQueryList final : public QAbstractListModel {
public:
    SavedQueryList(QueryStore& store, std::string_view className, QString header, int pageRows,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The query number on a row, 0 when there is no such row.
    int32_t queryNo(int row) const;
    // The first row whose description begins with `prefix`, ignoring case, reading further
    // pages as needed; -1 when there is none.
    int find(const QString& prefix);
    // Reads the list again from the start, as many rows as before (at least a page).
    void reload();
    // Told when reading the store failed (the user has been told): the browse gives up.
    void onReadFailed(std::function<void()> handler) { readFailed_ = std::move(handler); }

private:
    struct Row {
        int32_t queryNo;
        QString description;
    };
    // Appends up to `count` rows; stops early at the end of the class.
    void read(int count);

    QueryStore& store_;
    std::string className_;
    QString header_;
    int pageRows_;
    cdz::View view_;
    std::vector<Row> rows_;
    bool atEnd_ = false;
    std::function<void()> readFailed_;
};

}  // namespace qk
