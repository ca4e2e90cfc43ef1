// Form1's behaviour, once for both windows: the start folder, Drive1, Dir1 and File1 following one another,
// failures, slow and hung listings, the disk followed, the triggers, and going to a file.
#include <gtest/gtest.h>

#include "Form1Core.h"
#include "WindowFakes.h"

namespace {

struct Scenario {
    const char* name;
    const char* steps;  // see Play
    const char* drive;  // Drive1's current volume
    const char* dir1;   // Dir1's rows, the highlighted one in brackets
    const char* file1;  // File1's rows, the selected one in brackets
    const char* failures = "";  // the failure numbers told, in order
    const char* report = "";    // the file of the last report Text1 was given
};

class Form1Test : public testing::TestWithParam<Scenario> {
protected:
    Form1Test() {
        disk.Make("/m/a.mid /m/b.mid /m/c.mid /m/notes.txt /m/sub/x.mid /m/sub/y.mid /m/sub/z.mid /m/Zeta/ "
                  "/usb/u.mid /usb/in/ /card/");
    }
    // Steps, separated by commas: "start PATH", "open NAME" (Dir1's row), "highlight NAME", "drive N", "pick NAME"
    // (File1's row, as a click does), "move", "key", "press", "make PATHS", "remove PATH", "lock PATH",
    // "slow PATH" (its listings wait), "release PATH" (one listing of it goes through and arrives), "follow"
    // (the disk changed), "goto PATH", "shown" (the window is on screen), "volumes PATHS" (read again).
    void Play(const std::string& steps) {
        std::size_t start = 0;
        while (start < steps.size()) {
            std::size_t end = steps.find(", ", start);
            if (end == std::string::npos) end = steps.size();
            Step(steps.substr(start, end - start));
            start = end + 2;
        }
    }
    void Step(const std::string& step) {
        const std::string word = step.substr(0, step.find(' '));
        const std::string arg = step.find(' ') == std::string::npos ? "" : step.substr(step.find(' ') + 1);
        if (word == "start") Make(arg)->Start();
        else if (word == "shown") form->Shown();
        else if (word == "open") form->Dir1_Open(Row(dir1, arg));
        else if (word == "highlight") dir1.Select(Row(dir1, arg));
        else if (word == "drive") drive1.ShowDrive(std::stoi(arg)), form->Drive1_Change(std::stoi(arg));  // as the person picks it
        else if (word == "pick") file1.Select(Row(file1, arg)), form->File1_Click();
        else if (word == "move") form->File1_MouseMove(0, 0, 1, 1);
        else if (word == "key") form->File1_KeyDown(16, 0);
        else if (word == "press") form->File1_MouseDown(2, 0, 1, 1);
        else if (word == "make") disk.Make(arg);
        else if (word == "remove") disk.Remove(arg);
        else if (word == "lock") disk.Lock(arg);
        else if (word == "slow") disk.Slow(arg);
        else if (word == "follow") form->FollowDisk();
        else if (word == "goto") form->GoToFile(Native(arg));
        else if (word == "volumes") SetVolumes(arg), form->Drive1_DropDown();
        else if (word == "release") {
            const int posts = window.PostCount();
            ASSERT_TRUE(disk.Release(arg)) << step;
            window.WaitForPosts(posts + 1, std::chrono::seconds(2));
            window.RunPosted();
        } else FAIL() << "no such step: " << step;
    }
    Window::Form1* Make(const std::string& startFolder) {
        SetVolumes("/ /usb /card");
        form = std::make_unique<Window::Form1>(
            window.Poster(), Window::Form1::Controls{drive1, dir1, file1, host, host},
            Window::Form1::Disk{disk.Lister(),
                                [](const Services::SelectedFile& file) { return "report on " + file.Entry.DisplayName; },
                                [volumes = volumes] { const std::lock_guard lock(volumes->mutex); return volumes->list; },
                                [startFolder] { return Native(startFolder); }, [] { return Native("/"); }});
        return form.get();
    }
    void SetVolumes(const std::string& mountPoints) {
        const std::lock_guard lock(volumes->mutex);
        volumes->list.clear();
        std::istringstream words(mountPoints);
        for (std::string point; words >> point;) volumes->list.push_back({Native(point), "", "", point == "/usb" ? "USB" : ""});
    }
    static int Row(const FakeList& list, const std::string& name) {
        for (std::size_t row = 0; row < list.rows.size(); ++row)
            if (AsWritten(list.rows[row].Entry.DisplayName) == name) return int(row);
        return -1;
    }

    FakeDisk disk;
    FakeWindow window;
    FakeDrive drive1;
    FakeList dir1, file1;
    FakeHost host;
    struct Volumes {
        std::mutex mutex;
        std::vector<Runtime::Volume> list;
    };
    std::shared_ptr<Volumes> volumes = std::make_shared<Volumes>();  // shared with a read left waiting
    std::unique_ptr<Window::Form1> form;  // last: gone before the controls
};

TEST_P(Form1Test, Behaves) {
    const Scenario& scenario = GetParam();
    Play(scenario.steps);
    EXPECT_EQ(drive1.Text(), scenario.drive);
    EXPECT_EQ(dir1.Names(), scenario.dir1);
    EXPECT_EQ(file1.Names(), scenario.file1);
    EXPECT_EQ(host.failures, scenario.failures);
    EXPECT_EQ(host.reports.empty() ? "" : host.reports.back().substr(10), scenario.report);
    disk.Gate().OpenAll();
}

INSTANTIATE_TEST_SUITE_P(Window, Form1Test, testing::Values(
    // The start folder, and the root when it cannot be read.
    Scenario{"StartsInItsFolder", "start /m", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid"},
    Scenario{"StartFolderGoneStartsAtTheRoot", "start /gone", "/", "[/] card m usb", "", "76"},
    Scenario{"StartFolderUnderADriveChainsFromIt", "start /usb/in", "/usb [USB]", "/usb [in]", ""},
    // Opening folders: a subfolder, a folder of the chain; a single click only highlights.
    Scenario{"OpensASubfolder", "start /m, open sub", "/", "/ m [sub]", "x.mid y.mid z.mid"},
    Scenario{"OpensAFolderOfTheChain", "start /m/sub, open /", "/", "[/] card m usb", ""},
    Scenario{"HighlightOnlyOpensNothing", "start /m, highlight Zeta", "/", "/ m sub [Zeta]", "a.mid b.mid c.mid"},
    Scenario{"FolderGoneTellsAndStays", "start /m, remove /m/sub, open sub", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid", "76"},
    Scenario{"FolderLockedTellsAndStays", "start /m, lock /m/sub, open sub", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid", "70"},
    // A folder just opened has no file selected, whatever was selected before; a trigger there changes nothing.
    Scenario{"SelectionNotCarriedIntoANewFolder", "start /m, pick c.mid, open sub, move, key", "/", "/ m [sub]", "x.mid y.mid z.mid", "", "c.mid"},
    // Drives: the chain starts at the drive's root; one that fails goes back, and the keys step on past it.
    Scenario{"DriveChangeMovesTheLists", "start /m, drive 1", "/usb [USB]", "[/usb] in", "u.mid"},
    Scenario{"DriveThatFailsGoesBack", "start /m, remove /card, drive 2", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid", "76"},
    Scenario{"DriveGoneWhenReadAgainMovesToTheFirst", "start /usb, volumes / /card", "/", "[/] card m usb", ""},
    Scenario{"DriveStillThereWhenReadAgainStays", "start /usb, volumes / /card /usb", "/usb [USB]", "[/usb] in", "u.mid"},
    // Slow and hung listings: the chain moves at once, File1 follows when the listing comes; another folder
    // opened meanwhile abandons it; a failure puts the lists back.
    Scenario{"SlowFolderShowsItsChainAtOnce", "start /m, shown, slow /m/sub, open sub", "/", "/ m [sub] 読み込み中…", "a.mid b.mid c.mid"},
    Scenario{"SlowFolderFilledWhenItArrives", "start /m, shown, slow /m/sub, open sub, release /m/sub", "/", "/ m [sub]", "x.mid y.mid z.mid"},
    Scenario{"SlowFolderAbandonedForAnother", "start /m, shown, slow /m/sub, open sub, open /, release /m/sub", "/", "[/] card m usb", ""},
    Scenario{"SlowFolderThatFailsPutsTheListsBack", "start /m, shown, slow /m/sub, open sub, remove /m/sub, release /m/sub", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid", "76"},
    Scenario{"SlowDriveThatFailsGoesBack", "start /m, shown, slow /card, drive 2, remove /card, release /card", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid", "76"},
    // The disk followed: files and folders come and go, the selection and the highlight stay; a folder gone
    // moves the lists quietly to the nearest one above.
    Scenario{"FileMadeKeepsTheSelection", "start /m, pick b.mid, make /m/0.mid /m/new/, follow", "/", "/ [m] new sub Zeta", "0.mid a.mid [b.mid] c.mid", "", "b.mid"},
    Scenario{"HighlightKeptWhenFoldersChange", "start /m, highlight Zeta, make /m/Alpha/, follow", "/", "/ m Alpha sub [Zeta]", "a.mid b.mid c.mid"},
    Scenario{"SelectedFileRemoved", "start /m, pick b.mid, remove /m/b.mid, follow", "/", "/ [m] sub Zeta", "a.mid c.mid", "", "b.mid"},
    Scenario{"ShownFolderRemovedMovesUpQuietly", "start /m/sub, remove /m/sub, follow", "/", "/ [m] Zeta", "a.mid b.mid c.mid"},
    Scenario{"ShownFolderAndTheOneAboveRemoved", "start /m/sub, remove /m, follow", "/", "[/] card usb", ""},
    Scenario{"ShownFolderLockedMovesUpQuietly", "start /m/sub, lock /m/sub, follow", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid"},
    // The triggers: each reads the selected file; none does anything while nothing is selected.
    Scenario{"ClickReads", "start /m, pick b.mid", "/", "/ [m] sub Zeta", "a.mid [b.mid] c.mid", "", "b.mid"},
    Scenario{"MoveKeyAndPressRead", "start /m, pick a.mid, move, key, press", "/", "/ [m] sub Zeta", "[a.mid] b.mid c.mid", "", "a.mid"},
    Scenario{"NothingSelectedNothingRead", "start /m, move, key, press", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid"},
    // Going to a file: its drive, its folder, it selected and its report.
    Scenario{"GoesToAFile", "start /m, goto /usb/u.mid", "/usb [USB]", "[/usb] in", "[u.mid]", "", "u.mid"},
    Scenario{"GoesToAFileInTheFolderShown", "start /m, goto /m/c.mid", "/", "/ [m] sub Zeta", "a.mid b.mid [c.mid]", "", "c.mid"},
    Scenario{"GoesToAFileInASlowFolder", "start /m, shown, slow /m/sub, goto /m/sub/y.mid, release /m/sub", "/", "/ m [sub]", "x.mid [y.mid] z.mid", "", "y.mid"},
    Scenario{"GoingToAFileInAFolderGoneTells", "start /m, goto /gone/x.mid", "/", "/ [m] sub Zeta", "a.mid b.mid c.mid", "76"}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
