#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BackgroundWork.h"
#include "FolderReader.h"
#include "ListView.h"
#include "NamePattern.h"
#include "ReportFetcher.h"
#include "WindowText.h"

namespace Window {


// File1: the files of its folder whose names match "*.smf;*.mid", letter
// case ignored, at most one selected. A folder just opened has none
// selected. Follows its folder on disk when told, reading it on a worker:
// the selected file stays selected, the top row stays on top, and when the
// selected file went the keys go on from where it was.
class FileChoice {
public:
    FileChoice(Services::WindowPoster poster, ListView& view, Services::ListFolderFunction list = Services::ListFolder);

    const std::string& NativeFolder() const noexcept { return nativeFolder_; }
    const std::string& ReadableFolder() const noexcept { return readableFolder_; }
    const Runtime::NamePattern& Pattern() const noexcept { return pattern_; }
    std::span<const Row> Rows() const noexcept { return rows_; }

    // Shows files listed elsewhere as folder's: Dir1 reads them in its own
    // pass over the folder. A listing of the folder shown before, still on
    // its way, is dropped.
    void ShowListing(std::string folder, std::vector<Runtime::FolderEntry> files);
    // Lists the folder again, after it changed on disk; one that takes
    // longer than patience is shown when it arrives.
    void FollowDisk(std::chrono::milliseconds patience);
    // Drops the listing on its way, for good: the window is going.
    void StopReading() noexcept;

    // The file selected, as the report names and opens it; nothing when none is.
    std::optional<Services::SelectedFile> Selected() const;

private:
    void ShowFollowed(Services::FolderListing listing);

    ListView& view_;
    std::string nativeFolder_;
    std::string readableFolder_;
    const Runtime::NamePattern pattern_{Services::kFilePattern};
    std::vector<Row> rows_;
    std::unique_ptr<Services::FolderReader> reader_;
};

}  // namespace Window
