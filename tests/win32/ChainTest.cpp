// Drive1 -> Dir1 -> File1: each list follows the one before it, failures show the message box and leave
// the lists as they were, and the lists follow the disk.
#include <gtest/gtest.h>

#include "Files.h"
#include "PathChain.h"
#include "TempFolder.h"
#include "WindowDriver.h"

namespace fs = std::filesystem;

static std::string Utf8(const fs::path& path) { return Runtime::Utf8FromPath(path); }

TEST(Form1Chain, FoldersOpenIntoTheFileList) {
    const TempFolder folder;
    // 春の海 / 宮城道雄 in Shift_JIS.
    const fs::path song =
        Put(folder.path(), "曲/春の海.mid", TitledSong("\x8F\x74\x82\xCC\x8A\x43 / \x8B\x7B\x8F\xE9\x93\xB9\x97\x59"));
    folder.Write("top.mid", TitledSong("Top"));
    fs::create_directories(folder.path() / "a" / "a" / "a");
    WindowDriver window(folder.path());
    Form1& form = window.form();
    const std::string start = Utf8(folder.path()), top = Utf8(folder.path().filename());
    // The chain from the drive's root, the start folder selected, then its subfolders.
    EXPECT_EQ(form.Dir1().Row(0).Entry.DisplayName, Runtime::RootOf(start));
    EXPECT_EQ(form.Dir1().Row(form.Dir1().Current()).Entry.DisplayName, top);
    EXPECT_EQ(form.Core().File1().NativeFolder(), start);

    const struct { const char* why; std::function<void()> act; std::string folder; } steps[] = {
        {"enter on a subfolder", [&] { window.Click(form.Dir1(), "曲"), window.Key(window.Dir1(), VK_RETURN); },
         Utf8(song.parent_path())},
        {"double-click up the chain", [&] { window.Click(form.Dir1(), top, 2); }, start},
        {"single click only highlights", [&] { window.Click(form.Dir1(), "曲"); }, start},
        {"double-click a subfolder", [&] { window.Click(form.Dir1(), "曲", 2); }, Utf8(song.parent_path())},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.why);
        step.act();
        EXPECT_EQ(std::tuple(form.Core().Dir1().NativePath(), form.Core().File1().NativeFolder(), form.File1().Count()),
                  std::tuple(step.folder, step.folder, 1));
    }
    window.Type(window.File1(), L"春");
    EXPECT_TRUE(window.Shows("春の海 / 宮城道雄")) << window.Text1();
    EXPECT_EQ(window.Shown(WindowDriver::kFile), Utf8(song));
    // Each folder of the chain drawn a step further in than the one above it, its subfolders a step further;
    // all named alike, so that their names draw alike.
    window.Click(form.Dir1(), top, 2), window.Click(form.Dir1(), "a", 2);
    window.Click(window.Dir1(), form.Dir1().Count() - 1, 2);
    ::SetFocus(window.File1()), ::SendMessageW(window.Dir1(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);  // none highlighted
    const auto left = [&](int fromEnd) { return window.InkOf(window.Dir1(), form.Dir1().Count() - 1 - fromEnd).left; };
    EXPECT_GT(left(0) - left(1), 1);
    EXPECT_NEAR(left(0) - left(1), left(1) - left(2), 1);
}

TEST(Form1Chain, FailuresShowTheBoxAndLeaveTheListsAsTheyWere) {
    const TempFolder folder;
    const fs::path gone = folder.path() / "gone", drive = folder.path() / "drive";
    fs::create_directory(gone), fs::create_directory(drive);
    // A drive letter whose folder goes away, like a card pulled out.
    ASSERT_TRUE(::DefineDosDeviceW(0, L"Q:", drive.c_str()));
    WindowDriver window(folder.path());
    Form1& form = window.form();
    const std::string start = Utf8(folder.path()), missing = "実行時エラー '76':\n\nパスが見つかりません。";
    fs::remove(gone), fs::remove(drive);
    // The arrow keys move on past the failed drive at the next press, either way.
    ASSERT_EQ(form.Core().Drive1().NativeDrive(), "C:\\") << "Wine gives C:, then Q:, then Z:";
    const struct { const char* why; std::function<void()> act; std::string failure, shown; } cases[] = {
        {"folder gone", [&] { window.Click(form.Dir1(), "gone", 2); }, missing, start},
        {"down to the drive gone", [&] { window.Key(window.Drive1(), VK_DOWN); }, missing, start},
        {"down past it", [&] { window.Key(window.Drive1(), VK_DOWN); }, "", "Z:\\"},
        {"up to it", [&] { window.Key(window.Drive1(), VK_UP); }, missing, "Z:\\"},
        {"up past it", [&] { window.Key(window.Drive1(), VK_UP); }, "", "C:\\"},
        {"its letter typed", [&] { window.Type(window.Drive1(), L"q"); }, missing, "C:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(window.FailureBoxText(c.act), c.failure);
        EXPECT_EQ(form.Core().Dir1().NativePath() == start ? start : form.Core().Drive1().NativeDrive(), c.shown);
        EXPECT_EQ(form.Core().File1().NativeFolder(), form.Core().Dir1().NativePath());
        EXPECT_EQ(form.Core().Drive1().NativeDrive(), Runtime::RootOf(form.Core().Dir1().NativePath()));
    }
    // The list is read again when it drops down: a drive come since is in it, a drive gone is not.
    ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Q:", nullptr), ::DefineDosDeviceW(0, L"R:", folder.path().c_str());
    const auto isListed = [&](const wchar_t* drive) {
        return ::SendMessageW(window.Drive1(), CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(drive)) >= 0;
    };
    ::SendMessageW(window.Drive1(), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(window.PumpUntil([&] { return isListed(L"R:") && !isListed(L"Q:"); }));
    ::SendMessageW(window.Drive1(), CB_SHOWDROPDOWN, FALSE, 0);
    ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"R:", nullptr);
}

TEST(Form1Chain, ListsFollowTheDisk) {
    const TempFolder folder;
    const fs::path shown = Put(folder.path(), "曲/古い/a.mid", TitledSong("A")).parent_path();
    Put(shown, "c.mid", TitledSong("C"));
    WindowDriver window(shown);
    Form1& form = window.form();
    window.Click(window.File1(), 1);
    // A file made before the selected one: the selection stays on c.mid.
    Put(shown, "b.mid", TitledSong("B"));
    EXPECT_TRUE(window.PumpUntil([&] { return form.File1().Count() == 3; }));
    EXPECT_EQ(form.File1().Current(), 2);
    // The shown folder removed: the lists go to the folder above. (Windows
    // keeps a watched folder until the watch lets go, so the one above stays.)
    fs::remove_all(shown);
    const std::string above = Utf8(shown.parent_path());
    EXPECT_TRUE(window.PumpUntil([&] { return form.Core().Dir1().NativePath() == above && form.Core().File1().NativeFolder() == above; }));
    EXPECT_EQ(form.File1().Count(), 0);
    EXPECT_TRUE(window.PumpUntil([&] { return !fs::exists(shown); })) << "the watch let go";
}
