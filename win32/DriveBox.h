#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Volumes.h"

// Drive1: a drop-down list of the drive letters, each with its label. The
// list is read again each time it drops down, so a card or stick put in
// later shows up. driveChanged is raised once a person settles on another
// drive: at once for the arrow keys on the closed list, on closing for the
// open one, so running through the open list tries no drive.
class DriveBox {
public:
    std::function<void()> driveChanged;

    void Create(HWND parent, int id);
    HWND Handle() const noexcept { return combo_; }
    void SetFont(HFONT font);
    // Makes the closed list fieldHeight pixels high, whatever its frame takes.
    void FitFieldHeight(int fieldHeight);

    const std::string& NativeDrive() const;  // "C:\"
    // Selects the drive that holds path, quietly.
    void SetNativeDrive(std::string_view path);

    void Notify(int code);

private:
    void SetVolumes(std::vector<Runtime::Volume> volumes);
    int Selected() const noexcept;

    HWND combo_ = nullptr;
    std::vector<Runtime::Volume> volumes_;
    int settled_ = -1;  // the drive last told, or set
};
