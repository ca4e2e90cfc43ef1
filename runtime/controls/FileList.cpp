#include "FileList.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "EntryListModel.h"
#include "ReadableName.h"

FileList::FileList(QWidget* parent) : QListView(parent), model_(new EntryListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Moves with no button pressed are reported too; they reach the view
    // through its viewport.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (selectedIndex() >= 0) emit selectionClicked();
    });
}

QString FileList::path() const { return QString::fromStdString(readablePath_); }

void FileList::setPath(const QString& path) { setNativePath(path.toStdString()); }

void FileList::setNativePath(std::string_view path) {
    list(path, pattern_);
    emit pathChanged(this->path());
}

void FileList::setPattern(const QString& pattern) {
    if (!nativePath_.empty()) list(nativePath_, pattern);
    pattern_ = pattern;
}

void FileList::list(std::string_view path, const QString& pattern) {
    std::string absolute = Runtime::AbsoluteDirectory(path);
    auto files = Runtime::ReadDirectory(absolute, Runtime::EntryKind::File,
                                        Runtime::NamePattern(pattern.toStdString()));
    std::string readable = Runtime::ReadablePath(absolute);

    std::vector<EntryRow> rows;
    rows.reserve(files.size());
    for (auto& file : files) rows.push_back({std::move(file), 0, EntryRow::Glyph::None});
    model_->setRows(std::move(rows));
    nativePath_ = std::move(absolute);
    readablePath_ = std::move(readable);
}

int FileList::count() const { return model_->rowCount(); }

int FileList::selectedIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

void FileList::setSelectedIndex(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(model_->index(index), QItemSelectionModel::ClearAndSelect);
}

const Runtime::DirectoryEntry& FileList::entry(int index) const { return model_->row(index).entry; }

void FileList::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event->key(), event->modifiers());
    QListView::keyPressEvent(event);
}

void FileList::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->buttons(), event->modifiers(), event->position().toPoint());
    QListView::mousePressEvent(event);
}

void FileList::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
    QListView::mouseMoveEvent(event);
}
