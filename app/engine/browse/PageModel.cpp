#include "app/engine/browse/PageModel.h"

#include <QFont>

#include "app/engine/browse/BrowseEngine.h"

namespace cdz {
namespace {

Qt::Alignment alignmentOf(Justify j) {
    switch (j) {
        case Justify::Right:
        case Justify::Decimal:
            return Qt::AlignRight;
        case Justify::Center:
            return Qt::AlignHCenter;
        case Justify::Left:
            break;
    }
    return Qt::AlignLeft;
}

std::string storedText(const SqlValue& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) {
        std::string t = std::to_string(*d);
        while (!t.empty() && t.back() == '0') t.pop_back();
        if (!t.empty() && t.back() == '.') t.pop_back();
        return t;
    }
    return {};
}

}  // namespace

PageModel::PageModel(const BrowseEngine& engine, QObject* parent)
    : QAbstractTableModel(parent), engine_(engine) {}

void PageModel::setFormat(const ListFormat& format) {
    beginResetModel();
    marked_ = -1;
    format_ = format;
    columns_.clear();
    int place = 0;
    for (const ListColumn& c : format_.columns()) {
        Column col;
        col.field = c.fieldNumber() ? *c.fieldNumber() - 1 : place;
        if (!c.picture().empty()) col.picture = Picture::parse(c.picture());
        col.align = alignmentOf(c.justify());
        col.headerAlign = alignmentOf(c.headerJustify().value_or(c.justify()));
        col.header = QString::fromStdString(c.header().value_or(""));
        columns_.push_back(std::move(col));
        ++place;
    }
    endResetModel();
}

void PageModel::setMarkedSection(int section) {
    if (section == marked_) return;
    const int before = marked_;
    marked_ = section;
    for (int s : {before, section}) {
        if (s >= 0 && s < columnCount()) emit headerDataChanged(Qt::Horizontal, s, s);
    }
}

void PageModel::reload() {
    beginResetModel();
    endResetModel();
}

int PageModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : engine_.page().count();
}

int PageModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant PageModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= engine_.page().count()) return {};
    const Column& c = columns_[static_cast<size_t>(index.column())];
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(c.align | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (c.field < 0 || c.field >= engine_.rowFieldCount()) return {};
    const std::string stored = storedText(engine_.rowValue(index.row() + 1, c.field));
    const std::string shown = c.picture ? c.picture->format(stored) : stored;
    return QString::fromStdString(shown);
}

QVariant PageModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size())) {
        return {};
    }
    const Column& c = columns_[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole) return c.header;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(c.headerAlign | Qt::AlignVCenter);
    if (role == Qt::FontRole && section == marked_) {
        QFont marked;
        marked.setBold(true);
        marked.setUnderline(true);
        return marked;
    }
    return {};
}

}  // namespace cdz
