#pragma once

#include <memory>
#include <string_view>

namespace Runtime {

// Whether the folder a list shows changed on disk: its entries made,
// removed or renamed, or the folder itself removed, renamed away or its
// rights changed. Asked now and then by the window; never waits, so
// changes are gathered between two asks and a burst costs one listing.
// inotify on Linux, change notifications on Windows.
class FolderWatch {
public:
    FolderWatch();
    FolderWatch(FolderWatch&&) noexcept;
    FolderWatch& operator=(FolderWatch&&) noexcept;
    ~FolderWatch();

    // Watches folder instead of the one watched so far; the same folder
    // again is only watched anew when its watch was let go. A folder that
    // cannot be watched is not: its list is read again when it is opened.
    void Watch(std::string_view folder);

    // Whether the folder changed since it was last asked. When it did, the
    // watch lets go of it (on Windows a watch keeps a removed folder on
    // disk), and the next Watch takes it up again.
    bool HasChanged();

private:
    struct Watched;
    std::unique_ptr<Watched> watched_;
};

}  // namespace Runtime
