#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "FolderContents.h"
#include "FolderIdentity.h"
#include "NamePattern.h"
#include "RuntimeError.h"
#include "WindowText.h"

namespace Services {

// How a folder is listed: Runtime::ReadFolder, or in tests a stand-in that
// makes a folder fail at the moment it is read.
using FolderLister = std::function<Runtime::FolderContents(std::string_view folder, const Runtime::NamePattern&)>;
Runtime::FolderContents ReadWalkedFolder(std::string_view folder, const Runtime::NamePattern& pattern);

// The files of one folder as the walk found them, in the file list's order.
struct ListedFiles {
    std::string Folder;  // absolute, native
    std::vector<Runtime::FolderEntry> Files;
    // A file named to the walk rather than listed: whether it is a normal
    // file is still to be seen when it is read.
    bool IsNamed = false;
};

struct WalkRules {
    Runtime::NamePattern Pattern{kFilePattern};
    bool IncludesSubfolders = false;
    bool FollowsLinks = false;  // links to folders; without, only the top may be one
};

// The walk midtitle-cli and the title list share: a folder gives the files
// its file list shows, and with subfolders those of every folder below,
// depth first in the folder list's order, a folder's files before its
// subfolders. A loop is never walked twice. Memory holds one folder's files
// and the subfolder lists of the folders above, never the collection.
class FolderWalk {
public:
    struct Sinks {
        // Each folder walked, empty ones too, in walk order. False stops the walk.
        std::function<bool(ListedFiles)> listed;
        // A path or folder that could not be read; the walk goes on.
        std::function<void(std::string_view nativePath, const Runtime::RuntimeError&)> failed;
    };

    FolderWalk(WalkRules rules, Sinks sinks, FolderLister list = ReadWalkedFolder);

    // Walks what path names: a folder, or a file (then read whatever its
    // name). Any path is taken as the system takes it (relative to the
    // current folder, ".." through links). False when a sink stopped it.
    bool Walk(std::string_view path);

    // Walks a folder that a new listing found below one walked before, as
    // the walk would have reached it: a link is walked only when followed.
    bool WalkSubfolder(const std::string& folder);

private:
    bool WalkFolder(const std::string& folder);

    WalkRules rules_;
    Sinks sinks_;
    FolderLister list_;
    std::vector<Runtime::FolderIdentity> ancestors_;  // the folders being walked, to see a loop
    bool hasStopped_ = false;
};

}  // namespace Services
