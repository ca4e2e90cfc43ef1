#include "../Volumes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>

#include "FolderStream.h"
#include "FileDescriptor.h"

namespace Runtime {

namespace {

// The whole of a small text file such as /proc/self/mountinfo, whose size
// stat reports as 0; empty when it cannot be read.
std::string ReadSmallFile(const char* path) {
    const FileDescriptor file = FileDescriptor::OpenForReading(path);
    if (!file.IsOpen()) return {};
    std::string text;
    char buffer[4096];
    while (true) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

std::string ResolvedPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// Each labelled device, as its resolved path, with its label.
std::vector<std::pair<std::string, std::string>> DeviceLabels() {
    constexpr std::string_view kFolder = "/dev/disk/by-label/";
    std::vector<std::pair<std::string, std::string>> labels;
    const FolderStream folder(std::string(kFolder).c_str());
    if (!folder.IsOpen()) return labels;
    while (const dirent* entry = folder.Next()) {
        const std::string_view name(entry->d_name);
        if (name.empty() || name.front() == '.') continue;
        std::string device = ResolvedPath(std::string(kFolder) + entry->d_name);
        if (!device.empty()) labels.emplace_back(std::move(device), LabelOfLinkName(name));
    }
    return labels;
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::vector<Volume> MountedVolumes() {
    std::vector<Volume> volumes;
    try {
        volumes = ParseMountInfo(ReadSmallFile("/proc/self/mountinfo"));
        // Containers bind single files such as /etc/hosts; only folders are browsed.
        std::erase_if(volumes, [](const Volume& volume) { return !IsFolder(volume.MountPoint); });
        const auto labels = DeviceLabels();
        for (Volume& volume : volumes) {
            if (!volume.Source.starts_with("/dev/")) continue;
            const std::string device = ResolvedPath(volume.Source);
            for (const auto& [labelled, label] : labels) {
                if (labelled == device) volume.Label = label;
            }
        }
    } catch (...) {
        volumes.clear();  // a label that cannot be decoded or no memory: fall back to the root
    }
    if (volumes.empty() || volumes.front().MountPoint != "/") volumes.insert(volumes.begin(), Volume{"/", {}, {}, {}});
    return volumes;
}

}  // namespace Runtime
