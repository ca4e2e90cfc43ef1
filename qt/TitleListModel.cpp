#include "TitleListModel.h"

#include <algorithm>
#include <climits>

#include "Catalogue.h"
#include "CatalogueText.h"

using TitleList::Column;

TitleListModel::TitleListModel(const TitleList::Catalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {}

int TitleListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TitleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::size(TitleList::kColumns));
}

QVariant TitleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Column column = TitleList::kColumns[index.column()];
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(catalogue_.CellText(static_cast<std::size_t>(index.row()), column));
    }
    const bool isNumber = column == Column::Format || column == Column::Tracks || column == Column::Division;
    if (role == Qt::TextAlignmentRole && isNumber) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TitleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
    return QString::fromUtf8(TitleList::ColumnName(TitleList::kColumns[section]));
}

void TitleListModel::showRows(std::size_t count) {
    const int rows = static_cast<int>(std::min<std::size_t>(count, INT_MAX));
    // Rows come and go at the end, the rest are drawn anew: the view keeps
    // its scroll place, and the catalogue says what is selected.
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}
