#include "DirectoryList.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include "DirectoryListing.h"
#include "EntryListModel.h"
#include "FailureMessage.h"
#include "FolderWatch.h"
#include "PathChain.h"
#include "ReadableName.h"
#include "RuntimeError.h"

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

DirectoryList::DirectoryList(QWidget* parent) : EntryListView(parent) {
    entries_->setFolderIcons(style()->standardIcon(QStyle::SP_DirOpenIcon), style()->standardIcon(QStyle::SP_DirIcon));
    setItemDelegate(new IndentingDelegate(this));
    // Not activated(): some desktops activate on a single click, which here
    // must only highlight.
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) { openRow(index.row()); });
    connect(watch_, &FolderWatch::folderChanged, this, &DirectoryList::followDisk);
}

QString DirectoryList::path() const { return QString::fromStdString(Runtime::ReadablePath(nativePath_)); }

void DirectoryList::setNativePath(std::string_view path) {
    std::string absolute = Runtime::AbsoluteDirectory(path);
    const bool isShown = absolute == nativePath_;
    if (isShown && listedDriveRoot_ == driveRoot_) return;
    list(std::move(absolute));
    setCurrentIndex(entries_->index(chainLength_ - 1));
    if (!isShown) emit pathChanged(this->path());
}

void DirectoryList::list(std::string absolute) {
    QElapsedTimer clock;
    clock.start();
    auto folders = Runtime::ReadFolder(absolute, Runtime::NamePattern("*"), Runtime::ListedKinds::Folders).Folders;
    const auto chain = Runtime::ChainOf(absolute, driveRoot_);
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
    nativePath_ = std::move(absolute);
    listedDriveRoot_ = driveRoot_;
    chainLength_ = static_cast<int>(chain.size());
    watch_->watch(nativePath_);
    watch_->noteListingTook(clock.elapsed());
}

void DirectoryList::followDisk() {
    const QModelIndex current = currentIndex();
    const bool isSubfolder = current.row() >= chainLength_;
    const std::string currentName = isSubfolder ? entries_->row(current.row()).entry.NativeName : std::string();
    const TopRow top = topRow();
    try {
        list(nativePath_);
    } catch (const Runtime::RuntimeError&) {
        moveToNearestReadableFolder();
        return;
    }
    const int row = isSubfolder ? entries_->rowNamed(currentName, chainLength_) : current.row();
    setCurrentIndex(entries_->index(row >= 0 ? row : chainLength_ - 1));
    scrollBackTo(top);
}

void DirectoryList::moveToNearestReadableFolder() {
    // Nobody asked for this move, so a folder above that fails too is
    // passed over quietly; the root is the last one tried.
    for (auto folder = Runtime::ParentFolder(nativePath_); folder; folder = Runtime::ParentFolder(*folder)) {
        try {
            setNativePath(*folder);
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
