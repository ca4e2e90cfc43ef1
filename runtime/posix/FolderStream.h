#pragma once

#include <dirent.h>

#include <cerrno>
#include <memory>

namespace Runtime {

// Owns one open folder stream; empty when opening failed, and errno
// then says why.
class FolderStream {
public:
    explicit FolderStream(const char* path) noexcept : stream_(::opendir(path)) {}

    bool IsOpen() const noexcept { return stream_ != nullptr; }

    // The next entry, or nullptr at the end or on a failure; errno is 0 at
    // the end and tells the failure otherwise.
    const dirent* Next() const noexcept {
        errno = 0;
        return ::readdir(stream_.get());
    }

    int Descriptor() const noexcept { return ::dirfd(stream_.get()); }

private:
    struct Closer {
        void operator()(DIR* stream) const noexcept { ::closedir(stream); }
    };
    std::unique_ptr<DIR, Closer> stream_;
};

}  // namespace Runtime
