#include "../FileLookup.h"

#include <windows.h>

namespace Runtime {

bool IsNormalFile(const std::filesystem::path& path) noexcept {
    // GetFileAttributesExW reads the entry without opening it and, unlike
    // FindFirstFileW, expands no wildcards: "*" and "?" cannot be in a
    // Windows file name, so such a path simply names nothing.
    if (path.empty()) return false;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    constexpr DWORD kNotNormal =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    return (data.dwFileAttributes & kNotNormal) == 0;
}

}  // namespace Runtime
