#pragma once

#include <windows.h>

#include <utility>

namespace Runtime {

// Owns one search handle from FindFirstFileExW. Compare
// posix/FolderStream.h, the same job for a DIR*.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle = INVALID_HANDLE_VALUE) noexcept : handle_(handle) {}
    FindHandle(FindHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    FindHandle& operator=(FindHandle other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~FindHandle() {
        if (IsOpen()) ::FindClose(handle_);
    }

    bool IsOpen() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const noexcept { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace Runtime
