#include <algorithm>
#include <array>
#include <cstdlib>

#include "../PathChain.h"
#include "../ReadableName.h"
#include "../Volumes.h"

namespace Runtime {

namespace {

// The kernel writes space, tab, newline and backslash in mount points as
// three octal digits after a backslash.
std::string UndoOctalEscapes(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool isEscape = field[i] == '\\' && field.size() - i > 3 &&
                              std::all_of(field.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                          field.begin() + static_cast<std::ptrdiff_t>(i) + 4,
                                          [](char c) { return c >= '0' && c <= '7'; });
        if (!isEscape) {
            text += field[i];
            continue;
        }
        const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
        text += static_cast<char>(static_cast<unsigned char>(value & 0xFF));
        i += 3;
    }
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        if (line[start] == ' ') {
            ++start;
            continue;
        }
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos) end = line.size();
        fields.push_back(line.substr(start, end - start));
        start = end;
    }
    return fields;
}

// udev names the links in /dev/disk/by-label with unsafe bytes written as
// \xHH, a space as \x20.
std::string UndoHexEscapes(std::string_view name) {
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && name.size() - i > 3 && name[i + 1] == 'x') {
            const std::string digits(name.substr(i + 2, 2));
            char* end = nullptr;
            const long value = std::strtol(digits.c_str(), &end, 16);
            if (end == digits.c_str() + 2) {
                text += static_cast<char>(static_cast<unsigned char>(value));
                i += 3;
                continue;
            }
        }
        text += name[i];
    }
    return text;
}

}  // namespace

std::string LabelOfLinkName(std::string_view linkName) { return ReadableName(UndoHexEscapes(linkName)); }

bool IsBrowsableMount(std::string_view mountPoint, std::string_view fileSystem) noexcept {
    if (mountPoint == "/") return true;
    constexpr std::array<std::string_view, 29> kNotBrowsed = {
        "proc",     "sysfs",     "cgroup",     "cgroup2",    "devpts",      "devtmpfs",
        "tmpfs",    "ramfs",     "mqueue",     "hugetlbfs",  "debugfs",     "tracefs",
        "securityfs", "pstore",  "bpf",        "configfs",   "fusectl",     "binfmt_misc",
        "autofs",   "efivarfs",  "rpc_pipefs", "nsfs",       "selinuxfs",   "squashfs",
        "overlay",  "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "nfsd"};
    if (std::find(kNotBrowsed.begin(), kNotBrowsed.end(), fileSystem) != kNotBrowsed.end()) return false;
    if (IsSameOrUnder(mountPoint, "/run/media")) return true;
    constexpr std::array<std::string_view, 6> kSystemTrees = {"/proc", "/sys",  "/dev",
                                                              "/run",  "/snap", "/var/lib"};
    return std::none_of(kSystemTrees.begin(), kSystemTrees.end(),
                        [mountPoint](std::string_view tree) { return IsSameOrUnder(mountPoint, tree); });
}

std::vector<Volume> ParseMountInfo(std::string_view mountInfo) {
    std::vector<Volume> volumes;
    std::size_t start = 0;
    while (start < mountInfo.size()) {
        std::size_t end = mountInfo.find('\n', start);
        if (end == std::string_view::npos) end = mountInfo.size();
        const auto fields = SplitFields(mountInfo.substr(start, end - start));
        start = end + 1;
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const auto separator = std::find(fields.begin(), fields.end(), "-");
        if (separator == fields.end() || fields.end() - separator < 3 ||
            separator - fields.begin() < 6) {
            continue;  // a line the kernel would not write; skip rather than guess
        }
        Volume volume{UndoOctalEscapes(fields[4]), std::string(separator[1]),
                      UndoOctalEscapes(separator[2]), {}};
        if (!IsBrowsableMount(volume.MountPoint, volume.FileSystem)) {
            // A pseudo file system mounted over a volume hides it.
            std::erase_if(volumes, [&](const Volume& v) { return v.MountPoint == volume.MountPoint; });
            continue;
        }
        std::erase_if(volumes, [&](const Volume& v) { return v.MountPoint == volume.MountPoint; });
        volumes.push_back(std::move(volume));
    }
    std::stable_sort(volumes.begin(), volumes.end(), [](const Volume& a, const Volume& b) {
        if (a.MountPoint == "/" || b.MountPoint == "/") return a.MountPoint == "/" && b.MountPoint != "/";
        return a.MountPoint < b.MountPoint;
    });
    return volumes;
}

std::size_t FindVolumeHolding(std::span<const Volume> volumes, std::string_view path) noexcept {
    std::size_t found = volumes.size();
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (!IsSameOrUnder(path, volumes[i].MountPoint)) continue;
        if (found == volumes.size() || volumes[i].MountPoint.size() > volumes[found].MountPoint.size())
            found = i;
    }
    return found;
}

}  // namespace Runtime
