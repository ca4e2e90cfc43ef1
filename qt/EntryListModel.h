#pragma once

#include <QAbstractListModel>
#include <QIcon>

#include <cstdint>
#include <string_view>
#include <vector>

#include "FolderContents.h"

// One row of a directory or file list.
struct EntryRow {
    enum class Glyph : std::uint8_t { None, OpenFolder, Folder };

    Runtime::FolderEntry entry;
    int depth = 0;  // indentation steps, for the folder chain
    Glyph glyph = Glyph::None;
};

// The rows of a list control, kept as plain values: a folder of 100 000
// names costs one vector, and a row is only turned into text when a view
// paints or searches it.
class EntryListModel : public QAbstractListModel {
public:
    static constexpr int DepthRole = Qt::UserRole + 1;

    explicit EntryListModel(QObject* parent = nullptr);

    void setRows(std::vector<EntryRow> rows);
    void setFolderIcons(const QIcon& openFolder, const QIcon& folder);

    // row must be in 0 .. rowCount() - 1.
    const EntryRow& row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // The first row from `from` on whose entry has this native name; -1 when none.
    int rowNamed(std::string_view nativeName, int from = 0) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<EntryRow> rows_;
    QIcon openFolderIcon_;
    QIcon folderIcon_;
};
