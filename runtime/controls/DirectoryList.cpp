#include "DirectoryList.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include "DirectoryListing.h"
#include "EntryListModel.h"
#include "FailureMessage.h"
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

// The parts of an absolute path, root first: "/a/b" gives "/", "a", "b".
std::vector<std::string> ChainOf(const std::string& path) {
    std::vector<std::string> chain{"/"};
    std::size_t start = 1;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) chain.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return chain;
}

}  // namespace

DirectoryList::DirectoryList(QWidget* parent) : QListView(parent), model_(new EntryListModel(this)) {
    model_->setFolderIcons(style()->standardIcon(QStyle::SP_DirOpenIcon), style()->standardIcon(QStyle::SP_DirIcon));
    setModel(model_);
    setItemDelegate(new IndentingDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Not activated(): some desktops activate on a single click, which here
    // must only highlight.
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) { openRow(index.row()); });
}

QString DirectoryList::path() const { return QString::fromStdString(Runtime::ReadablePath(nativePath_)); }

void DirectoryList::setPath(const QString& path) { setNativePath(path.toStdString()); }

void DirectoryList::setNativePath(std::string_view path) {
    std::string absolute = Runtime::AbsoluteDirectory(path);
    const auto folders = Runtime::ReadDirectory(absolute, Runtime::EntryKind::Directory, Runtime::NamePattern("*"));

    const auto chain = ChainOf(absolute);
    std::vector<EntryRow> rows;
    rows.reserve(chain.size() + folders.size());
    for (std::size_t depth = 0; depth < chain.size(); ++depth) {
        rows.push_back({{chain[depth], Runtime::ReadableName(chain[depth])}, static_cast<int>(depth),
                        EntryRow::Glyph::OpenFolder});
    }
    for (const auto& folder : folders)
        rows.push_back({folder, static_cast<int>(chain.size()), EntryRow::Glyph::Folder});

    model_->setRows(std::move(rows));
    nativePath_ = std::move(absolute);
    chainLength_ = static_cast<int>(chain.size());
    setCurrentIndex(model_->index(chainLength_ - 1));
    emit pathChanged(this->path());
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        openRow(currentIndex().row());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void DirectoryList::openRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    try {
        setNativePath(pathOfRow(row));
    } catch (const Runtime::RuntimeError& error) {
        setCurrentIndex(model_->index(chainLength_ - 1));
        ShowFailure(this, error);
    }
}

std::string DirectoryList::pathOfRow(int row) const {
    if (row == 0) return "/";
    const bool inChain = row < chainLength_;
    std::string path = inChain ? std::string() : nativePath_;
    for (int i = inChain ? 1 : row; i <= row; ++i) {
        if (path != "/") path += '/';
        path += model_->row(i).entry.NativeName;
    }
    return path;
}
