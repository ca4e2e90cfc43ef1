// The window on the tests' FUSE disk (tests/fuse), mounted by scripts/test-windows: reads and listings of names
// holding "slow" take most of a second, those holding "hung" do not end while their file is there. What the
// window does meanwhile is checked, never how long it takes: bench/ measures that.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Files.h"
#include "WindowDriver.h"

using std::chrono::milliseconds;

class SlowFolder : public testing::Test {
protected:
    void SetUp() override {
        const char *source = std::getenv("MIDTITLE_SLOW_SOURCE"), *mount = std::getenv("MIDTITLE_SLOW_MOUNT");
        if (source == nullptr || mount == nullptr)
            GTEST_SKIP() << "FUSE cannot be mounted here: scripts/test-windows mounts the slow disk";
        // A folder of the test's own; its name holds neither "slow" nor "hung".
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        songs_ = Runtime::PathFromUtf8(source) / name;
        for (const auto& [file, title] : {std::pair{"a.mid", "Alpha"}, {"hung.mid", "Hung"}, {"slow.mid", "Slow"},
                                          {"slow folder/inside.mid", "Inside"}})
            Put(songs_, file, TitledSong(title));
        folder_ = Runtime::PathFromUtf8(mount) / name;
        // A window that waited for the hung read would wait for good: the hang ends after half a minute instead.
        watchdog_ = std::jthread([hung = songs_ / "hung.mid"](const std::stop_token& stop) {
            for (int tenths = 0; tenths < 300 && !stop.stop_requested(); ++tenths) std::this_thread::sleep_for(milliseconds(100));
            std::error_code ignored;
            if (!stop.stop_requested()) std::filesystem::remove(hung, ignored);
        });
    }
    // Hung reads end as their files go: a process with a thread in one never ends.
    void TearDown() override {
        watchdog_ = {};
        std::error_code ignored;
        if (!songs_.empty()) std::filesystem::remove_all(songs_, ignored);
    }
    std::string PathOf(std::string_view name) const { return Runtime::Utf8FromPath(folder_ / name); }

    std::filesystem::path songs_, folder_;
    std::jthread watchdog_;
};

TEST_F(SlowFolder, ClosingWithReadsOnTheirWayLeavesThemBehind) {
    // What Text1 shows meanwhile is the core's; the window answers and closes at once.
    {
        WindowDriver window(folder_);
        window.Click(window.form().File1(), "slow.mid"), window.Click(window.form().File1(), "hung.mid");
        EXPECT_TRUE(window.PumpUntil([&] { return window.Text1().ends_with("\r\n\r\n読み込み中…"); })) << window.Text1();
    }
    // Nothing waited for the hung read, and what the slow one read went nowhere.
    WindowDriver::PumpFor(milliseconds(2000));
    EXPECT_TRUE(std::filesystem::exists(songs_ / "hung.mid"));
}

TEST_F(SlowFolder, OpeningASlowFolderMovesTheChainAtOnceAndFillsTheListsLater) {
    WindowDriver window(folder_);
    const Form1& form = window.form();
    // While a folder is listed, the names of the one left are not live: File1 is disabled, draws them grey, and
    // its label says why.
    const auto isLive = [&](bool live) {
        EXPECT_EQ(::IsWindowEnabled(window.File1()) != FALSE, live);
        EXPECT_EQ(window.InkOf(window.File1(), 0).darkest < GetRValue(::GetSysColor(COLOR_GRAYTEXT)), live);
        EXPECT_EQ(window.TextOf(::GetWindow(window.File1(), GW_HWNDPREV)), live ? L"ファイル" : L"ファイル 読み込み中…");
    };
    window.Click(form.Dir1(), "slow folder", 2);
    EXPECT_EQ(form.Core().Dir1().NativePath(), PathOf("slow folder"));
    EXPECT_EQ(form.Dir1().Row(form.Dir1().Count() - 1).Entry.DisplayName, "読み込み中…");
    isLive(false);
    EXPECT_TRUE(window.PumpUntil([&] { return form.Core().File1().NativeFolder() == PathOf("slow folder"); }));
    EXPECT_EQ(window.RowNamed(form.File1(), "inside.mid"), 0);
    EXPECT_EQ(window.RowNamed(form.Dir1(), "読み込み中…"), -1);
    isLive(true);
}
