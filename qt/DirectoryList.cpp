#include "DirectoryList.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include "EntryListModel.h"
#include "Form1Core.h"
#include "NativePath.h"
#include "ReadableName.h"

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

const std::string kNoPath;

}  // namespace

DirectoryList::DirectoryList(QWidget* parent) : EntryListView(parent) {
    entries_->setFolderIcons(style()->standardIcon(QStyle::SP_DirOpenIcon), style()->standardIcon(QStyle::SP_DirIcon));
    setItemDelegate(new IndentingDelegate(this));
    // Not activated(): some desktops activate on a single click, which here
    // must only highlight.
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (form_) form_->Dir1_Open(index.row());
    });
}

QString DirectoryList::path() const { return QString::fromStdString(Runtime::ReadablePath(nativePath())); }

const std::string& DirectoryList::nativePath() const { return form_ ? form_->Dir1().NativePath() : kNoPath; }

bool DirectoryList::isReading() const { return form_ && form_->Dir1().IsReading(); }

void DirectoryList::setNativePath(std::string_view path) {
    if (form_) form_->Dir1_Open(path);
}

void DirectoryList::setPath(const QString& path) { setNativePath(NativePathOf(path.toStdString())); }

void DirectoryList::ShowRows(std::span<const Window::Row> rows) { entries_->setRows(rows); }

void DirectoryList::Select(int row) {
    setCurrentIndex(row >= 0 && row < entries_->rowCount() ? entries_->index(row) : QModelIndex());
}

int DirectoryList::TopRow() const {
    const QModelIndex top = indexAt(QPoint(0, 0));
    return top.isValid() ? top.row() : -1;
}

void DirectoryList::ScrollToTop(int row) {
    if (row >= 0 && row < entries_->rowCount()) scrollTo(entries_->index(row), PositionAtTop);
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        if (form_) form_->Dir1_Open(currentIndex().row());
        event->accept();
        return;
    }
    EntryListView::keyPressEvent(event);
}
