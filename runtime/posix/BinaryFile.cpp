#include "../BinaryFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "FileDescriptor.h"
#include "SystemError.h"

namespace Runtime {

namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

BinaryFile::BinaryFile(const std::filesystem::path& path) : handle_(-1) {
    // O_NONBLOCK: if the name was swapped for a FIFO after it was looked up,
    // opening it still returns at once, and the check below turns it away.
    FileDescriptor file = FileDescriptor::OpenForReading(path.c_str(), O_NONBLOCK);
    if (!file.IsOpen()) throw ErrorFromErrno(errno);
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) throw ErrorFromErrno(errno);
    if (!S_ISREG(status.st_mode)) throw MakeError(kFileNotFound);
    length_ = static_cast<std::uint64_t>(status.st_size);
    handle_ = file.Release();
}

void BinaryFile::Close() noexcept {
    // No retry on EINTR: the descriptor is released either way and may
    // already belong to someone else.
    if (handle_ != -1) ::close(Descriptor(std::exchange(handle_, -1)));
}

std::size_t BinaryFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::pread(Descriptor(handle_), buffer.data() + done, buffer.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got == 0) break;  // end of file
        if (got < 0) {
            if (errno == EINTR) continue;
            throw ErrorFromErrno(errno);
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

}  // namespace Runtime
