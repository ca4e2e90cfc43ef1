#include "../FolderIdentity.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "SystemError.h"

namespace Runtime {

std::optional<FolderFacts> LookUpFolder(std::string_view nativePath) {
    const std::string path(nativePath);
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) throw ErrorFromErrno(errno);
    const bool isLink = S_ISLNK(status.st_mode);
    if (isLink && ::stat(path.c_str(), &status) != 0) throw ErrorFromErrno(errno);
    if (!S_ISDIR(status.st_mode)) return std::nullopt;
    return FolderFacts{{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)}, isLink};
}

}  // namespace Runtime
