#pragma once

#include <QAbstractTableModel>

#include <cstddef>

namespace TitleList {
class Catalogue;
}

// The title list's table as Qt's views read it: no row of its own, each
// cell asked of the catalogue when it is drawn, so 100 000 rows cost what
// ten do.
class TitleListModel : public QAbstractTableModel {
public:
    TitleListModel(const TitleList::Catalogue& catalogue, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The catalogue holds count rows now, and any of them may have changed.
    void showRows(std::size_t count);

private:
    const TitleList::Catalogue& catalogue_;
    int rows_ = 0;
};
