#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundWork.h"
#include "EntryListBox.h"
#include "Patience.h"
#include "NamePattern.h"
#include "WindowText.h"

namespace Services {
class FolderReader;
struct FolderListing;
}  // namespace Services

// File1: the files of its folder whose names match "*.smf;*.mid", letter
// case ignored, at most one selected. Besides the folder it reports what
// the person does to it: a selection made or changed (click, keys, drag,
// typing), and, before the list box acts on them, a key pressed, a mouse
// button pressed and every move of the mouse over it. Follows its folder
// on disk when told, reading it on a worker: the selected file stays
// selected, and what the list does to follow is not reported as the
// person's doing. Compare qt/FileList.
class FileBox : public EntryListBox {
public:
    std::function<void()> selectionClicked;
    std::function<void(int key, int shift)> keyPressed;
    std::function<void(int button, int shift, int x, int y)> mousePressed;
    std::function<void(int button, int shift, int x, int y)> mouseMoved;

    FileBox();
    ~FileBox() override;

    // Makes the list box; listings are handed back to the window through poster.
    void Create(HWND parent, int id, const wchar_t* accessibleName, Services::WindowPoster poster);
    // Drops the listing on its way, for good: the window is going.
    void StopReading() noexcept;

    const std::string& NativePath() const noexcept { return nativePath_; }
    const std::string& ReadablePath() const noexcept { return nativePath_; }  // Windows names are Unicode
    const Runtime::NamePattern& Pattern() const noexcept { return pattern_; }

    // Shows files listed elsewhere as path's: the folder list reads them
    // in its own pass over the folder. A listing of the folder shown before,
    // still on its way, is dropped.
    void ShowListing(std::string_view path, std::vector<Runtime::FolderEntry> files);
    // Looks disabled while its folder is read, and tells screen readers why.
    void ShowReading(bool isReading);
    void Notify(int code);
    // Reads the folder again, after it changed on disk.
    void FollowDisk();

protected:
    bool BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowFollowed(Services::FolderListing listing);

    std::string nativePath_;
    Runtime::NamePattern pattern_{Services::kFilePattern};
    std::unique_ptr<Services::FolderReader> reader_;
};
