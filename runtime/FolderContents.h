#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "NamePattern.h"

namespace Runtime {

// One name in a folder. Opening goes by NativeName, the bytes the file
// system holds; people see DisplayName, which is always UTF-8.
struct FolderEntry {
    std::string NativeName;
    std::string DisplayName;

    bool operator==(const FolderEntry&) const = default;
};

// Which entries a listing gathers.
enum class ListedKinds { Folders, Files, FoldersAndFiles };

struct FolderContents {
    std::vector<FolderEntry> Folders;
    std::vector<FolderEntry> Files;  // those whose readable names match the pattern
};

// One read of folder: its folders and its files, each sorted ignoring
// case; only the kinds asked for are gathered. Hidden entries (names
// starting with '.', or marked hidden or system on Windows) and links that
// lead nowhere are left out; links to folders and files count as what they
// lead to. Throws RuntimeError when the folder cannot be read; a
// folder that is not there is path-not-found.
FolderContents ReadFolder(std::string_view folder, const NamePattern& filePattern,
                          ListedKinds kinds = ListedKinds::FoldersAndFiles);

// The absolute, lexically normal form of a folder path, with no
// separator at the end unless it is the root. A relative path is taken from
// the current folder.
std::string AbsoluteFolder(std::string_view path);

// The process's current folder, in native bytes. Throws RuntimeError
// when it has been removed.
std::string CurrentFolder();

// The folder every other folder lies under, where the lists go when no
// other folder can be shown: "/" here.
std::string RootFolder();

// A path to open, made from native bytes.
std::filesystem::path PathFromNative(std::string_view nativePath);

}  // namespace Runtime
