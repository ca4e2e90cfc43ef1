// The parts of BinaryFile that are the same on every platform; opening,
// reading and closing are in posix/ and windows/.
#include "BinaryFile.h"

#include <utility>

namespace Runtime {

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), length_(std::exchange(other.length_, 0)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, -1);
        length_ = std::exchange(other.length_, 0);
    }
    return *this;
}

BinaryFile::~BinaryFile() { Close(); }

}  // namespace Runtime
