#include "FolderWatch.h"

#include <windows.h>

#include <algorithm>

#include "../FolderGathering.h"
#include "../PathChain.h"
#include "WideText.h"

namespace Runtime {

namespace {

// The shortest gathering interval, and the longest: changes must show
// within a second, listing included.
constexpr unsigned long long kShortestGathering = kShortestFolderGathering.count();
constexpr unsigned long long kLongestGathering = kLongestFolderGathering.count();
// How often the watch lets go of the folder and takes it up again.
constexpr unsigned long long kLettingGo = 1000;

// Whether the folder can still be opened. A folder removed while the watch
// holds it stays on disk, waiting to be deleted, until the watch lets go;
// Windows refuses to open it meanwhile.
bool CanOpen(std::string_view path) {
    const HANDLE folder = ::CreateFileW(WideFromUtf8(path).c_str(), FILE_LIST_DIRECTORY,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(folder);
    return true;
}

// When the folder's entries last changed, or 0 when it cannot be asked.
unsigned long long LastWritten(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

}  // namespace

void FolderWatch::Watch(std::string_view folder) {
    if (folder == watched_ && folder_.IsWatching()) return;
    watched_ = folder;
    folder_ = ChangeNotification(folder);
    watchedAt_ = ::GetTickCount64();
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
    if (above_.HasFired() && !CanOpen(watched_)) return true;
    return HasGoneWhileHeld();
}

bool FolderWatch::HasGoneWhileHeld() {
    // An empty folder removed while watched waits for the watch to let go
    // (FAT and network drives, Wine), and no notification comes meanwhile;
    // so the watch lets go now and then and takes the folder up again. Its
    // time of last change, read before the old watch is last asked, tells
    // of any change made while no watch was there.
    const unsigned long long now = ::GetTickCount64();
    if (!folder_.IsWatching() || now - watchedAt_ < kLettingGo) return false;
    const unsigned long long written = LastWritten(watched_);
    const bool hasFired = folder_.HasFired();
    folder_ = ChangeNotification();
    if (hasFired) return true;  // listed again and watched anew, as for any change
    folder_ = ChangeNotification(watched_);
    watchedAt_ = now;
    return !folder_.IsWatching() || LastWritten(watched_) != written;
}

}  // namespace Runtime
