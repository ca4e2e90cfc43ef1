#pragma once

#include <windows.h>

#include "OwnedHandle.h"

struct FontKind {
    using Handle = HFONT;
    static constexpr HFONT Empty() noexcept { return nullptr; }
    static void Close(HFONT font) noexcept { ::DeleteObject(font); }
};

// Owns one GDI font; the controls that use it must let go of it (or be
// gone) before it is deleted, which Form1's member order sees to.
using FontHandle = Runtime::OwnedHandle<FontKind>;
