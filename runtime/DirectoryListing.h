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

enum class EntryKind {
    Directory,  // directories and links to them
    File,       // regular files and links to them
};

// The entries of one kind in directory whose readable names match pattern,
// sorted ignoring case. Hidden entries (names starting with '.') and links
// that lead nowhere are left out. Throws RuntimeError when the directory
// cannot be read; a directory that is not there is path-not-found.
std::vector<DirectoryEntry> ReadDirectory(std::string_view directory, EntryKind kind,
                                          const NamePattern& pattern);

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
