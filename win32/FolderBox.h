#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "EntryListBox.h"
#include "IconHandle.h"

// Dir1: the chain of folders from the drive's root down to the folder
// shown, then that folder's subfolders. A double-click or Enter opens the
// row; a single click only highlights it. Follows its folder on disk when
// told: the highlighted subfolder stays highlighted, and a folder removed
// while shown gives way to the nearest one above that can be read.
class FolderBox : public EntryListBox {
public:
    std::function<void()> pathChanged;  // the folder shown changed

    FolderBox();

    const std::string& NativePath() const noexcept { return nativePath_; }
    void SetDriveRoot(std::string_view root) { driveRoot_ = root; }

    // Lists path and raises pathChanged; throws Runtime::RuntimeError when
    // the folder cannot be read, and then nothing changes.
    void SetNativePath(std::string_view path);

    // A notification from the list box, by its code.
    void Notify(int code);
    // Reads the folder again, after it changed on disk.
    void FollowDisk();

protected:
    bool BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DialogCode(LRESULT code, const MSG* message) const override;
    HICON GlyphOf(int row) const override;

private:
    void List(std::string absolute);
    void OpenRow(int row);
    void MoveToNearestReadableFolder();
    std::string PathOfRow(int row) const;

    std::string nativePath_;
    std::string driveRoot_;
    int chainLength_ = 0;
    IconHandle openFolder_;
    IconHandle folder_;
};
