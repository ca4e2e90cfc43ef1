#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace Runtime {

// A file open for reading bytes, closed when the object goes. Opening and
// reading throw RuntimeError; nothing here can write to the file.
class BinaryFile {
public:
    explicit BinaryFile(const std::filesystem::path& path);
    // One owner for the handle, and nobody hands a file on: no copies, no moves.
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    ~BinaryFile();

    std::uint64_t Length() const noexcept { return length_; }

    // Fills buffer from offset on and returns how many bytes arrived. Bytes
    // past the end of the file are not there to read: the tail of buffer is
    // left as the caller had it.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const;

private:
    void Close() noexcept;

    std::intptr_t handle_;  // a descriptor or a HANDLE, by platform; -1 when closed
    std::uint64_t length_ = 0;
};

}  // namespace Runtime
