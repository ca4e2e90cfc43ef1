#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "NamePattern.h"

namespace Runtime {

// One name in a directory. Opening goes by NativeName, the bytes the file
// system holds; people see DisplayName, which is always UTF-8.
struct DirectoryEntry {
    std::string NativeName;
    std::string DisplayName;

    bool operator==(const DirectoryEntry&) const = default;
};

// Which entries a listing gathers.
enum class ListedKinds { Folders, Files, FoldersAndFiles };

struct FolderContents {
    std::vector<DirectoryEntry> Folders;
    std::vector<DirectoryEntry> Files;  // those whose readable names match the pattern
};

// One read of directory: its folders and its files, each sorted ignoring
// case; only the kinds asked for are gathered. Hidden entries (names
// starting with '.', or marked hidden or system on Windows) and links that
// lead nowhere are left out; links to folders and files count as what they
// lead to. Throws RuntimeError when the directory cannot be read; a
// directory that is not there is path-not-found.
FolderContents ReadFolder(std::string_view directory, const NamePattern& filePattern,
                          ListedKinds kinds = ListedKinds::FoldersAndFiles);

// The absolute, lexically normal form of a directory path, with no
// separator at the end unless it is the root. A relative path is taken from
// the current directory.
std::string AbsoluteDirectory(std::string_view path);

// The process's current directory, in native bytes. Throws RuntimeError
// when it has been removed.
std::string CurrentDirectory();

// The folder every other folder lies under, where the lists go when no
// other folder can be shown: "/" here.
std::string RootDirectory();

// A path to open, made from native bytes.
std::filesystem::path PathFromNative(std::string_view nativePath);

}  // namespace Runtime
