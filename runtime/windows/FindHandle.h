#pragma once

#include <windows.h>

#include "../OwnedHandle.h"

namespace Runtime {

struct FindKind {
    using Handle = HANDLE;
    static HANDLE Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) noexcept { ::FindClose(handle); }
};

// Owns one search handle from FindFirstFileExW. Compare
// posix/FolderStream.h, the same job for a DIR*.
using FindHandle = OwnedHandle<FindKind>;

}  // namespace Runtime
