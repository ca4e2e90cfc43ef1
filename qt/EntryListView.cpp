#include "EntryListView.h"

#include "EntryListModel.h"

EntryListView::EntryListView(QWidget* parent) : QListView(parent), entries_(new EntryListModel(this)) {
    setModel(entries_);
    setUniformItemSizes(true);  // lays out 100 000 rows without measuring each
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAttribute(Qt::WA_InputMethodEnabled);
}

void EntryListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    setAttribute(Qt::WA_InputMethodEnabled);
}

void EntryListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QListView::currentChanged(current, previous);
    setAttribute(Qt::WA_InputMethodEnabled);
}
