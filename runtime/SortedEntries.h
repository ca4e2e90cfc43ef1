#pragma once

#include <utility>
#include <vector>

#include "FolderContents.h"

namespace Runtime {

// The entries by their readable names ignoring case, as every platform's
// listing gives them; names that differ in case alone keep one order by
// their native bytes.
std::vector<FolderEntry> SortedIgnoringCase(std::vector<FolderEntry> entries);

// Both kinds of a listing sorted, as ReadFolder returns them.
inline FolderContents SortedIgnoringCase(FolderContents contents) {
    contents.Folders = SortedIgnoringCase(std::move(contents.Folders));
    contents.Files = SortedIgnoringCase(std::move(contents.Files));
    return contents;
}

// Whether a listing asked for these kinds gathers a folder (or a file).
constexpr bool IsListedKind(bool isFolder, ListedKinds kinds) noexcept {
    return kinds == ListedKinds::FoldersAndFiles || isFolder == (kinds == ListedKinds::Folders);
}

}  // namespace Runtime
