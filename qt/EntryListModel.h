#pragma once

#include <QAbstractListModel>
#include <QIcon>

#include <span>
#include <string_view>

#include "ListView.h"

// The rows of a list control, read from the core as they are: a folder of
// 100 000 names costs the core's one vector, and a row is only turned into
// text when a view paints or searches it.
class EntryListModel : public QAbstractListModel {
public:
    static constexpr int DepthRole = Qt::UserRole + 1;

    explicit EntryListModel(QObject* parent = nullptr);

    // rows must hold until the next call.
    void setRows(std::span<const Window::Row> rows);
    void setFolderIcons(const QIcon& openFolder, const QIcon& folder);

    // row must be in 0 .. rowCount() - 1.
    const Window::Row& row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    std::span<const Window::Row> rows() const noexcept { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::span<const Window::Row> rows_;
    QIcon openFolderIcon_;
    QIcon folderIcon_;
};
