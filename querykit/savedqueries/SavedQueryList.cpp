#include "querykit/savedqueries/SavedQueryList.h"

#include <algorithm>
#include <utility>

namespace qk {

namespace err = cdz::err;

SavedQueryList::SavedQueryList(QueryStore& store, std::string_view className, QString header,
                               int pageRows, QObject* parent)
    : QAbstractListModel(parent),
      store_(store),
      className_(storedClassName(className)),
      header_(std::move(header)),
      pageRows_(std::max(1, pageRows)),
      view_(store.file(StoreTableId::Queries)) {
    view_.setPageSize(pageRows_);
    // Only the class's own records: a range over the key's first field, read through its index.
    store_.query() = QueryRec{};
    store_.query().ClassName = className_;
    if (view_.setOrder(Keys::kQueriesByClassName) != 0 || view_.setPrefix(1) != 0) atEnd_ = true;
    view_.setStart();
}

int SavedQueryList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant SavedQueryList::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return rows_[static_cast<size_t>(index.row())].description;
}

QVariant SavedQueryList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return header_;
    return {};
}

bool SavedQueryList::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !atEnd_;
}

void SavedQueryList::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent)) read(pageRows_);
}

int32_t SavedQueryList::queryNo(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<size_t>(row)].queryNo : 0;
}

int SavedQueryList::find(const QString& prefix) {
    for (size_t row = 0;; ++row) {
        if (row == rows_.size()) {
            if (atEnd_) return -1;
            read(pageRows_);
            if (row == rows_.size()) return -1;
        }
        if (rows_[row].description.startsWith(prefix, Qt::CaseInsensitive)) {
            return static_cast<int>(row);
        }
    }
}

void SavedQueryList::reload() {
    const int wanted = std::max(pageRows_, rowCount());
    beginResetModel();
    rows_.clear();
    atEnd_ = false;
    view_.setStart();
    endResetModel();
    read(wanted);
}

void SavedQueryList::read(int count) {
    std::vector<Row> page;
    while (static_cast<int>(page.size()) < count) {
        if (view_.next() != 0) {
            atEnd_ = true;
            if (store_.database().error().code != err::kRecordNotAvailable) {
                store_.messages().warning(cdz::Warning::RecordRetrievalError,
                                          store_.database().error(), "XRQW_Queries");
                if (readFailed_) readFailed_();
            }
            break;
        }
        const QueryRec& rec = store_.query();
        page.push_back({rec.QueryNo, QString::fromUtf8(rec.Description.clipped().data(),
                                                       static_cast<qsizetype>(
                                                           rec.Description.clipped().size()))});
    }
    if (page.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    rows_.insert(rows_.end(), page.begin(), page.end());
    endInsertRows();
}

}  // namespace qk
