#pragma once

#include <windows.h>

#include "OwnedHandle.h"

struct IconKind {
    using Handle = HICON;
    static constexpr HICON Empty() noexcept { return nullptr; }
    static void Close(HICON icon) noexcept { ::DestroyIcon(icon); }
};

// Owns one icon made for this program (not a shared one from LoadImage).
using IconHandle = Runtime::OwnedHandle<IconKind>;
