#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Runtime {

// What a drive is, as Windows tells it; Linux mounts are Unknown.
enum class DriveKind { Unknown, Fixed, Removable, Optical, Network, RamDisk };

// A mounted file system a person may browse: on Windows, a drive letter.
struct Volume {
    std::string MountPoint;  // native bytes, escapes undone
    std::string FileSystem;
    std::string Source;      // the device or server it comes from
    std::string Label;       // UTF-8; empty when the file system has none
    DriveKind Kind = DriveKind::Unknown;

    bool operator==(const Volume&) const = default;
};

// Linux only, down to LabelOfLinkName (posix/MountInfo.cpp).

// The mounts listed in a /proc/self/mountinfo text that a person browses:
// "/" and real volumes, never the kernel's pseudo file systems, memory file
// systems or anything mounted under /proc, /sys, /dev or /run (removable
// media under /run/media excepted). "/" comes first, the rest follow by
// mount point; a mount point mounted over again keeps its last mount.
std::vector<Volume> ParseMountInfo(std::string_view mountInfo);

// Whether a file system of this type at this mount point is one to list.
bool IsBrowsableMount(std::string_view mountPoint, std::string_view fileSystem) noexcept;

// The index of the volume whose mount point holds path, the deepest one
// when several do; volumes.size() when none does.
std::size_t FindVolumeHolding(std::span<const Volume> volumes, std::string_view path) noexcept;

// The label of the volume a link in /dev/disk/by-label is named after,
// in UTF-8: udev writes unsafe bytes, a space among them, as \xHH, and an
// old label's Shift_JIS bytes are read as such.
std::string LabelOfLinkName(std::string_view linkName);

// The volumes mounted now, with their labels where the system knows them.
// Never fails: without a readable mount table the list is "/" alone. On
// Windows every drive letter is listed, "C:\" and on, ready or not.
std::vector<Volume> MountedVolumes();

}  // namespace Runtime
