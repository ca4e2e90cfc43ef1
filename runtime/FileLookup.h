#pragma once

#include <filesystem>

namespace Runtime {

// True when path names a normal file: a regular file (a link to one counts)
// that is not hidden. Folders, devices, FIFOs and sockets are not normal
// files, and asking never opens anything, so a FIFO cannot block the caller.
// The path is taken literally; wildcard characters match only themselves.
bool IsNormalFile(const std::filesystem::path& path) noexcept;

}  // namespace Runtime
