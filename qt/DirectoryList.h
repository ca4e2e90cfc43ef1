#pragma once

#include "EntryListView.h"

#include <string>
#include <string_view>

// The directory list: the chain of folders from the root down to its path,
// then the folders inside that path. A single click only highlights; opening
// an entry (double-click, Enter or Return) makes it the path.
// The list follows its folder on disk by itself: subfolders made or removed
// appear or vanish, keeping the highlighted one; when the folder itself goes
// or cannot be read any more, the list moves to the nearest folder above it
// that can, and raises pathChanged.
class DirectoryList : public EntryListView {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)

public:
    explicit DirectoryList(QWidget* parent = nullptr);

    QString path() const;  // readable: non-UTF-8 names decoded
    const std::string& nativePath() const { return nativePath_; }

    // Lists path and raises pathChanged; throws Runtime::RuntimeError when
    // the folder cannot be read, and then nothing changes. setPath, the
    // property's setter, shows that failure instead. The folder shown
    // already raises nothing, so the file list keeps its selection; its
    // chain is drawn again when the drive root changed.
    void setNativePath(std::string_view path) override;

    // The folder the chain starts from, for the paths that lie under it:
    // the root of the drive shown. Taken at the next listing; until it is set,
    // each path is chained from its own root.
    void setDriveRoot(std::string_view root);

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void list(std::string absolute);  // throws as setNativePath does
    void followDisk();
    void moveToNearestReadableFolder();
    void openRow(int row);  // a failure is shown, not thrown
    std::string pathOfRow(int row) const;

    std::string nativePath_;
    std::string driveRoot_;  // empty: each path chained from its own root
    std::string listedDriveRoot_;  // the drive root of the chain shown
    int chainLength_ = 0;  // rows from the chain's root to the path itself
};
