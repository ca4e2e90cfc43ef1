#include "DirectoryList.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <utility>

#include "FolderContents.h"
#include "EntryListModel.h"
#include "FailureMessage.h"
#include "FolderReader.h"
#include "FolderWatch.h"
#include "PathChain.h"
#include "Patience.h"
#include "ReadableName.h"
#include "RuntimeError.h"
#include "WindowPoster.h"
#include "WindowText.h"

namespace {

// Shifts each row right by its depth, so the chain reads as a path.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const int step = option->fontMetrics.height() * 2 / 3;
        option->rect.setLeft(option->rect.left() + index.data(EntryListModel::DepthRole).toInt() * step);
    }
};

}  // namespace

DirectoryList::DirectoryList(QWidget* parent)
    : EntryListView(parent),
      reader_(std::make_unique<Services::FolderReader>(
          PosterFor(this), [this](Services::FolderListing listing) { listed(std::move(listing)); })) {
    entries_->setFolderIcons(style()->standardIcon(QStyle::SP_DirOpenIcon), style()->standardIcon(QStyle::SP_DirIcon));
    setItemDelegate(new IndentingDelegate(this));
    // Not activated(): some desktops activate on a single click, which here
    // must only highlight.
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) { openRow(index.row()); });
    connect(watch_, &FolderWatch::folderChanged, this, &DirectoryList::followDisk);
}

DirectoryList::~DirectoryList() = default;

QString DirectoryList::path() const { return QString::fromStdString(Runtime::ReadablePath(nativePath_)); }

void DirectoryList::setNativePath(std::string_view path) {
    std::string absolute = Runtime::AbsoluteFolder(path);
    // The folder shown already raises nothing, so the file list keeps its
    // selection; its chain is drawn again when the drive root changed.
    if (absolute == nativePath_ && listedDriveRoot_ == driveRoot_ && !isReading()) return;
    request(std::move(absolute), Reading::Open);
}

bool DirectoryList::isReading() const { return beforeReading_ != nullptr; }

void DirectoryList::setFilePattern(const QString& pattern) { filePattern_ = pattern.toStdString(); }

QString DirectoryList::filePattern() const { return QString::fromStdString(filePattern_); }

void DirectoryList::request(std::string absolute, Reading why) {
    QElapsedTimer clock;
    clock.start();
    // Following the disk needs the subfolders only: the file list beside
    // follows its files itself.
    const bool isWithFiles = why != Reading::Follow && !filePattern_.empty();
    auto listing = reader_->Request(absolute, Runtime::NamePattern(isWithFiles ? filePattern_ : "*"),
                                    isWithFiles ? Runtime::ListedKinds::FoldersAndFiles : Runtime::ListedKinds::Folders,
                                    Services::ListingPatience(window()->isVisible()));
    if (!listing) {
        showReading(std::move(absolute), why);
        return;
    }
    watch_->noteListingTook(clock.elapsed());
    // Answered at once: whatever was on its way before is abandoned.
    reading_ = Reading::Nothing;
    if (why == Reading::Follow) {
        showFollowed(std::move(*listing));
        return;
    }
    if (listing->Failure) {
        if (beforeReading_) restoreBeforeReading();
        throw *listing->Failure;
    }
    const bool wasReading = isReading();
    beforeReading_.reset();
    show(std::move(*listing));
    if (wasReading) emit readingChanged(false);
    showOpened();
}

void DirectoryList::show(Services::FolderListing listing) {
    const auto chain = Runtime::ChainOf(listing.Folder, driveRoot_);
    auto& folders = listing.Contents.Folders;
    std::vector<EntryRow> rows;
    rows.reserve(chain.size() + folders.size());
    for (std::size_t depth = 0; depth < chain.size(); ++depth) {
        // The root is shown whole, the folders under it by name.
        std::string shown = depth == 0 ? Runtime::ReadablePath(chain[0]) : Runtime::ReadableName(chain[depth]);
        rows.push_back({{chain[depth], std::move(shown)}, static_cast<int>(depth), EntryRow::Glyph::OpenFolder});
    }
    for (auto& folder : folders)
        rows.push_back({std::move(folder), static_cast<int>(chain.size()), EntryRow::Glyph::Folder});

    entries_->setRows(std::move(rows));
    files_ = std::move(listing.Contents.Files);
    nativePath_ = std::move(listing.Folder);
    listedDriveRoot_ = driveRoot_;
    chainLength_ = static_cast<int>(chain.size());
    watch_->watch(nativePath_);
}

void DirectoryList::showOpened() {
    setCurrentIndex(entries_->index(chainLength_ - 1));
    emit pathChanged(path());
}

void DirectoryList::showReading(std::string absolute, Reading why) {
    reading_ = why;
    if (why == Reading::Follow) return;  // the rows shown stay until the new ones come
    if (!beforeReading_) {
        auto before = std::make_unique<Shown>();
        for (int row = 0; row < entries_->rowCount(); ++row) before->rows.push_back(entries_->row(row));
        before->nativePath = nativePath_;
        before->chainLength = chainLength_;
        before->currentRow = currentIndex().row();
        beforeReading_ = std::move(before);
        emit readingChanged(true);
    }
    // The chain moves at once; one row below it says the rest is coming.
    const auto chain = Runtime::ChainOf(absolute, driveRoot_);
    std::vector<EntryRow> rows;
    for (std::size_t depth = 0; depth < chain.size(); ++depth) {
        std::string shown = depth == 0 ? Runtime::ReadablePath(chain[0]) : Runtime::ReadableName(chain[depth]);
        rows.push_back({{chain[depth], std::move(shown)}, static_cast<int>(depth), EntryRow::Glyph::OpenFolder});
    }
    rows.push_back({{{}, std::string(Services::kStillReading)}, static_cast<int>(chain.size()), EntryRow::Glyph::None});
    entries_->setRows(std::move(rows));
    nativePath_ = std::move(absolute);
    chainLength_ = static_cast<int>(chain.size());
    setCurrentIndex(entries_->index(chainLength_ - 1));
}

void DirectoryList::restoreBeforeReading() {
    const std::unique_ptr<Shown> before = std::move(beforeReading_);
    entries_->setRows(std::move(before->rows));
    nativePath_ = before->nativePath;
    chainLength_ = before->chainLength;
    setCurrentIndex(entries_->index(before->currentRow));
    emit readingChanged(false);
}

void DirectoryList::listed(Services::FolderListing listing) {
    const Reading why = std::exchange(reading_, Reading::Nothing);
    if (why == Reading::Follow) {
        showFollowed(std::move(listing));
        return;
    }
    if (listing.Failure && why == Reading::MoveUp) {
        // Passed over quietly, as when it answers at once: on to the folder above.
        beforeReading_.reset();
        emit readingChanged(false);
        nativePath_ = listing.Folder;
        moveToNearestReadableFolder();
        return;
    }
    if (listing.Failure) {
        restoreBeforeReading();
        ShowFailure(this, *listing.Failure);
        return;
    }
    beforeReading_.reset();
    show(std::move(listing));
    emit readingChanged(false);
    showOpened();
}

void DirectoryList::followDisk() {
    // A folder being opened is listed anew anyway.
    if (reading_ == Reading::Open || reading_ == Reading::MoveUp) return;
    request(nativePath_, Reading::Follow);
}

void DirectoryList::showFollowed(Services::FolderListing listing) {
    if (listing.Failure) {
        moveToNearestReadableFolder();
        return;
    }
    const QModelIndex current = currentIndex();
    const bool isSubfolder = current.row() >= chainLength_;
    const std::string currentName = isSubfolder ? entries_->row(current.row()).entry.NativeName : std::string();
    const TopRow top = topRow();
    show(std::move(listing));
    const int row = isSubfolder ? entries_->rowNamed(currentName, chainLength_) : current.row();
    setCurrentIndex(entries_->index(row >= 0 ? row : chainLength_ - 1));
    scrollBackTo(top);
}

void DirectoryList::moveToNearestReadableFolder() {
    // Nobody asked for this move, so a folder above that fails too is
    // passed over quietly; the root is the last one tried.
    for (auto folder = Runtime::ParentFolder(nativePath_); folder; folder = Runtime::ParentFolder(*folder)) {
        try {
            request(Runtime::AbsoluteFolder(*folder), Reading::MoveUp);
            return;
        } catch (const Runtime::RuntimeError&) {
        }
    }
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        openRow(currentIndex().row());
        event->accept();
        return;
    }
    EntryListView::keyPressEvent(event);
}

void DirectoryList::openRow(int row) {
    if (row < 0 || row >= entries_->rowCount()) return;
    if (row >= chainLength_ && isReading()) return;  // the row saying the folder is being read
    try {
        setNativePath(pathOfRow(row));
    } catch (const Runtime::RuntimeError& error) {
        setCurrentIndex(entries_->index(chainLength_ - 1));
        ShowFailure(this, error);
    }
}

void DirectoryList::setDriveRoot(std::string_view root) { driveRoot_ = root; }

std::string DirectoryList::pathOfRow(int row) const {
    if (row >= chainLength_) return Runtime::ChildPath(nativePath_, entries_->row(row).entry.NativeName);
    std::vector<std::string> chain;
    for (int i = 0; i <= row; ++i) chain.push_back(entries_->row(i).entry.NativeName);
    return Runtime::PathOfChain(chain, static_cast<std::size_t>(row));
}
