#include "EntryListModel.h"

EntryListModel::EntryListModel(QObject* parent) : QAbstractListModel(parent) {}

void EntryListModel::setRows(std::span<const Window::Row> rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

void EntryListModel::setFolderIcons(const QIcon& openFolder, const QIcon& folder) {
    openFolderIcon_ = openFolder;
    folderIcon_ = folder;
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Window::Row& shown = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString::fromStdString(shown.Entry.DisplayName);
    case Qt::DecorationRole:
        if (shown.Picture == Window::Row::Glyph::OpenFolder) return openFolderIcon_;
        if (shown.Picture == Window::Row::Glyph::Folder) return folderIcon_;
        return {};
    case DepthRole:
        return shown.Depth;
    default:
        return {};
    }
}
