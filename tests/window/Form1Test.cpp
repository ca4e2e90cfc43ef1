// Form1's behaviour, once for both windows: the start folder, Drive1, Dir1 and File1 following one another,
// failures, slow and hung listings, the disk followed, the triggers, and going to a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "FakeWindow.h"
#include "Form1Core.h"
#include "PathSeparator.h"

namespace {

// A path the tests write as on Linux ("/m/a.mid"), as the system names it: "C:\\m\\a.mid" on Windows.
inline std::string Native(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path.erase(0, 1);
    return "C:\\" + path;
#else
    return path;
#endif
}

// A path or drive as the tests write it: "C:\\m" and "C:" on Windows read "/m" and "/".
inline std::string AsWritten(std::string text) {
#ifdef _WIN32
    if (text.starts_with("C:")) text.replace(0, text.size() > 2 && text[2] == '\\' ? 3 : 2, "/");
    std::replace(text.begin(), text.end(), '\\', '/');
#endif
    return text;
}

// A disk the tests write ("/a/b/" a folder, "/a/x.mid" a file), shared with workers left at its gates at the end.
class FakeDisk {
public:
    void Make(const std::string& entries) {
        const std::lock_guard lock(disk_->mutex);
        std::istringstream words(entries);
        for (std::string entry; words >> entry;) {
            const bool isFolder = entry.ends_with('/');
            if (isFolder) entry.pop_back();
            for (auto slash = entry.find('/', 1); slash != entry.npos; slash = entry.find('/', slash + 1))
                disk_->folders.insert(Native(entry.substr(0, slash)));
            (isFolder ? disk_->folders : disk_->files).insert(Native(entry));
        }
    }
    void Remove(std::string path) {
        path = Native(path);
        const std::lock_guard lock(disk_->mutex);
        for (auto* paths : {&disk_->folders, &disk_->files})
            std::erase_if(*paths, [&](const std::string& p) { return p == path || p.starts_with(path + kSeparator); });
    }
    // Listings of folder wait at the gate named after it until the test lets them through.
    void Slow(const std::string& folder) { const std::lock_guard lock(disk_->mutex); disk_->slow.insert(Native(folder)); }
    bool Release(const std::string& folder) { return disk_->gates.Release(Native(folder)); }
    Gates& Gate() { return disk_->gates; }
    // A file written anew: its next report differs.
    void Touch(const std::string& name) { const std::lock_guard lock(disk_->mutex); ++disk_->versions[name]; }

    // Reports naming the file, then "v" and its version; "slow…" files are read through the gate named after them.
    Services::ReadReport Reader() const {
        return [disk = disk_](const Services::SelectedFile& file) {
            const std::string& name = file.Entry.NativeName;
            if (name.starts_with("slow")) disk->gates.Pass(name);
            const std::lock_guard lock(disk->mutex);
            return "ファイル名－ " + file.ReadableFolder + kSeparator + name + "\r\nv" + std::to_string(disk->versions[name]);
        };
    }

    Services::ListFolderFunction Lister() const {
        return [disk = disk_](const std::string& folder, const Runtime::NamePattern& pattern, Runtime::ListedKinds kinds) {
            bool isSlow = false;
            {
                const std::lock_guard lock(disk->mutex);
                isSlow = disk->slow.contains(folder);
            }
            if (isSlow) disk->gates.Pass(folder);
            return disk->List(folder, pattern, kinds);
        };
    }

private:
    static constexpr char kSeparator = Runtime::kPathSeparator;
    struct Disk {
        Services::FolderListing List(const std::string& folder, const Runtime::NamePattern& pattern, Runtime::ListedKinds kinds) {
            const std::lock_guard lock(mutex);
            Services::FolderListing listing{folder, {}, {}};
            if (folder != Native("/") && !folders.contains(folder)) listing.Failure = Runtime::MakeError(Runtime::kPathNotFound);
            if (listing.Failure) return listing;
            const std::string prefix = folder == Native("/") ? folder : folder + kSeparator;
            const auto inside = [&](const std::string& path) {
                return path != folder && path.starts_with(prefix) && path.find(kSeparator, prefix.size()) == path.npos;
            };
            const auto entry = [&](const std::string& path) {
                return Runtime::FolderEntry{path.substr(prefix.size()), path.substr(prefix.size())};
            };
            if (kinds != Runtime::ListedKinds::Files)
                for (const auto& path : folders) if (inside(path)) listing.Contents.Folders.push_back(entry(path));
            if (kinds != Runtime::ListedKinds::Folders)
                for (const auto& path : files) if (inside(path) && pattern.Matches(entry(path).NativeName)) listing.Contents.Files.push_back(entry(path));
            return listing;
        }

        std::mutex mutex;
        std::set<std::string> folders{Native("/")}, files, slow;
        std::map<std::string, int> versions;
        Gates gates;
    };
    std::shared_ptr<Disk> disk_ = std::make_shared<Disk>();
};

// Dir1 or File1 as a list control holds it: the rows, one selected, a caret, a top row, a look.
struct FakeList : Window::ListView {
    void ShowRows(std::span<const Window::Row> shown) override { rows = shown, selected = caret = -1, top = shown.empty() ? -1 : 0; }
    int Selected() const override { return selected; }
    void Select(int row) override { selected = caret = row; }
    void PlaceCaret(int row) override { caret = row; }
    int TopRow() const override { return top; }
    void ScrollToTop(int row) override { top = row; }
    void ShowReading(bool) override {}

    // The rows' names, separated by spaces; the selected one in brackets, the caret alone in parentheses.
    std::string Names() const {
        std::string names;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const std::string name = AsWritten(rows[row].Entry.DisplayName);
            names += (row ? " " : "") + (int(row) == selected ? "[" + name + "]" : int(row) == caret ? "(" + name + ")" : name);
        }
        return names;
    }

    std::span<const Window::Row> rows;
    int selected = -1, caret = -1, top = -1;
};

// Drive1: the volumes shown, and which one.
struct FakeDrive : Window::DriveView {
    void ShowVolumes(std::span<const Runtime::Volume> volumes) override {
        texts.clear();
        for (const auto& volume : volumes) texts.push_back(Window::DriveText(volume));
    }
    void ShowDrive(int index) override { shown = index; }
    std::string Text() const { return shown >= 0 && shown < int(texts.size()) ? AsWritten(texts[std::size_t(shown)]) : ""; }
    std::vector<std::string> texts;
    int shown = -1;
};

// Text1 and the window around the controls: the reports put into the box, the failures told, the timer asked for.
struct FakeHost : Window::ReportView, Window::WindowHost {
    void ShowReport(const std::string& text) override { reports.push_back(text); }
    void ShowFailure(const Runtime::RuntimeError& error) override { failures += (failures.empty() ? "" : " ") + std::to_string(error.Number); }
    void StartTimer(Timer, std::chrono::milliseconds) override { ++timers; }
    std::vector<std::string> reports;
    std::string failures;  // their numbers
    int timers = 0;
};

struct Scenario {
    const char* name;
    const char* steps;  // see Play
    const char* drive;  // Drive1's current volume
    const char* dir1;   // Dir1's rows, the highlighted one in brackets
    const char* file1;  // File1's rows, the selected one in brackets
    const char* failures = "";  // the failure numbers told, in order
    const char* reports = "";   // the reports Text1 was given: the file and its version, "…" while it is read
};

class Form1Test : public testing::TestWithParam<Scenario> {
protected:
    Form1Test() {
        disk.Make("/m/a.mid /m/b.mid /m/c.mid /m/notes.txt /m/sub/x.mid /m/sub/y.mid /m/sub/z.mid /m/zeta/ "
                  "/usb/u.mid /usb/slow.mid /usb/in/ /card/");
    }
    // Steps, comma-separated: "open NAME" a Dir1 row, "pick NAME" a File1 row as a click does, "slow PATH" its listings
    // wait, "release PATH" one goes through and arrives, "let NAME" one read of slow NAME does, "follow" the disk
    // changed, "shown" the window on screen, "volumes PATHS" read again, "touch NAME" the file written anew, "none"
    // File1's selection gone, "timer" the waiting timer runs out (again while asked); the rest as named.
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
        else if (word == "slow") disk.Slow(arg);
        else if (word == "follow") form->FollowDisk();
        else if (word == "goto") form->GoToFile(Native(arg));
        else if (word == "volumes") SetVolumes(arg), form->Drive1_DropDown();
        else if (word == "touch") disk.Touch(arg);
        else if (word == "none") file1.Select(-1);
        else if (word == "timer") {
            for (int asked = -1; asked != host.timers; std::this_thread::sleep_for(std::chrono::milliseconds(50)))
                asked = host.timers, form->TimerRan(Window::WindowHost::Timer::Waiting);
        } else if (word == "release" || word == "let") {
            const int posts = window.PostCount();
            ASSERT_TRUE(word == "let" ? disk.Gate().Release(arg) : disk.Release(arg)) << step;
            window.WaitForPosts(posts + 1, std::chrono::seconds(2));
            window.RunPosted();
        } else FAIL() << "no such step: " << step;
    }
    Window::Form1* Make(const std::string& startFolder) {
        SetVolumes("/ /usb /card");
        form = std::make_unique<Window::Form1>(
            window.Poster(), Window::Form1::Controls{drive1, dir1, file1, host, host},
            Window::Form1::Disk{disk.Lister(),
                                disk.Reader(),
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
    std::string reports;
    for (const std::string& report : host.reports) {
        const auto line = report.find('\r'), name = report.rfind(Runtime::kPathSeparator, line) + 1;
        reports += (reports.empty() ? "" : ", ") +
                   (report.ends_with("読み込み中…") ? "…" : report.substr(name, line - name) + " " + report.substr(line + 2));
    }
    EXPECT_EQ(reports, scenario.reports);
    disk.Gate().OpenAll();
}

INSTANTIATE_TEST_SUITE_P(Window, Form1Test, testing::Values(
    // The start folder, and the root when it cannot be read.
    Scenario{"StartsInItsFolder", "start /m", "/", "/ [m] sub zeta", "a.mid b.mid c.mid"},
    Scenario{"StartFolderGoneStartsAtTheRoot", "start /gone", "/", "[/] card m usb", "", "76"},
    Scenario{"StartFolderUnderADriveChainsFromIt", "start /usb/in", "/usb [USB]", "/usb [in]", ""},
    // Opening folders: a subfolder, a folder of the chain; a single click only highlights.
    Scenario{"OpensASubfolder", "start /m, open sub", "/", "/ m [sub]", "x.mid y.mid z.mid"},
    Scenario{"FolderGoneTellsAndStays", "start /m, remove /m/sub, highlight sub, open sub", "/", "/ [m] sub zeta", "a.mid b.mid c.mid", "76"},
    // A folder just opened has no file selected, whatever was selected before; a trigger there changes nothing.
    Scenario{"SelectionNotCarriedIntoANewFolder", "start /m, pick c.mid, open sub, move, key", "/", "/ m [sub]", "x.mid y.mid z.mid", "", "c.mid v0"},
    // Drives: the chain starts at the drive's root; one that fails goes back, and the keys step on past it.
    Scenario{"DriveChangeMovesTheLists", "start /m, drive 1", "/usb [USB]", "[/usb] in", "slow.mid u.mid"},
    Scenario{"DriveThatFailsGoesBack", "start /m, remove /card, drive 2", "/", "/ [m] sub zeta", "a.mid b.mid c.mid", "76"},
    Scenario{"DriveGoneWhenReadAgainMovesToTheFirst", "start /usb, volumes / /card", "/", "[/] card m usb", ""},
    Scenario{"DriveStillThereWhenReadAgainStays", "start /usb, volumes / /card /usb", "/usb [USB]", "[/usb] in", "slow.mid u.mid"},
    // Slow listings: the chain moves at once, File1 when it comes; another folder abandons it; a failure goes back.
    Scenario{"SlowFolderShowsItsChainAtOnce", "start /m, shown, slow /m/sub, open sub", "/", "/ m [sub] 読み込み中…", "a.mid b.mid c.mid"},
    Scenario{"SlowFolderAbandonedForAnother", "start /m, shown, slow /m/sub, open sub, open /, release /m/sub", "/", "[/] card m usb", ""},
    Scenario{"DiskChangeWhileASlowFolderOpensWaitsForIt", "start /m, shown, slow /m/sub, open sub, follow, release /m/sub", "/", "/ m [sub]", "x.mid y.mid z.mid"},
    Scenario{"SlowFolderThatFailsPutsTheListsBack", "start /m, shown, slow /m/sub, open sub, remove /m/sub, release /m/sub", "/", "/ [m] sub zeta", "a.mid b.mid c.mid", "76"},
    Scenario{"SlowDriveThatFailsGoesBack", "start /m, shown, slow /card, drive 2, remove /card, release /card", "/", "/ [m] sub zeta", "a.mid b.mid c.mid", "76"},
    // The disk followed: the selection and the highlight stay; a folder gone moves quietly to the nearest one above.
    Scenario{"FileMadeKeepsTheSelection", "start /m, pick b.mid, make /m/0.mid /m/new/, follow", "/", "/ [m] new sub zeta", "0.mid a.mid [b.mid] c.mid", "", "b.mid v0"},
    Scenario{"HighlightKeptWhenFoldersChange", "start /m, highlight zeta, make /m/alpha/, follow", "/", "/ m alpha sub [zeta]", "a.mid b.mid c.mid"},
    Scenario{"SelectedFileRemoved", "start /m, pick b.mid, remove /m/b.mid, follow", "/", "/ [m] sub zeta", "a.mid (c.mid)", "", "b.mid v0"},
    Scenario{"ShownFolderRemovedMovesUpQuietly", "start /m/sub, remove /m/sub, follow", "/", "/ [m] zeta", "a.mid b.mid c.mid"},
    Scenario{"ShownFolderAndTheOneAboveRemoved", "start /m/sub, remove /m, follow", "/", "[/] card usb", ""},
    // The triggers: each reads the selected file; none does anything while nothing is selected.
    Scenario{"MoveKeyAndPressReadAgain", "start /m, pick a.mid, touch a.mid, move, touch a.mid, key, touch a.mid, press", "/", "/ [m] sub zeta", "[a.mid] b.mid c.mid", "", "a.mid v0, a.mid v1, a.mid v2, a.mid v3"},
    Scenario{"SameReportLeavesText1Alone", "start /m, pick a.mid, move, key, press", "/", "/ [m] sub zeta", "[a.mid] b.mid c.mid", "", "a.mid v0"},
    Scenario{"NothingSelectedNothingRead", "start /m, move, key, press", "/", "/ [m] sub zeta", "a.mid b.mid c.mid"},
    // Going to a file: its drive, its folder, it selected and its report.
    Scenario{"GoesToAFile", "start /m, goto /usb/u.mid", "/usb [USB]", "[/usb] in", "slow.mid [u.mid]", "", "u.mid v0"},
    Scenario{"GoesToAFileInTheFolderShown", "start /m, goto /m/c.mid", "/", "/ [m] sub zeta", "a.mid b.mid [c.mid]", "", "c.mid v0"},
    Scenario{"GoesToAFileInASlowFolder", "start /m, shown, slow /m/sub, goto /m/sub/y.mid, release /m/sub", "/", "/ m [sub]", "x.mid [y.mid] z.mid", "", "y.mid v0"},
    // Slow reads: shown when they arrive, meanwhile the file's name and 読み込み中…; one no longer wanted goes nowhere.
    Scenario{"SlowReadShownWhenItArrives", "start /usb, pick slow.mid, let slow.mid", "/usb [USB]", "[/usb] in", "[slow.mid] u.mid", "", "slow.mid v0"},
    Scenario{"SlowReadSaysItIsBeingRead", "start /usb, pick slow.mid, timer, let slow.mid", "/usb [USB]", "[/usb] in", "[slow.mid] u.mid", "", "…, slow.mid v0"},
    Scenario{"OldReportStaysWhileTheFileIsReadAgain", "start /usb, pick slow.mid, let slow.mid, move, timer, let slow.mid", "/usb [USB]", "[/usb] in", "[slow.mid] u.mid", "", "slow.mid v0"},
    Scenario{"OnlyTheNewestSelectionsReportShown", "start /usb, pick slow.mid, pick u.mid, let slow.mid", "/usb [USB]", "[/usb] in", "slow.mid [u.mid]", "", "u.mid v0"},
    Scenario{"LateReportOfAFileNoLongerSelectedDropped", "start /usb, pick slow.mid, none, let slow.mid", "/usb [USB]", "[/usb] in", "slow.mid u.mid"},
    Scenario{"LateReportAfterAnotherFolderDropped", "start /usb, pick slow.mid, open in, timer, let slow.mid", "/usb [USB]", "/usb [in]", ""},
    // File1 following its folder: the keys go on from where the selected file was; a late listing of a folder left goes nowhere.
    Scenario{"NameOutsideThePatternLeftOut", "start /m, pick b.mid, make /m/e.txt, follow", "/", "/ [m] sub zeta", "a.mid [b.mid] c.mid", "", "b.mid v0"},
    Scenario{"LateListingOfAFolderLeftDropped", "start /m, shown, slow /m, follow, open sub, release /m", "/", "/ m [sub]", "x.mid y.mid z.mid"},
    Scenario{"GoingToAFileInAFolderGoneTells", "start /m, goto /gone/x.mid", "/", "/ [m] sub zeta", "a.mid b.mid c.mid", "76"}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
