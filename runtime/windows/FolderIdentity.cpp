#include "../FolderIdentity.h"

#include <windows.h>

#include <memory>
#include <type_traits>

#include "../FolderContents.h"
#include "SystemError.h"

namespace Runtime {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

}  // namespace

std::optional<FolderFacts> LookUpFolder(std::string_view nativePath) {
    const std::filesystem::path path = PathFromNative(nativePath);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw ErrorFromWin32(::GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::nullopt;

    // FILE_FLAG_BACKUP_SEMANTICS is what lets CreateFileW open a folder; only
    // its attributes are asked for, and a junction is followed to its target.
    const HANDLE opened = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throw ErrorFromWin32(::GetLastError());
    const OwnedHandle folder(opened);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(folder.get(), &information)) throw ErrorFromWin32(::GetLastError());
    const FolderIdentity identity{
        information.dwVolumeSerialNumber,
        std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
    return FolderFacts{identity, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

}  // namespace Runtime
