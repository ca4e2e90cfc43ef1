#pragma once

#include "EntryListView.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FolderContents.h"

namespace Services {
class FolderReader;
struct FolderListing;
}  // namespace Services

struct EntryRow;

// The directory list: the chain of folders from the root down to its path,
// then the folders inside that path. A single click only highlights; opening
// an entry (double-click, Enter or Return) makes it the path.
// The list follows its folder on disk by itself: subfolders made or removed
// appear or vanish, keeping the highlighted one; when the folder itself goes
// or cannot be read any more, the list moves to the nearest folder above it
// that can, and raises pathChanged.
// A folder is read on a worker. One that answers at once is shown at once;
// for a slower one the chain moves there at once with a row saying it is
// being read, and the subfolders follow when they arrive. Opening another
// folder meanwhile abandons the wait; a folder that cannot be read puts the
// list back where it was and shows the failure.
class DirectoryList : public EntryListView {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)

public:
    explicit DirectoryList(QWidget* parent = nullptr);
    ~DirectoryList() override;  // returns at once, even with a listing hanging

    QString path() const;  // readable: non-UTF-8 names decoded
    const std::string& nativePath() const { return nativePath_; }

    // Lists path and raises pathChanged; throws Runtime::RuntimeError when
    // the folder cannot be read, and then nothing changes. setPath, the
    // property's setter, shows that failure instead. A folder slow to answer
    // is shown when its listing arrives (pathChanged then) or its failure
    // shown then.
    void setNativePath(std::string_view path) override;
    bool isReading() const;

    // The files of the folder shown, read in the same pass as its
    // subfolders, so a file list beside this one needs no listing of its
    // own. Gathered only while a pattern is set.
    void setFilePattern(const QString& pattern);
    QString filePattern() const;
    std::vector<Runtime::FolderEntry> takeFiles() { return std::move(files_); }

    // The folder the chain starts from, for the paths that lie under it:
    // the root of the drive shown. Taken at the next listing; until it is set,
    // each path is chained from its own root.
    void setDriveRoot(std::string_view root);

signals:
    void pathChanged(const QString& path);
    void readingChanged(bool isReading);  // a slow listing started or ended

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Why the listing on its way was asked for.
    enum class Reading { Nothing, Open, Follow, MoveUp };

    void request(std::string absolute, Reading why);  // throws as setNativePath does
    void show(Services::FolderListing listing);
    void showOpened();
    void showFollowed(Services::FolderListing listing);
    void showReading(std::string absolute, Reading why);
    void restoreBeforeReading();
    void listed(Services::FolderListing listing);
    void followDisk();
    void moveToNearestReadableFolder();
    void openRow(int row);  // a failure is shown, not thrown
    std::string pathOfRow(int row) const;

    std::string nativePath_;
    std::string driveRoot_;  // empty: each path chained from its own root
    std::string listedDriveRoot_;  // the drive root of the chain shown
    int chainLength_ = 0;  // rows from the chain's root to the path itself
    std::string filePattern_;  // empty: no files gathered
    std::vector<Runtime::FolderEntry> files_;
    Reading reading_ = Reading::Nothing;
    // What was shown before a slow listing began, to go back to if it fails.
    struct Shown {
        std::vector<EntryRow> rows;
        std::string nativePath;
        int chainLength = 0;
        int currentRow = -1;
    };
    std::unique_ptr<Shown> beforeReading_;
    std::unique_ptr<Services::FolderReader> reader_;
};
