#include "SystemError.h"

#include <cerrno>

namespace Runtime {

RuntimeError ErrorFromErrno(int error) {
    switch (error) {
    case ENOENT: return MakeError(kFileNotFound);
    case ENOTDIR:
    case ELOOP: return MakeError(kPathNotFound);
    case ENAMETOOLONG: return MakeError(kNameTooLong);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return MakeError(kAccessDenied);  // as Windows tells a file written over a folder
    case EMFILE:
    case ENFILE: return MakeError(kTooManyFiles);
    case ENOMEM: return MakeError(kOutOfMemory);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return MakeError(kDiskFull);  // the disk takes no more of this file (FAT32 stops at 4 GiB)
    case EBADF: return MakeError(kBadFileNumber);
    case EIO:
    case ENXIO:
    case ENODEV:
    case ESTALE: return MakeError(kDeviceIo);
    default: return MakeError(kUnknownFailure);
    }
}

}  // namespace Runtime
