#pragma once

#include "EntryListView.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FolderContents.h"
#include "WindowText.h"

namespace Services {
class FolderReader;
struct FolderListing;
}  // namespace Services

struct EntryRow;

// The file list: the files in its path whose names match its pattern, at
// most one of them selected. Besides the path change it reports what the
// person does to it: a selection made or changed, a key pressed, a mouse
// button pressed and every move of the mouse over it, button or not.
// Key and mouse signals come before the list acts on the event, so a
// handler sees the selection as it was when the event arrived.
// The list follows its folder on disk by itself: the selected file stays
// selected while others come and go, and what it does to follow is not
// reported as the person's doing.
// Its folder is read on a worker: one that answers at once is shown at once;
// while a slower one is read the list looks disabled and says so, and a
// failure is shown when it arrives.
class FileList : public EntryListView {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)
    Q_PROPERTY(QString pattern READ pattern WRITE setPattern)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex)

public:
    explicit FileList(QWidget* parent = nullptr);
    ~FileList() override;  // returns at once, even with a listing hanging

    QString path() const;  // readable: non-UTF-8 names decoded
    const std::string& nativePath() const { return nativePath_; }
    const std::string& readablePath() const { return readablePath_; }  // UTF-8

    // Lists path and raises pathChanged; throws Runtime::RuntimeError when
    // the folder cannot be read, and then nothing changes. setPath, the
    // property's setter, shows that failure instead.
    void setNativePath(std::string_view path) override;
    // Shows files listed elsewhere as path's, and raises pathChanged: the
    // directory list reads them in its own pass over the folder.
    void showListing(std::string_view path, std::vector<Runtime::FolderEntry> files);
    // Looks disabled, and tells a screen reader why, while its folder is read.
    void showReading(bool isReading);

    QString pattern() const { return pattern_; }
    // Lists the path again through the new pattern; a failure is shown as
    // setPath shows it, and the pattern is taken all the same.
    void setPattern(const QString& pattern);

    int count() const;
    int selectedIndex() const;  // -1 when nothing is selected
    void setSelectedIndex(int index);
    // index must be in 0 .. count() - 1.
    const Runtime::FolderEntry& entry(int index) const;

signals:
    void pathChanged(const QString& path);
    void selectedFileChanged();  // another file is selected now
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void mousePressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    // Why the listing on its way was asked for.
    enum class Reading { Nothing, Open, Repattern, Follow };

    void request(const std::string& absolute, Reading why);  // throws as setNativePath does
    void listed(Services::FolderListing listing);
    void fill(std::string_view absolute, std::vector<Runtime::FolderEntry> files);
    void followDisk();
    void showFollowed(Services::FolderListing listing);

    std::string nativePath_;
    std::string readablePath_;
    QString pattern_ = QString::fromUtf8(Services::kFilePattern);
    bool isFollowingDisk_ = false;  // selection moves now are the list's, not the person's
    Reading reading_ = Reading::Nothing;
    std::unique_ptr<Services::FolderReader> reader_;
};
