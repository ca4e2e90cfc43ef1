#include "EntryListModel.h"

#include <algorithm>

EntryListModel::EntryListModel(QObject* parent) : QAbstractListModel(parent) {}

void EntryListModel::setRows(std::vector<EntryRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void EntryListModel::setFolderIcons(const QIcon& openFolder, const QIcon& folder) {
    openFolderIcon_ = openFolder;
    folderIcon_ = folder;
}

int EntryListModel::rowNamed(std::string_view nativeName, int from) const {
    for (std::size_t i = static_cast<std::size_t>(std::max(from, 0)); i < rows_.size(); ++i) {
        if (rows_[i].entry.NativeName == nativeName) return static_cast<int>(i);
    }
    return -1;
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const EntryRow& shown = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString::fromStdString(shown.entry.DisplayName);
    case Qt::DecorationRole:
        if (shown.glyph == EntryRow::Glyph::OpenFolder) return openFolderIcon_;
        if (shown.glyph == EntryRow::Glyph::Folder) return folderIcon_;
        return {};
    case DepthRole:
        return shown.depth;
    default:
        return {};
    }
}
