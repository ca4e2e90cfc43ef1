#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundWork.h"
#include "FolderReader.h"
#include "ListView.h"
#include "NamePattern.h"
#include "Patience.h"
#include "Views.h"

namespace Window {

// Dir1: the chain of folders from the drive's root down to the folder
// shown, then that folder's subfolders. Opening a row (double-click or
// Enter) makes it the folder shown; a single click only highlights.
// A folder is read on a worker, its files in the same pass for File1. One
// that answers within the patience is shown at once; for a slower one the
// chain moves there at once with a row saying it is being read, and the
// subfolders follow when they arrive. Opening another folder meanwhile
// abandons the wait; a folder that cannot be read puts the list back where
// it was and the failure is shown.
// Follows its folder on disk when told: the highlighted subfolder stays
// highlighted, and a folder gone or unreadable gives way, quietly, to the
// nearest one above that can be read.
class FolderChain {
public:
    std::function<void()> pathChanged;  // the folder shown changed
    std::function<void(bool isReading)> readingChanged;  // a slow listing started or ended

    FolderChain(Services::WindowPoster poster, ListView& view, WindowHost& host, Runtime::NamePattern filePattern,
                Services::ListFolderFunction list = Services::ListFolder);

    const std::string& NativePath() const noexcept { return nativePath_; }
    std::span<const Row> Rows() const noexcept { return rows_; }
    bool IsReading() const noexcept { return beforeReading_ != nullptr; }
    // The files of the folder shown, read in the same pass as its subfolders.
    std::vector<Runtime::FolderEntry> TakeFiles() { return std::move(files_); }

    // The folder the chain starts from for the paths under it: the root of
    // the drive shown; taken at the next listing.
    void SetDriveRoot(std::string_view root) { driveRoot_ = root; }
    // How long the window's thread waits for a listing: longer while the
    // window is not on screen yet.
    void SetPatience(std::chrono::milliseconds patience) noexcept { patience_ = patience; }

    // Lists path and raises pathChanged; gives the failure back when the
    // folder cannot be read, and nothing changes then. A folder slow to
    // answer raises pathChanged when its listing arrives, or its failure is
    // shown then. The folder shown already raises nothing, so File1 keeps
    // its selection; its chain is drawn again when the drive root changed.
    std::optional<Runtime::RuntimeError> Open(std::string_view path);
    // Opens a row, as a double-click or Enter does; a failure is shown.
    void OpenRow(int row);
    // Lists the folder again, after it changed on disk.
    void FollowDisk();
    // Drops the listing on its way, for good: the window is going.
    void StopReading() noexcept;

private:
    // Why the listing on its way was asked for.
    enum class Reading { Nothing, Open, Follow, MoveUp };
    // What was shown before a slow listing began, to go back to if it fails.
    struct Shown {
        std::vector<Row> rows;
        std::string nativePath;
        int chainLength = 0;
        int highlighted = -1;
    };

    std::optional<Runtime::RuntimeError> Request(std::string absolute, Reading why);
    void Show(Services::FolderListing listing);
    void ShowOpened();
    void ShowFollowed(Services::FolderListing listing);
    void ShowReading(std::string absolute, Reading why);
    void RestoreBeforeReading();
    void Listed(Services::FolderListing listing);
    void MoveToNearestReadableFolder();
    std::vector<Row> ChainRows(const std::string& absolute) const;
    std::string PathOfRow(int row) const;

    ListView& view_;
    WindowHost& host_;
    const Runtime::NamePattern filePattern_;
    std::string nativePath_;
    std::string driveRoot_;  // empty: each path chained from its own root
    std::string listedDriveRoot_;  // the drive root of the chain shown
    int chainLength_ = 0;  // rows from the chain's root to the folder itself
    std::vector<Row> rows_;
    std::vector<Runtime::FolderEntry> files_;
    Reading reading_ = Reading::Nothing;
    std::unique_ptr<Shown> beforeReading_;
    std::chrono::milliseconds patience_ = Services::kStartListingPatience;
    std::unique_ptr<Services::FolderReader> reader_;
};

}  // namespace Window
