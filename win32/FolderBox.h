#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundWork.h"
#include "EntryListBox.h"
#include "IconHandle.h"
#include "Patience.h"
#include "NamePattern.h"

namespace Services {
class FolderReader;
struct FolderListing;
}  // namespace Services

// Dir1: the chain of folders from the drive's root down to the folder
// shown, then that folder's subfolders. A double-click or Enter opens the
// row; a single click only highlights it. Follows its folder on disk when
// told: the highlighted subfolder stays highlighted, and a folder removed
// while shown gives way to the nearest one above that can be read.
// A folder is read on a worker. One that answers at once is shown at once;
// for a slower one the chain moves there at once with a row saying it is
// being read, and the subfolders follow when they arrive. Opening another
// folder meanwhile abandons the wait; a folder that cannot be read puts the
// list back where it was and shows the failure. Compare qt/DirectoryList.
class FolderBox : public EntryListBox {
public:
    std::function<void()> pathChanged;  // the folder shown changed
    std::function<void(bool isReading)> readingChanged;  // a slow listing started or ended

    FolderBox();
    ~FolderBox() override;

    // Makes the list box; listings are handed back to the window through poster.
    void Create(HWND parent, int id, const wchar_t* accessibleName, Services::WindowPoster poster);
    // Drops the listing on its way, for good: the window is going.
    void StopReading() noexcept;
    void SetPatience(std::chrono::milliseconds patience) noexcept { patience_ = patience; }

    const std::string& NativePath() const noexcept { return nativePath_; }
    void SetDriveRoot(std::string_view root) { driveRoot_ = root; }

    // Lists path and raises pathChanged; throws Runtime::RuntimeError when
    // the folder cannot be read, and then nothing changes. A folder slow to
    // answer is shown when its listing arrives (pathChanged then), or its
    // failure shown then.
    void SetNativePath(std::string_view path);
    bool IsReading() const noexcept { return beforeReading_ != nullptr; }

    // The files of the folder shown, read in the same pass as its
    // subfolders, so the file list beside needs no listing of its own.
    void SetFilePattern(const Runtime::NamePattern& pattern) { filePattern_ = pattern; }
    std::vector<Runtime::FolderEntry> TakeFiles() { return std::move(files_); }

    // A notification from the list box, by its code.
    void Notify(int code);
    // Reads the folder again, after it changed on disk.
    void FollowDisk();

protected:
    bool BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DialogCode(LRESULT code, const MSG* message) const override;
    HICON GlyphOf(int row) const override;

private:
    // Why the listing on its way was asked for.
    enum class Reading { Nothing, Open, Follow, MoveUp };

    void Request(std::string absolute, Reading why);  // throws as SetNativePath does
    void Show(Services::FolderListing listing);
    void ShowOpened();
    void ShowFollowed(Services::FolderListing listing);
    void ShowReading(std::string absolute, Reading why);
    void RestoreBeforeReading();
    void Listed(Services::FolderListing listing);
    void SetReading(bool isReading);
    void OpenRow(int row);
    void MoveToNearestReadableFolder();
    std::vector<EntryRow> ChainRows(const std::string& absolute) const;
    std::string PathOfRow(int row) const;

    std::string nativePath_;
    std::string driveRoot_;
    int chainLength_ = 0;
    Runtime::NamePattern filePattern_{"*"};
    std::vector<Runtime::FolderEntry> files_;
    IconHandle openFolder_;
    IconHandle folder_;
    Reading reading_ = Reading::Nothing;
    // What was shown before a slow listing began, to go back to if it fails.
    struct Shown {
        std::vector<EntryRow> rows;
        std::string nativePath;
        int chainLength = 0;
        int currentRow = -1;
    };
    std::unique_ptr<Shown> beforeReading_;
    std::chrono::milliseconds patience_ = Services::kStartListingPatience;
    std::unique_ptr<Services::FolderReader> reader_;
};
