#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "BackgroundWork.h"
#include "DriveChoice.h"
#include "FileChoice.h"
#include "FolderChain.h"
#include "FolderContents.h"
#include "FolderGathering.h"
#include "FolderReader.h"
#include "FolderWatch.h"
#include "ReportFetcher.h"
#include "ReportShown.h"
#include "Views.h"

namespace Window {

// How often the window asks whether the folder shown changed on disk.
inline constexpr std::chrono::milliseconds kFollowTick{150};

// The pause after each listing that follows the disk, twice as long as the
// listing took: a burst of changes that never pauses is still shown once
// per pause, and changes show within a second, listing included.
class Gathering {
public:
    using Clock = std::chrono::steady_clock;

    bool IsDue(Clock::time_point now) const noexcept { return now - listedAt_ >= pause_; }
    void Listed(Clock::time_point start, Clock::time_point end) noexcept;

private:
    Clock::time_point listedAt_{};
    Clock::duration pause_ = Runtime::kShortestFolderGathering;
};

// The tool's one window: Drive1, Dir1 and File1 following one another,
// and Text1 showing the report on the file selected. Its behaviour is
// here once; a front end makes the controls, turns input into the
// handlers below and runs the timers and deliveries on its thread.
class Form1 {
public:
    // The controls a front end made, and how the core reaches the disk:
    // the tests hand in their own.
    struct Controls {
        DriveView& drive1;
        ListView& dir1;
        ListView& file1;
        ReportView& text1;
        WindowHost& host;
    };
    struct Disk {
        Services::ListFolderFunction list = Services::ListFolder;
        Services::ReadReport read = Services::ReadSelectedReport;
        DriveChoice::ReadVolumes volumes = Runtime::MountedVolumes;
        std::function<std::string()> startFolder = Runtime::CurrentFolder;
        std::function<std::string()> rootFolder = Runtime::RootFolder;
    };

    Form1(Services::WindowPoster poster, Controls controls);  // on the real disk
    Form1(Services::WindowPoster poster, Controls controls, Disk disk);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1();  // returns at once, even with a read hanging

    // Shows the folder the tool was started in; when it cannot be read,
    // says so and shows the root. Waits longer for it than for later
    // folders: the window is not on screen yet.
    void Start();
    // The window is on screen: from now on no listing stops it for long.
    void Shown() noexcept;
    // The window is going: nothing read arrives any more.
    void Close() noexcept;

    // The handlers, named after the control and the event they answer.
    void Drive1_Change(int index);  // the person settled on volume index
    void Dir1_Change();
    void File1_Click();
    void File1_KeyDown(int keyCode, int shift);
    void File1_MouseDown(int button, int shift, int x, int y);
    void File1_MouseMove(int button, int shift, int x, int y);
    // Reads the file selected in File1 and shows its report in Text1; does
    // nothing while no file is selected.
    void GetMidFileFormat();

    // Drive1 opens its list: the volumes are read again.
    void Drive1_DropDown();
    // The volumes are these now; the lists go to the first when the current one went.
    void Drive1_Volumes(std::vector<Runtime::Volume> volumes);
    // Dir1's row opened by a double-click or Enter.
    void Dir1_Open(int row);
    // Dir1 opens path; a failure is shown.
    void Dir1_Open(std::string_view path);
    // The follow timer's tick: the lists follow the disk when the folder
    // shown changed, gathering changes between listings.
    void Tick(Gathering::Clock::time_point now = Gathering::Clock::now());
    // The folder shown changed on disk: both lists follow it.
    void FollowDisk();
    // A timer the core asked the host for ran out.
    void TimerRan(WindowHost::Timer timer);

    // Shows the file at nativePath: Drive1 on its drive, Dir1 on its
    // folder, File1 with it selected, and Text1 its report. A folder that
    // cannot be read is told as opening it is.
    void GoToFile(std::string_view nativePath);

    const DriveChoice& Drive1() const noexcept { return drive1_; }
    const FolderChain& Dir1() const noexcept { return dir1_; }
    const FileChoice& File1() const noexcept { return file1_; }
    const ReportShown& Text1() const noexcept { return text1_; }

private:
    std::optional<Runtime::RuntimeError> ShowFolder(const std::string& folder);
    void FollowDirReading(bool isReading);
    void SelectFile(const std::string& name);

    Controls controls_;
    DriveChoice drive1_;
    FolderChain dir1_;
    FileChoice file1_;
    ReportShown text1_;
    std::function<std::string()> startFolder_;
    std::function<std::string()> rootFolder_;
    // A file to select once its folder's listing arrives (GoToFile).
    std::string fileToSelect_;
    Runtime::FolderWatch watch_;  // the folder both lists show
    Gathering gathering_;
};

}  // namespace Window
