#include "../FileLookup.h"

#include <sys/stat.h>

namespace Runtime {

bool IsNormalFile(const std::filesystem::path& path) noexcept {
    // Hidden files are the ones whose name starts with a dot.
    const std::string& native = path.native();
    const auto nameStart = native.find_last_of('/');
    const std::size_t first = nameStart == std::string::npos ? 0 : nameStart + 1;
    if (first >= native.size() || native[first] == '.') return false;

    struct stat status {};
    return ::stat(native.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace Runtime
