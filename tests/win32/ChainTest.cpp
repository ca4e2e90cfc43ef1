// Drive1 -> Dir1 -> File1: each list follows the one before it, failures
// show the message box and leave the lists as they were, and the lists
// follow the disk.
#include <gtest/gtest.h>

#include "Files.h"
#include "PathChain.h"
#include "TempFolder.h"
#include "WindowDriver.h"

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& path) { return Runtime::Utf8FromPath(path); }

int Dir1Row(const Form1& form, std::string_view name) { return WindowDriver::RowNamed(form.Dir1(), name); }

}  // namespace

TEST(Form1Chain, FoldersOpenIntoTheFileList) {
    const TempFolder folder;
    const fs::path song = MakeFolder(folder.path(), "曲");
    Put(song, "春の海.mid", HaruNoUmi());
    Put(folder.path(), "top.mid", TitledSong("Top"));
    WindowDriver window(folder.path());
    Form1& form = window.form();
    const std::string start = Utf8(folder.path());
    // The chain from the drive's root, the start folder selected, then its subfolders.
    EXPECT_EQ(form.Dir1().Row(0).entry.DisplayName, Runtime::RootOf(start));
    EXPECT_EQ(form.Dir1().Row(form.Dir1().Current()).entry.DisplayName, Utf8(folder.path().filename()));
    EXPECT_EQ(form.File1().NativePath(), start);

    const struct { const char* why; std::function<void()> act; std::string folder; int files; } steps[] = {
        {"enter on a subfolder", [&] {
             WindowDriver::Click(window.Dir1(), Dir1Row(form, "曲"));
             WindowDriver::Key(window.Dir1(), VK_RETURN);
         }, Utf8(song), 1},
        {"double-click up the chain", [&] {
             WindowDriver::DoubleClick(window.Dir1(), Dir1Row(form, Utf8(folder.path().filename())));
         }, start, 1},
        {"single click only highlights", [&] { WindowDriver::Click(window.Dir1(), Dir1Row(form, "曲")); }, start, 1},
        {"double-click a subfolder", [&] { WindowDriver::DoubleClick(window.Dir1(), Dir1Row(form, "曲")); },
         Utf8(song), 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.why);
        step.act();
        EXPECT_EQ(form.Dir1().NativePath(), step.folder);
        EXPECT_EQ(form.File1().NativePath(), step.folder);
        EXPECT_EQ(form.File1().Count(), step.files);
    }
    WindowDriver::Type(window.File1(), L"春");
    EXPECT_EQ(window.ShownFile(), Utf8(song / Runtime::PathFromUtf8("春の海.mid")));
    EXPECT_EQ(window.ShownTitle(), "春の海 / 宮城道雄");
}

TEST(Form1Chain, DrivesOpenAtTheirRoot) {
    const TempFolder folder;
    WindowDriver window(folder.path());
    Form1& form = window.form();
    const HWND drive1 = window.Drive1();
    const int count = static_cast<int>(::SendMessageW(drive1, CB_GETCOUNT, 0, 0));
    ASSERT_GT(count, 1) << "Wine gives C: and Z:";
    const int start = static_cast<int>(::SendMessageW(drive1, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(form.Drive1().NativeDrive(), Runtime::RootOf(Utf8(folder.path())));
    // The arrow keys on the closed list choose a drive at once.
    WindowDriver::Key(drive1, start + 1 < count ? VK_DOWN : VK_UP);
    const std::string other = form.Drive1().NativeDrive();
    EXPECT_NE(other, Runtime::RootOf(Utf8(folder.path())));
    EXPECT_EQ(form.Dir1().NativePath(), other);
    EXPECT_EQ(form.File1().NativePath(), other);
    EXPECT_EQ(form.Dir1().Current(), 0);
}

TEST(Form1Chain, FailuresShowTheBoxAndLeaveTheListsAsTheyWere) {
    const TempFolder folder;
    const fs::path gone = MakeFolder(folder.path(), "gone");
    const fs::path drive = MakeFolder(folder.path(), "drive");
    // A drive letter whose folder goes away, like a card pulled out.
    ASSERT_TRUE(::DefineDosDeviceW(0, L"Q:", drive.c_str()));
    WindowDriver window(folder.path());
    Form1& form = window.form();
    const std::string start = Utf8(folder.path());
    fs::remove(gone);
    fs::remove(drive);
    const struct { const char* why; std::function<void()> act; } cases[] = {
        {"folder gone", [&] { WindowDriver::DoubleClick(window.Dir1(), Dir1Row(form, "gone")); }},
        {"drive gone", [&] { WindowDriver::Type(window.Drive1(), L"q"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(window.FailureBoxText(c.act), "実行時エラー '76':\n\nパスが見つかりません。");
        EXPECT_EQ(form.Dir1().NativePath(), start);
        EXPECT_EQ(form.File1().NativePath(), start);
        EXPECT_EQ(form.Drive1().NativeDrive(), Runtime::RootOf(start));
    }
    ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Q:", nullptr);
}

TEST(Form1Chain, ListsFollowTheDisk) {
    const TempFolder folder;
    const fs::path shown = MakeFolder(folder.path(), "曲/古い");
    Put(shown, "a.mid", TitledSong("A"));
    Put(shown, "c.mid", TitledSong("C"));
    WindowDriver window(shown);
    Form1& form = window.form();
    WindowDriver::Click(window.File1(), 1);
    const auto selected = [&form] {
        const int row = form.File1().Current();
        return row < 0 ? std::string() : form.File1().Row(row).entry.NativeName;
    };
    // A file made before the selected one: the selection stays on c.mid.
    Put(shown, "b.mid", TitledSong("B"));
    EXPECT_TRUE(WindowDriver::PumpUntil([&] { return form.File1().Count() == 3; }));
    EXPECT_EQ(selected(), "c.mid");
    MakeFolder(shown, "新しい");
    EXPECT_TRUE(WindowDriver::PumpUntil([&] { return Dir1Row(form, "新しい") >= 0; }));
    // The shown folder removed: the lists go to the folder above. (Windows
    // keeps a watched folder until the watch lets go of it, so the folder
    // above could not be removed with it.)
    fs::remove_all(shown);
    const std::string above = Utf8(shown.parent_path());
    EXPECT_TRUE(WindowDriver::PumpUntil([&] { return form.Dir1().NativePath() == above; }));
    EXPECT_TRUE(WindowDriver::PumpUntil([&] { return form.File1().NativePath() == above; }));
    EXPECT_EQ(form.File1().Count(), 0);
    EXPECT_TRUE(WindowDriver::PumpUntil([&] { return !fs::exists(shown); })) << "the watch let go";
}
