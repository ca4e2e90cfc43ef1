#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundWork.h"
#include "Volumes.h"

namespace Services {
template <class Result>
class NewestWins;
}  // namespace Services

// Drive1: a drop-down list of the drive letters, each with its label. The
// list is read again each time it drops down, so a card or stick put in
// later shows up. driveChanged is raised once a person settles on another
// drive: at once for the arrow keys on the closed list, on closing for the
// open one, so running through the open list tries no drive.
// The drives are read on a worker: asking a network drive whose server
// stopped answering for its label waits for good, and the window must not.
// Compare qt/DriveList.
class DriveBox {
public:
    std::function<void()> driveChanged;

    DriveBox();
    ~DriveBox();  // lets go of the combo box it subclassed
    DriveBox(const DriveBox&) = delete;
    DriveBox& operator=(const DriveBox&) = delete;

    // Makes the list and fills it; drives read late are handed back to the
    // window through poster.
    void Create(HWND parent, int id, Services::WindowPoster poster);
    // Drops the drives on their way, for good: the window is going.
    void StopReading() noexcept;
    HWND Handle() const noexcept { return combo_; }
    void SetFont(HFONT font);
    // Makes the closed list fieldHeight pixels high, whatever its frame takes.
    void FitFieldHeight(int fieldHeight);

    const std::string& NativeDrive() const;  // "C:\"
    // Selects the drive that holds path, quietly.
    void SetNativeDrive(std::string_view path);
    // Goes back, quietly, to the drive that holds path when the one chosen
    // could not be opened; the arrow keys go on from the one that failed.
    void ReturnTo(std::string_view path);

    void Notify(int code);

private:
    static LRESULT CALLBACK Subclassed(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    void SetVolumes(std::vector<Runtime::Volume> volumes);
    int Selected() const noexcept;

    HWND combo_ = nullptr;
    std::vector<Runtime::Volume> volumes_;
    int settled_ = -1;  // the drive last told, or set
    int failed_ = -1;  // the drive last gone back from, where the arrow keys go on from
    std::unique_ptr<Services::BackgroundWork> work_;
    std::unique_ptr<Services::NewestWins<std::vector<Runtime::Volume>>> volumesRead_;  // goes before work_
};
