#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI font; the controls that use it must let go of it (or be
// gone) before it is deleted, which Form1's member order sees to.
class FontHandle {
public:
    explicit FontHandle(HFONT font = nullptr) noexcept : font_(font) {}
    FontHandle(FontHandle&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
    FontHandle& operator=(FontHandle other) noexcept {
        std::swap(font_, other.font_);
        return *this;
    }
    ~FontHandle() {
        if (font_ != nullptr) ::DeleteObject(font_);
    }

    HFONT Get() const noexcept { return font_; }

private:
    HFONT font_;
};
