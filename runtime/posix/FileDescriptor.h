#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace Runtime {

// Owns one open file descriptor; -1 means none.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) noexcept : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    // No retry on EINTR: the descriptor is released either way and may
    // already belong to someone else.
    ~FileDescriptor() {
        if (fd_ != -1) ::close(fd_);
    }

    // Opens path read-only; the result holds -1 and errno says why when
    // that fails. Retried when a signal cuts the call short.
    static FileDescriptor OpenForReading(const char* path, int extraFlags = 0) noexcept {
        int fd = -1;
        do {
            fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | extraFlags);
        } while (fd == -1 && errno == EINTR);
        return FileDescriptor(fd);
    }

    int Get() const noexcept { return fd_; }
    // Hands the descriptor to a caller that closes it itself.
    int Release() noexcept { return std::exchange(fd_, -1); }
    bool IsOpen() const noexcept { return fd_ != -1; }

private:
    int fd_;
};

}  // namespace Runtime
