#include "FileList.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>

#include <algorithm>

#include "EntryListModel.h"
#include "FailureMessage.h"
#include "FolderWatch.h"
#include "ReadableName.h"
#include "RuntimeError.h"

FileList::FileList(QWidget* parent) : EntryListView(parent) {
    // Moves with no button pressed are reported too; they reach the view
    // through its viewport.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!isFollowingDisk_ && selectedIndex() >= 0) emit selectedFileChanged();
    });
    connect(watch_, &FolderWatch::folderChanged, this, &FileList::followDisk);
}

QString FileList::path() const { return QString::fromStdString(readablePath_); }

void FileList::setNativePath(std::string_view path) {
    std::string absolute = Runtime::AbsoluteDirectory(path);
    if (absolute == nativePath_) return;
    list(std::move(absolute), pattern_);
    emit pathChanged(this->path());
}

void FileList::setPattern(const QString& pattern) {
    pattern_ = pattern;
    try {
        if (!nativePath_.empty()) list(nativePath_, pattern_);
    } catch (const Runtime::RuntimeError& error) {
        ShowFailure(this, error);
    }
}

void FileList::list(std::string absolute, const QString& pattern) {
    auto rows = read(absolute, pattern);
    std::string readable = Runtime::ReadablePath(absolute);
    entries_->setRows(std::move(rows));
    nativePath_ = std::move(absolute);
    readablePath_ = std::move(readable);
    watch_->watch(nativePath_);
}

std::vector<EntryRow> FileList::read(const std::string& absolute, const QString& pattern) {
    QElapsedTimer clock;
    clock.start();
    auto files =
        Runtime::ReadFolder(absolute, Runtime::NamePattern(pattern.toStdString()), Runtime::ListedKinds::Files).Files;
    std::vector<EntryRow> rows;
    rows.reserve(files.size());
    for (auto& file : files) rows.push_back({std::move(file), 0, EntryRow::Glyph::None});
    watch_->noteListingTook(clock.elapsed());
    return rows;
}

void FileList::followDisk() {
    std::vector<EntryRow> rows;
    bool isListed = false;
    try {
        rows = read(nativePath_, pattern_);
        isListed = true;
    } catch (const Runtime::RuntimeError&) {
        // The folder went or cannot be read any more: nothing in it to show.
        // The directory list moves to a folder that exists and this list
        // follows it there.
    }
    const int selected = selectedIndex();
    const std::string selectedName = selected >= 0 ? entry(selected).NativeName : std::string();
    const int current = currentIndex().row();
    const TopRow top = topRow();

    isFollowingDisk_ = true;
    entries_->setRows(std::move(rows));
    const int again = selected >= 0 ? entries_->rowNamed(selectedName) : -1;
    if (again >= 0) {
        selectionModel()->setCurrentIndex(entries_->index(again), QItemSelectionModel::ClearAndSelect);
    } else if (current >= 0 && count() > 0) {
        // The selected file went: nothing is selected, but the keys go on
        // from where it was.
        selectionModel()->setCurrentIndex(entries_->index(std::min(current, count() - 1)), QItemSelectionModel::NoUpdate);
    }
    isFollowingDisk_ = false;
    scrollBackTo(top);
    if (isListed) watch_->watch(nativePath_);
}

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

const Runtime::DirectoryEntry& FileList::entry(int index) const { return entries_->row(index).entry; }

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
