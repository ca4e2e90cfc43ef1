#include "FolderWatch.h"

#include <windows.h>

#include <string>

#include "../PathChain.h"
#include "ChangeNotification.h"
#include "WideText.h"

namespace Runtime {

namespace {

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

struct FolderWatch::Watched {
    std::string folder;
    unsigned long long watchedAt = 0;
    ChangeNotification entries;
    // The folder above: a folder renamed away is only told to the one that holds it.
    ChangeNotification above;

    // An empty folder removed while watched waits for the watch to let go
    // (FAT and network drives, Wine), and no notification comes meanwhile;
    // so the watch lets go now and then and takes the folder up again. Its
    // time of last change, read before the old watch is last asked, tells
    // of any change made while no watch was there.
    bool HasGoneWhileHeld() {
        const unsigned long long now = ::GetTickCount64();
        if (!entries.IsWatching() || now - watchedAt < kLettingGo) return false;
        const unsigned long long written = LastWritten(folder);
        const bool hasFired = entries.HasFired();
        entries = ChangeNotification();
        if (hasFired) return true;  // listed again and watched anew, as for any change
        entries = ChangeNotification(folder);
        watchedAt = now;
        return !entries.IsWatching() || LastWritten(folder) != written;
    }
};

FolderWatch::FolderWatch() : watched_(std::make_unique<Watched>()) {}
FolderWatch::FolderWatch(FolderWatch&&) noexcept = default;
FolderWatch& FolderWatch::operator=(FolderWatch&&) noexcept = default;
FolderWatch::~FolderWatch() = default;

void FolderWatch::Watch(std::string_view folder) {
    Watched& w = *watched_;
    if (folder == w.folder && w.entries.IsWatching()) return;
    w.folder = folder;
    w.entries = ChangeNotification(folder);
    w.watchedAt = ::GetTickCount64();
    const auto above = ParentFolder(folder);
    w.above = above ? ChangeNotification(*above) : ChangeNotification();
}

bool FolderWatch::HasChanged() {
    Watched& w = *watched_;
    if (w.entries.HasFired()) {
        // Let go of the folder before it is listed again: a folder removed
        // while watched is only deleted once no handle holds it, and the
        // listing must see it gone. Watch() takes it up again.
        w.entries = ChangeNotification();
        return true;
    }
    // Next to the shown folder: only its going away matters.
    if (w.above.HasFired() && !CanOpen(w.folder)) return true;
    return w.HasGoneWhileHeld();
}

}  // namespace Runtime
