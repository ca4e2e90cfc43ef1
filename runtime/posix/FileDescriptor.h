#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "../OwnedHandle.h"

namespace Runtime {

struct FileDescriptorKind {
    using Handle = int;
    static constexpr int Empty() noexcept { return -1; }
    static void Close(int fd) noexcept { ::close(fd); }
};

// Owns one open file descriptor; -1 means none.
class FileDescriptor : public OwnedHandle<FileDescriptorKind> {
public:
    using OwnedHandle::OwnedHandle;

    // Opens path read-only; the result holds -1 and errno says why when
    // that fails. Retried when a signal cuts the call short.
    static FileDescriptor OpenForReading(const char* path, int extraFlags = 0) noexcept {
        int fd = -1;
        do {
            fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | extraFlags);
        } while (fd == -1 && errno == EINTR);
        return FileDescriptor(fd);
    }
};

}  // namespace Runtime
