#include "SystemError.h"

#include <windows.h>

namespace Runtime {

RuntimeError ErrorFromWin32(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return MakeError(kFileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_CANT_RESOLVE_FILENAME: return MakeError(kPathNotFound);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_NETWORK_ACCESS_DENIED: return MakeError(kAccessDenied);
    case ERROR_FILENAME_EXCED_RANGE: return MakeError(kNameTooLong);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return MakeError(kDiskFull);
    case ERROR_INVALID_HANDLE: return MakeError(kBadFileNumber);
    case ERROR_TOO_MANY_OPEN_FILES: return MakeError(kTooManyFiles);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_NO_SYSTEM_RESOURCES: return MakeError(kOutOfMemory);
    // An empty card reader or a network drive that is not connected.
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED:
    case ERROR_NOT_CONNECTED:
    case ERROR_DEVICE_NOT_CONNECTED: return MakeError(kNotReady);
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_UNRECOGNIZED_MEDIA:
    case ERROR_NOT_DOS_DISK:
    case ERROR_DISK_OPERATION_FAILED:
    case ERROR_NOACCESS:  // Wine's answer when the disk fails a read
    case ERROR_FILE_INVALID:  // the file went away under an open handle, as ESTALE
    case ERROR_NETNAME_DELETED: return MakeError(kDeviceIo);
    default: return MakeError(kUnknownFailure);
    }
}

}  // namespace Runtime
