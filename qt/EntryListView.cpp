#include "EntryListView.h"

#include <algorithm>

#include "EntryListModel.h"
#include "FailureMessage.h"
#include "FolderWatch.h"
#include "NativePath.h"
#include "RuntimeError.h"

EntryListView::EntryListView(QWidget* parent)
    : QListView(parent), entries_(new EntryListModel(this)), watch_(new FolderWatch(this)) {
    setModel(entries_);
    setUniformItemSizes(true);  // lays out 100 000 rows without measuring each
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAttribute(Qt::WA_InputMethodEnabled);
}

void EntryListView::setPath(const QString& path) {
    try {
        setNativePath(NativePathOf(path.toStdString()));
    } catch (const Runtime::RuntimeError& error) {
        ShowFailure(this, error);
    }
}

EntryListView::TopRow EntryListView::topRow() const {
    const QModelIndex top = indexAt(QPoint(0, 0));
    if (!top.isValid()) return {};
    return {entries_->row(top.row()).entry.NativeName, top.row()};
}

void EntryListView::scrollBackTo(const TopRow& top) {
    const int count = entries_->rowCount();
    if (top.row < 0 || count == 0) return;
    const int row = entries_->rowNamed(top.name);
    scrollTo(entries_->index(row >= 0 ? row : std::min(top.row, count - 1)), PositionAtTop);
}

void EntryListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    setAttribute(Qt::WA_InputMethodEnabled);
}

void EntryListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QListView::currentChanged(current, previous);
    setAttribute(Qt::WA_InputMethodEnabled);
}
