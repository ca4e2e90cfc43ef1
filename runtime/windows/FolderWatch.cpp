#include "FolderWatch.h"

#include <windows.h>

#include "../PathChain.h"
#include "WideText.h"

namespace Runtime {

namespace {

// Whether the folder can still be opened. A folder removed while the watch
// holds it stays on disk, waiting to be deleted, until the watch lets go;
// opening it fails meanwhile, and no notification says so.
bool CanOpen(std::string_view path) {
    const HANDLE folder = ::CreateFileW(WideFromUtf8(path).c_str(), FILE_LIST_DIRECTORY,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(folder);
    return true;
}

}  // namespace

void FolderWatch::Watch(std::string_view folder) {
    if (folder == watched_ && folder_.IsWatching()) return;
    watched_ = folder;
    folder_ = ChangeNotification(folder);
    const auto above = ParentFolder(folder);
    above_ = above ? ChangeNotification(*above) : ChangeNotification();
}

bool FolderWatch::HasChanged() {
    const bool entriesChanged = folder_.HasFired();
    // Next to the shown folder: only its going away matters.
    const bool aboveChanged = above_.HasFired();
    return entriesChanged || ((aboveChanged || folder_.IsWatching()) && !CanOpen(watched_));
}

}  // namespace Runtime
