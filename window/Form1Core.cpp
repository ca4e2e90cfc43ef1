#include "Form1Core.h"

#include <algorithm>
#include <utility>

#include "FolderContents.h"
#include "PathChain.h"
#include "PathSeparator.h"
#include "Patience.h"
#include "WindowText.h"

namespace Window {

void Gathering::Listed(Clock::time_point start, Clock::time_point end) noexcept {
    listedAt_ = end;
    pause_ = std::clamp<Clock::duration>(2 * (end - start), Runtime::kShortestFolderGathering, Runtime::kLongestFolderGathering);
}

Form1::Form1(Services::WindowPoster poster, Controls controls) : Form1(std::move(poster), controls, Disk{}) {}

Form1::Form1(Services::WindowPoster poster, Controls controls, Disk disk)
    : controls_(controls),
      drive1_(poster, controls.drive1, Services::kStartListingPatience, std::move(disk.volumes)),
      dir1_(poster, controls.dir1, controls.host, Runtime::NamePattern(Services::kFilePattern), disk.list),
      file1_(poster, controls.file1, disk.list),
      text1_(poster, controls.text1, controls.host, [this] { return controls_.file1.Selected() >= 0; },
             std::move(disk.read)),
      startFolder_(std::move(disk.startFolder)),
      rootFolder_(std::move(disk.rootFolder)) {
    dir1_.pathChanged = [this] { Dir1_Change(); };
    dir1_.readingChanged = [this](bool isReading) { FollowDirReading(isReading); };
    drive1_.driveGone = [this] { Drive1_Change(drive1_.Current()); };
}

Form1::~Form1() = default;

void Form1::Start() {
    std::optional<Runtime::RuntimeError> failure;
    try {
        failure = ShowFolder(startFolder_());
    } catch (const Runtime::RuntimeError& error) {
        failure = error;
    }
    if (failure) {
        // The folder the tool was started in is gone or unreadable: say so
        // and start at the root. Should even that fail, the lists stay
        // empty and the person may pick a drive.
        controls_.host.ShowFailure(*failure);
        ShowFolder(rootFolder_());
    }
    if (dir1_.IsReading()) controls_.file1.ShowReading(true);
}

void Form1::Shown() noexcept {
    dir1_.SetPatience(Services::kListingPatience);
}

void Form1::Close() noexcept {
    // Nothing here waits for a worker: one stuck on a hung disk is left to
    // itself, and what it reads is dropped.
    text1_.StopReading();
    dir1_.StopReading();
    file1_.StopReading();
    drive1_.StopReading();
}

std::optional<Runtime::RuntimeError> Form1::ShowFolder(const std::string& folder) {
    drive1_.ShowDriveOf(folder);
    dir1_.SetDriveRoot(drive1_.NativeDrive());
    return dir1_.Open(folder);
}

void Form1::Drive1_Change(int index) {
    fileToSelect_.clear();
    drive1_.Settle(index);
    dir1_.SetDriveRoot(drive1_.NativeDrive());
    if (auto failure = dir1_.Open(drive1_.NativeDrive())) {
        // Back to the drive that holds the folder still shown.
        drive1_.ReturnTo(dir1_.NativePath());
        dir1_.SetDriveRoot(drive1_.NativeDrive());
        controls_.host.ShowFailure(*failure);
    }
}

void Form1::FollowDirReading(bool isReading) {
    controls_.file1.ShowReading(isReading);
    if (isReading) return;
    // A drive whose folder could not be read in the end: back to the drive
    // that holds the folder shown.
    if (!dir1_.NativePath().empty()) drive1_.ReturnTo(dir1_.NativePath());
    dir1_.SetDriveRoot(drive1_.NativeDrive());
}

void Form1::Dir1_Change() {
    // Dir1 read the files in its own pass over the folder.
    file1_.ShowListing(dir1_.NativePath(), dir1_.TakeFiles());
    // Another folder's files: a report still on its way belongs to none of them.
    text1_.Deselect();
    // Watched from now on: a change made before the next tick is not lost.
    watch_.Watch(dir1_.NativePath());
    if (!fileToSelect_.empty()) SelectFile(std::exchange(fileToSelect_, {}));
}

void Form1::File1_Click() { GetMidFileFormat(); }

void Form1::File1_KeyDown(int, int) { File1_Click(); }

void Form1::File1_MouseDown(int, int, int, int) { GetMidFileFormat(); }

void Form1::File1_MouseMove(int, int, int, int) { GetMidFileFormat(); }

void Form1::GetMidFileFormat() {
    if (auto file = file1_.Selected()) text1_.Read(*file);
}

void Form1::Drive1_DropDown() {
    if (drive1_.ReadAgain(Services::kListingPatience)) Drive1_Change(drive1_.Current());
}

void Form1::Drive1_Volumes(std::vector<Runtime::Volume> volumes) {
    if (drive1_.SetVolumes(std::move(volumes))) Drive1_Change(drive1_.Current());
}

void Form1::Dir1_Open(int row) {
    fileToSelect_.clear();
    dir1_.OpenRow(row);
}

void Form1::Dir1_Open(std::string_view path) {
    fileToSelect_.clear();
    if (auto failure = dir1_.Open(path)) controls_.host.ShowFailure(*failure);
}

void Form1::Tick(Gathering::Clock::time_point now) {
    if (!gathering_.IsDue(now)) return;
    if (watch_.HasChanged()) {
        FollowDisk();
        gathering_.Listed(now, Gathering::Clock::now());
    }
    // The lists may have moved since the last tick, by the person or by following.
    watch_.Watch(dir1_.NativePath());
}

void Form1::FollowDisk() {
    const std::string shown = dir1_.NativePath();
    dir1_.FollowDisk();
    // Dir1 moved up, or is opening a folder: File1 goes with it.
    if (dir1_.NativePath() == shown && !dir1_.IsReading()) file1_.FollowDisk(Services::kListingPatience);
}

void Form1::TimerRan(WindowHost::Timer timer) {
    if (timer == WindowHost::Timer::Waiting) text1_.TimerRan();
}

void Form1::GoToFile(std::string_view nativePath) {
    const auto folder = Runtime::ParentFolder(nativePath);
    if (!folder) return;
    std::string name(nativePath.substr(nativePath.rfind(Runtime::kPathSeparator) + 1));
    fileToSelect_ = name;
    if (auto failure = ShowFolder(*folder)) {
        fileToSelect_.clear();
        drive1_.ReturnTo(dir1_.NativePath());
        dir1_.SetDriveRoot(drive1_.NativeDrive());
        controls_.host.ShowFailure(*failure);
        return;
    }
    // The folder shown already raises no change: its file is chosen here.
    if (!dir1_.IsReading() && dir1_.NativePath() == file1_.NativeFolder() && !fileToSelect_.empty())
        SelectFile(std::exchange(fileToSelect_, {}));
}

void Form1::SelectFile(const std::string& name) {
    const int row = RowNamed(file1_.Rows(), name);
    if (row < 0) return;
    controls_.file1.Select(row);
    GetMidFileFormat();
}

}  // namespace Window
