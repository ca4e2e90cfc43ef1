#include "../Volumes.h"

#include <windows.h>

#include <utility>

#include "../WideText.h"

namespace Runtime {

namespace {

// Asking an empty drive must fail quietly, not put up Windows' own "no
// disk" box; the error mode is the thread's, so it is set back after.
class QuietDriveErrors {
public:
    QuietDriveErrors() noexcept { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;
    ~QuietDriveErrors() { ::SetThreadErrorMode(previous_, nullptr); }

private:
    DWORD previous_ = 0;
};

DriveKind KindOf(UINT driveType) noexcept {
    switch (driveType) {
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_CDROM: return DriveKind::Optical;
    case DRIVE_REMOTE: return DriveKind::Network;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Unknown;
    }
}

Volume DriveVolume(const std::wstring& root) {
    Volume volume;
    volume.MountPoint = Utf8FromWide(root);
    volume.Kind = KindOf(::GetDriveTypeW(root.c_str()));
    // A network drive whose server is gone can keep this call waiting for
    // seconds; its letter is enough to list it.
    if (volume.Kind == DriveKind::Network) return volume;
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    // Fails on a drive that is not ready: it is listed all the same, and choosing it says why.
    if (::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, fileSystem,
                                MAX_PATH + 1)) {
        volume.Label = Utf8FromWide(label);
        volume.FileSystem = Utf8FromWide(fileSystem);
    }
    return volume;
}

}  // namespace

std::vector<Volume> MountedVolumes() {
    std::vector<Volume> volumes;
    try {
        const QuietDriveErrors quiet;
        std::wstring roots(128, L'\0');
        DWORD length = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
        if (length > roots.size()) {
            roots.resize(length);
            length = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
        }
        roots.resize(length <= roots.size() ? length : 0);
        // "A:\<NUL>C:\<NUL>...<NUL>"
        for (std::size_t start = 0; start < roots.size();) {
            std::size_t end = roots.find(L'\0', start);
            if (end == std::wstring::npos) end = roots.size();
            if (end > start) volumes.push_back(DriveVolume(roots.substr(start, end - start)));
            start = end + 1;
        }
    } catch (...) {
        volumes.clear();  // no memory: fall back to the drive the tool runs from
    }
    if (volumes.empty()) volumes.push_back(Volume{"C:\\", {}, {}, {}, DriveKind::Fixed});
    return volumes;
}

}  // namespace Runtime
