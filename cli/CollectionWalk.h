#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "DirectoryListing.h"
#include "FolderIdentity.h"
#include "NamePattern.h"
#include "Options.h"
#include "Progress.h"
#include "ReadingPool.h"
#include "ResultWriter.h"
#include "RuntimeError.h"

namespace Cli {

// How a folder is listed: Runtime::ReadFolder, or in tests a stand-in that
// makes a folder fail at the moment it is read.
using FolderReader = std::function<Runtime::FolderContents(std::string_view folder, const Runtime::NamePattern&)>;

// Walks the named paths: a file gives its reading, a folder the readings of
// the files its file list shows, and with recursion those of its subfolders,
// depth first in the folder list's order. Memory holds one folder's files
// and the subfolder lists of the folders above, never the collection.
class CollectionWalk {
public:
    CollectionWalk(const Options& options, ResultWriter& writer, ReadingPool& pool, Progress& progress,
                   std::ostream& err, FolderReader readFolder);

    void WalkNamedPath(const std::string& path);

    // A path or folder could not be read and was told on err.
    bool HasFailed() const { return hasFailed_; }
    // The output closed: there is no point in reading on.
    bool HasStopped() const { return hasStopped_; }

private:
    void WalkFolder(const std::string& folder);
    void ReadFiles(const std::string& folder, const std::vector<Runtime::DirectoryEntry>& files);
    void TellFailure(std::string_view nativePath, const Runtime::RuntimeError& error);

    const Options& options_;
    const Runtime::NamePattern pattern_;
    ResultWriter& writer_;
    ReadingPool& pool_;
    Progress& progress_;
    std::ostream& err_;
    FolderReader readFolder_;
    std::vector<Runtime::FolderIdentity> ancestors_;  // the folders being walked, to see a loop
    bool hasFailed_ = false;
    bool hasStopped_ = false;
};

}  // namespace Cli
