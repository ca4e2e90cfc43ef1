#pragma once

#include <windows.h>

#include <utility>

// Owns one icon made for this program (not a shared one from LoadImage).
class IconHandle {
public:
    explicit IconHandle(HICON icon = nullptr) noexcept : icon_(icon) {}
    IconHandle(IconHandle&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    IconHandle& operator=(IconHandle other) noexcept {
        std::swap(icon_, other.icon_);
        return *this;
    }
    ~IconHandle() {
        if (icon_ != nullptr) ::DestroyIcon(icon_);
    }

    HICON Get() const noexcept { return icon_; }

private:
    HICON icon_;
};
