#include "../BinaryFile.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "SystemError.h"

namespace Runtime {

namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// ReadFile counts in DWORDs; larger buffers are read in pieces of this size.
constexpr std::size_t kLargestRead = 1u << 30;

}  // namespace

BinaryFile::BinaryFile(const std::filesystem::path& path) : handle_(-1) {
    // Every sharing mode is granted: another program may go on writing,
    // renaming or deleting the file while it is open here, and a file that
    // program holds open for writing can still be read.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw ErrorFromWin32(::GetLastError());
    // INVALID_HANDLE_VALUE is (HANDLE)-1, so -1 stays the closed state.
    handle_ = reinterpret_cast<std::intptr_t>(file);

    // A device name such as NUL or COM1 opens too, in any folder; only a
    // file on a disk is a file to read.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        Close();
        throw MakeError(kFileNotFound);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) {
        const DWORD error = ::GetLastError();
        Close();
        throw ErrorFromWin32(error);
    }
    length_ = static_cast<std::uint64_t>(size.QuadPart);
}

void BinaryFile::Close() noexcept {
    if (handle_ != -1) ::CloseHandle(Handle(std::exchange(handle_, -1)));
}

std::size_t BinaryFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const {
    std::size_t done = 0;
    while (done < buffer.size()) {
        // The offset travels in the OVERLAPPED record, so reads never move a
        // shared file pointer and need no seek first.
        const std::uint64_t at = offset + done;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const auto wanted = static_cast<DWORD>(std::min(buffer.size() - done, kLargestRead));
        DWORD got = 0;
        if (!::ReadFile(Handle(handle_), buffer.data() + done, wanted, &got, &position)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF) break;
            throw ErrorFromWin32(error);
        }
        if (got == 0) break;  // end of file
        done += got;
    }
    return done;
}

}  // namespace Runtime
