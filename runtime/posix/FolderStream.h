#pragma once

#include <dirent.h>

#include <cerrno>

#include "../OwnedHandle.h"

namespace Runtime {

struct FolderStreamKind {
    using Handle = DIR*;
    static constexpr DIR* Empty() noexcept { return nullptr; }
    static void Close(DIR* stream) noexcept { ::closedir(stream); }
};

// Owns one open folder stream; empty when opening failed, and errno
// then says why.
class FolderStream : public OwnedHandle<FolderStreamKind> {
public:
    explicit FolderStream(const char* path) noexcept : OwnedHandle(::opendir(path)) {}

    // The next entry, or nullptr at the end or on a failure; errno is 0 at
    // the end and tells the failure otherwise.
    const dirent* Next() const noexcept {
        errno = 0;
        return ::readdir(Get());
    }

    int Descriptor() const noexcept { return ::dirfd(Get()); }
};

}  // namespace Runtime
