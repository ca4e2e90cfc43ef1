#include "FolderTreeWatch.h"

#include <algorithm>

#include "PathChain.h"
#include "WideText.h"

namespace Runtime {

namespace {

constexpr DWORD kWatched = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_LAST_WRITE;

}  // namespace

FolderTreeWatch::FolderTreeWatch(std::string_view folder, bool isWholeTree)
    : folder_(folder), isWholeTree_(isWholeTree) {
    // Shared for deleting too: a folder watched must still be removable and renamable.
    handle_ = ::CreateFileW(WideFromUtf8(folder_).c_str(), FILE_LIST_DIRECTORY,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    event_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (handle_ != INVALID_HANDLE_VALUE && event_ != nullptr) Arm();
}

FolderTreeWatch::~FolderTreeWatch() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        // The system writes into records_ until the read is cancelled and done.
        if (isArmed_ && ::CancelIoEx(handle_, &overlapped_)) {
            DWORD ignored = 0;
            ::GetOverlappedResult(handle_, &overlapped_, &ignored, TRUE);
        }
        ::CloseHandle(handle_);
    }
    if (event_ != nullptr) ::CloseHandle(event_);
}

bool FolderTreeWatch::Arm() noexcept {
    overlapped_ = {};
    overlapped_.hEvent = event_;
    isArmed_ = ::ReadDirectoryChangesW(handle_, records_.data(), static_cast<DWORD>(records_.size()), isWholeTree_,
                                       kWatched, nullptr, &overlapped_, nullptr) != FALSE;
    return isArmed_;
}

FolderTreeWatch::Changes FolderTreeWatch::Take() {
    Changes changes;
    if (!isArmed_) return changes;
    DWORD size = 0;
    if (!::GetOverlappedResult(handle_, &overlapped_, &size, FALSE)) {
        if (::GetLastError() == ERROR_IO_INCOMPLETE) return changes;
        // The folder itself went, or the watch broke: its folder is listed again, and found gone.
        isArmed_ = false;
        changes.folders.push_back(folder_);
        return changes;
    }
    // No records at all: more changed than the buffer held.
    changes.isOverflowed = size == 0;
    for (DWORD at = 0; size > 0 && at + sizeof(FILE_NOTIFY_INFORMATION) <= size;) {
        const auto& record = *reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(records_.data() + at);
        const std::string below = Utf8FromWide(std::wstring_view(record.FileName, record.FileNameLength / sizeof(WCHAR)));
        const std::string changed = ChildPath(folder_, below);
        std::string folder = ParentFolder(changed).value_or(folder_);
        if (std::find(changes.folders.begin(), changes.folders.end(), folder) == changes.folders.end())
            changes.folders.push_back(std::move(folder));
        if (record.NextEntryOffset == 0) break;
        at += record.NextEntryOffset;
    }
    ::ResetEvent(event_);
    // Re-armed before anyone lists: a change made while they do is told next time.
    if (!Arm()) changes.folders.push_back(folder_);
    return changes;
}

}  // namespace Runtime
