#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace Runtime {

// What tells one folder from every other on the machine, however it is
// reached: the device and inode here, the volume serial number and file ID
// on Windows. Two paths with equal identities are the same folder, so a walk
// that follows links can see that it has come round in a loop.
struct FolderIdentity {
    std::uint64_t Volume = 0;
    std::uint64_t Index = 0;

    bool operator==(const FolderIdentity&) const = default;
};

struct FolderFacts {
    FolderIdentity Identity;
    bool IsLink = false;  // the path itself is a link (a junction on Windows) to the folder
};

// The facts of the folder at nativePath, or nothing when the path is there
// but is not a folder (a file, a device). Throws RuntimeError when the path
// cannot be looked up: missing, a link that leads nowhere, access denied.
std::optional<FolderFacts> LookUpFolder(std::string_view nativePath);

}  // namespace Runtime
