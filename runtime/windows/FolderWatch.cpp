#include "FolderWatch.h"

#include <windows.h>

#include <algorithm>

#include "../PathChain.h"
#include "WideText.h"

namespace Runtime {

namespace {

// The shortest gathering interval, and the longest: changes must show
// within a second, listing included.
constexpr unsigned long long kShortestGathering = 150;
constexpr unsigned long long kLongestGathering = 600;

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

void FolderWatch::NoteListingTook(unsigned long long milliseconds) noexcept {
    listedAt_ = ::GetTickCount64();
    gathering_ = std::clamp(2 * milliseconds, kShortestGathering, kLongestGathering);
}

bool FolderWatch::HasChanged() {
    // A notification still waiting is asked for next time: nothing is lost.
    if (::GetTickCount64() - listedAt_ < gathering_) return false;
    if (folder_.HasFired()) {
        // Let go of the folder before it is listed again: a folder removed
        // while watched is only deleted once no handle holds it, and the
        // listing must see it gone. Watch() takes it up again.
        folder_ = ChangeNotification();
        return true;
    }
    // Next to the shown folder: only its going away matters.
    return above_.HasFired() && !CanOpen(watched_);
}

}  // namespace Runtime
