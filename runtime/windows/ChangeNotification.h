#pragma once

#include <windows.h>

#include <string_view>
#include <utility>

namespace Runtime {

// Owns one change notification handle (FindFirstChangeNotificationW) on the
// entries of one folder: names made, removed or renamed, and attributes
// changed, since hiding a file takes it off the lists.
class ChangeNotification {
public:
    ChangeNotification() noexcept = default;
    // Not watching when the folder cannot be watched (gone, no rights).
    explicit ChangeNotification(std::string_view folder) noexcept;
    ChangeNotification(ChangeNotification&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    ChangeNotification& operator=(ChangeNotification other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~ChangeNotification();

    bool IsWatching() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }

    // Whether the entries changed since it was last asked. Never waits; a
    // burst of changes is told once.
    bool HasFired() noexcept;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace Runtime
