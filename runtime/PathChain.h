#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Runtime {

// Folder paths as the lists use them: absolute, native bytes, no separator
// at the end except on a root ("/" here, "C:\" on Windows).

// Whether path is folder or lies under it, whole names compared.
bool IsSameOrUnder(std::string_view path, std::string_view folder) noexcept;

// The folders from driveRoot down to path, the root first and whole:
// "/home/a/b" with the drive root "/home" gives "/home", "a", "b". A path
// that does not lie under driveRoot is chained from its own root.
std::vector<std::string> ChainOf(std::string_view path, std::string_view driveRoot);

// The path of chain entry `depth` (0 is the root): the chain's parts joined.
std::string PathOfChain(const std::vector<std::string>& chain, std::size_t depth);

// The path of name inside folder.
std::string ChildPath(std::string_view folder, std::string_view name);

// The folder that holds path, or nothing when path is a root.
std::optional<std::string> ParentFolder(std::string_view path);

// The root path begins with: "/" here, the drive's root on Windows.
std::string RootOf(std::string_view path);

}  // namespace Runtime
