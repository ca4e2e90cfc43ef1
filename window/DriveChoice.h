#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundWork.h"
#include "NewestWins.h"
#include "Volumes.h"

namespace Window {

// Drive1 as the core sees it: a drop-down list of the volumes.
class DriveView {
public:
    virtual ~DriveView() = default;
    // The volumes are these now, each shown as DriveText gives it.
    virtual void ShowVolumes(std::span<const Runtime::Volume> volumes) = 0;
    // Shows volume `index` as the current one, quietly.
    virtual void ShowDrive(int index) = 0;
};

// How Drive1 shows a volume: its mount point ("/media/usb", "C:"), then
// its label in brackets when it has one.
std::string DriveText(const Runtime::Volume& volume);

// Drive1: the volumes a person browses, one of them current. They are read
// on a worker: asking a drive whose server stopped answering waits for
// good, and the window must not. A drive that could not be opened is gone
// back from, and the arrow keys then go on from it, past it.
class DriveChoice {
public:
    using ReadVolumes = std::function<std::vector<Runtime::Volume>()>;

    // Reads the volumes, waiting up to patience; later ones fill the list
    // when they arrive. Until then it holds the system's root alone.
    DriveChoice(Services::WindowPoster poster, DriveView& view, std::chrono::milliseconds patience,
                ReadVolumes read = Runtime::MountedVolumes);
    ~DriveChoice();  // returns at once, even with the volumes' read hanging

    const std::string& NativeDrive() const;  // the current volume's mount point
    int Current() const noexcept { return current_; }
    std::span<const Runtime::Volume> Volumes() const noexcept { return volumes_; }

    // Makes the volume that holds path current, quietly.
    void ShowDriveOf(std::string_view path);
    // The person settled on volume index: true when it is another one.
    bool Settle(int index);
    // Goes back, quietly, to the volume that holds path when the current
    // one could not be opened; the arrow keys go on from the one that failed.
    void ReturnTo(std::string_view path);
    // An arrow key on the closed list: step moves the list one step from the
    // row it is given and tells where it landed. It starts from the volume
    // that failed, when one did, so the keys go on past it; a step that
    // would land on it leaves the volume shown. Returns the row to show.
    int Step(int shown, const std::function<int(int from)>& step) const;

    // The list opens: the volumes are read again; those read within
    // patience show at once, later ones when they arrive. True when the
    // current one went and the first one is current now.
    bool ReadAgain(std::chrono::milliseconds patience);
    // Replaces the volumes, keeping the current one when it is still there
    // and making the first current otherwise (true then).
    bool SetVolumes(std::vector<Runtime::Volume> volumes);
    // Drops the volumes on their way, for good: the window is going.
    void StopReading() noexcept;

    // Raised when volumes read late took the current one away.
    std::function<void()> driveGone;

private:
    DriveView& view_;
    ReadVolumes read_;
    std::vector<Runtime::Volume> volumes_;
    int current_ = 0;
    int failed_ = -1;
    std::unique_ptr<Services::BackgroundWork> work_;
    std::unique_ptr<Services::NewestWins<std::vector<Runtime::Volume>>> volumesRead_;  // goes before work_
};

}  // namespace Window
