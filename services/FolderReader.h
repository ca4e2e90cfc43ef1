#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "BackgroundWork.h"
#include "FolderContents.h"
#include "NewestWins.h"
#include "RuntimeError.h"

namespace Services {

// One read of a folder, or why it could not be read.
struct FolderListing {
    std::string Folder;  // absolute, native
    Runtime::FolderContents Contents;
    std::optional<Runtime::RuntimeError> Failure;
};

// ReadFolder with its failure kept in the result instead of thrown, so it
// can cross from a worker to the window's thread.
FolderListing ListFolder(const std::string& folder, const Runtime::NamePattern& pattern,
                         Runtime::ListedKinds kinds) noexcept;

// The folder a list shows, read on a worker of its own: the newest request
// wins, so opening another folder abandons the wait for the one before.
class FolderReader {
public:
    FolderReader(WindowPoster poster, std::function<void(FolderListing)> deliver);

    // A listing read within patience is returned; a later one goes to
    // deliver on the window's thread unless another was asked for meanwhile.
    std::optional<FolderListing> Request(const std::string& folder, const Runtime::NamePattern& pattern,
                                         Runtime::ListedKinds kinds, std::chrono::milliseconds patience);
    void Abandon() { newest_.Abandon(); }
    bool IsReading() const { return newest_.IsAwaited(); }

private:
    BackgroundWork work_;
    NewestWins<FolderListing> newest_;  // after work_: it goes first
};

}  // namespace Services
