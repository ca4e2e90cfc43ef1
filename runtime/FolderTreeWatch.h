#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace Runtime {

// What changed on disk in a folder, or anywhere below it when asked to
// watch the whole tree: one kernel watch for the tree, however many folders
// it holds (ReadDirectoryChangesW), which names the entries that changed,
// so only their folders need listing again. Asked on a timer by a window.
// Compare FolderWatch, which watches one folder and tells only that it
// changed.
class FolderTreeWatch {
public:
    // Not watching when the folder cannot be watched (gone, no rights).
    FolderTreeWatch(std::string_view folder, bool isWholeTree);
    ~FolderTreeWatch();
    FolderTreeWatch(const FolderTreeWatch&) = delete;
    FolderTreeWatch& operator=(const FolderTreeWatch&) = delete;

    struct Changes {
        std::vector<std::string> folders;  // absolute, native, each once: where entries changed
        bool isOverflowed = false;  // more changed than the system kept: anything may have
    };
    // What changed since it was last asked. Never waits.
    Changes Take();

private:
    bool Arm() noexcept;

    std::string folder_;
    bool isWholeTree_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    HANDLE event_ = nullptr;
    OVERLAPPED overlapped_{};
    bool isArmed_ = false;
    // DWORD-aligned, as the system writes its records there; 64 KiB, the
    // most a watch over the network takes.
    alignas(DWORD) std::array<std::byte, 65536> records_{};
};

}  // namespace Runtime
