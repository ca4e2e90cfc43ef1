#include "FileList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>

#include "EntryListModel.h"
#include "FileChoice.h"
#include "WindowText.h"

FileList::FileList(QWidget* parent) : EntryListView(parent) {
    // Moves with no button pressed are reported too; they reach the view
    // through its viewport.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!isQuiet_ && selectedIndex() >= 0) emit selectedFileChanged();
    });
}

QString FileList::path() const { return choice_ ? QString::fromStdString(choice_->ReadableFolder()) : QString(); }

int FileList::count() const { return entries_->rowCount(); }

int FileList::selectedIndex() const {
    // The selection, not the current row: a drag with the button held
    // selects a row before it makes that row current.
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void FileList::setSelectedIndex(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(entries_->index(index), QItemSelectionModel::ClearAndSelect);
}

void FileList::ShowRows(std::span<const Window::Row> rows) {
    isQuiet_ = true;
    entries_->setRows(rows);
    isQuiet_ = false;
}

void FileList::Select(int row) {
    isQuiet_ = true;
    setSelectedIndex(row);
    isQuiet_ = false;
}

void FileList::PlaceCaret(int row) {
    if (row >= 0 && row < count()) selectionModel()->setCurrentIndex(entries_->index(row), QItemSelectionModel::NoUpdate);
}

int FileList::TopRow() const {
    const QModelIndex top = indexAt(QPoint(0, 0));
    return top.isValid() ? top.row() : -1;
}

void FileList::ScrollToTop(int row) {
    if (row >= 0 && row < count()) scrollTo(entries_->index(row), PositionAtTop);
}

void FileList::ShowReading(bool isReading) {
    setEnabled(!isReading);
    setAccessibleDescription(isReading ? QString::fromUtf8(Services::kStillReading) : QString());
}

void FileList::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event->key(), event->modifiers());
    EntryListView::keyPressEvent(event);
}

void FileList::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->buttons(), event->modifiers(), event->position().toPoint());
    EntryListView::mousePressEvent(event);
}

void FileList::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
    EntryListView::mouseMoveEvent(event);
}

QItemSelectionModel::SelectionFlags FileList::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    const auto command = EntryListView::selectionCommand(index, event);
    // A Ctrl+click, Ctrl+Space or a click below the names would leave no
    // file selected, and every key and mouse move would then do nothing.
    const bool empties = !index.isValid() || command.testFlag(QItemSelectionModel::Deselect) ||
                         command.testFlag(QItemSelectionModel::Toggle);
    return empties && selectedIndex() >= 0 ? QItemSelectionModel::NoUpdate : command;
}
