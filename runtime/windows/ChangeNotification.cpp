#include "ChangeNotification.h"

#include <string>

#include "WideText.h"

namespace Runtime {

ChangeNotification::ChangeNotification(std::string_view folder) noexcept {
    try {
        const std::wstring path = WideFromUtf8(folder);
        handle_ = ::FindFirstChangeNotificationW(
            path.c_str(), FALSE,
            FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES);
    } catch (...) {
        handle_ = INVALID_HANDLE_VALUE;  // no memory for the name: the folder goes unwatched
    }
}

ChangeNotification::~ChangeNotification() {
    if (IsWatching()) ::FindCloseChangeNotification(handle_);
}

bool ChangeNotification::HasFired() noexcept {
    if (!IsWatching() || ::WaitForSingleObject(handle_, 0) != WAIT_OBJECT_0) return false;
    // Re-armed before anyone lists the folder, so a change made during the
    // listing is told next time rather than lost.
    if (!::FindNextChangeNotification(handle_)) *this = ChangeNotification();
    return true;
}

}  // namespace Runtime
