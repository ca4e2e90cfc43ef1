#include "FileList.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>

#include <algorithm>
#include <utility>

#include "EntryListModel.h"
#include "FailureMessage.h"
#include "FolderReader.h"
#include "FolderWatch.h"
#include "Patience.h"
#include "ReadableName.h"
#include "RuntimeError.h"
#include "WindowPoster.h"
#include "WindowText.h"

FileList::FileList(QWidget* parent)
    : EntryListView(parent),
      reader_(std::make_unique<Services::FolderReader>(
          PosterFor(this), [this](Services::FolderListing listing) { listed(std::move(listing)); })) {
    // Moves with no button pressed are reported too; they reach the view
    // through its viewport.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!isFollowingDisk_ && selectedIndex() >= 0) emit selectedFileChanged();
    });
    connect(watch_, &FolderWatch::folderChanged, this, &FileList::followDisk);
}

FileList::~FileList() = default;

QString FileList::path() const { return QString::fromStdString(readablePath_); }

void FileList::setNativePath(std::string_view path) {
    const std::string absolute = Runtime::AbsoluteFolder(path);
    // The folder shown already is not listed again: the selection stays.
    if (absolute == nativePath_ && reading_ == Reading::Nothing) return;
    request(absolute, Reading::Open);
}

void FileList::setPattern(const QString& pattern) {
    pattern_ = pattern;
    try {
        if (!nativePath_.empty()) request(nativePath_, Reading::Repattern);
    } catch (const Runtime::RuntimeError& error) {
        ShowFailure(this, error);
    }
}

void FileList::showListing(std::string_view path, std::vector<Runtime::FolderEntry> files) {
    // A listing of the folder shown before, still on its way, must not
    // land on top of the new folder's files.
    if (std::exchange(reading_, Reading::Nothing) != Reading::Nothing) reader_->Abandon();
    fill(path, std::move(files));
    emit pathChanged(this->path());
}

void FileList::showReading(bool isReading) {
    setEnabled(!isReading);
    setAccessibleDescription(isReading ? QString::fromUtf8(Services::kStillReading) : QString());
}

void FileList::request(const std::string& absolute, Reading why) {
    QElapsedTimer clock;
    clock.start();
    auto listing = reader_->Request(absolute, Runtime::NamePattern(pattern_.toStdString()),
                                    Runtime::ListedKinds::Files, Services::ListingPatience(window()->isVisible()));
    if (!listing) {
        reading_ = why;
        if (why != Reading::Follow) showReading(true);
        return;
    }
    watch_->noteListingTook(clock.elapsed());
    // Answered at once: whatever was on its way before is abandoned.
    if (std::exchange(reading_, Reading::Nothing) != Reading::Nothing) showReading(false);
    if (why == Reading::Follow) {
        showFollowed(std::move(*listing));
        return;
    }
    if (listing->Failure) throw *listing->Failure;
    if (why == Reading::Open) showListing(listing->Folder, std::move(listing->Contents.Files));
    else fill(listing->Folder, std::move(listing->Contents.Files));
}

void FileList::listed(Services::FolderListing listing) {
    const Reading why = std::exchange(reading_, Reading::Nothing);
    if (why == Reading::Follow) {
        showFollowed(std::move(listing));
        return;
    }
    showReading(false);
    if (listing.Failure) {
        ShowFailure(this, *listing.Failure);
        return;
    }
    if (why == Reading::Open) showListing(listing.Folder, std::move(listing.Contents.Files));
    else fill(listing.Folder, std::move(listing.Contents.Files));
}

void FileList::fill(std::string_view absolute, std::vector<Runtime::FolderEntry> files) {
    std::vector<EntryRow> rows;
    rows.reserve(files.size());
    for (auto& file : files) rows.push_back({std::move(file), 0, EntryRow::Glyph::None});
    std::string readable = Runtime::ReadablePath(absolute);
    entries_->setRows(std::move(rows));
    nativePath_ = absolute;
    readablePath_ = std::move(readable);
    watch_->watch(nativePath_);
}

void FileList::followDisk() {
    // A folder being opened is listed anew anyway.
    if (reading_ == Reading::Open || reading_ == Reading::Repattern) return;
    request(nativePath_, Reading::Follow);
}

void FileList::showFollowed(Services::FolderListing listing) {
    // A folder gone or unreadable has nothing in it to show. The directory
    // list moves to a folder that exists and this list follows it there.
    const bool isListed = !listing.Failure;
    std::vector<EntryRow> rows;
    rows.reserve(listing.Contents.Files.size());
    for (auto& file : listing.Contents.Files) rows.push_back({std::move(file), 0, EntryRow::Glyph::None});
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

const Runtime::FolderEntry& FileList::entry(int index) const { return entries_->row(index).entry; }

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
