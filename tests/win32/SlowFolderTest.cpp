// The window on the tests' FUSE disk (tests/fuse), mounted by
// scripts/test-windows: reads and listings of names holding "slow" take most
// of a second, those holding "hung" do not end while their file is there.
// What the window does meanwhile is checked, never how long it takes: that
// is measured in bench/.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>

#include "Files.h"
#include "WindowDriver.h"

using std::chrono::milliseconds;

class SlowFolder : public testing::Test {
protected:
    void SetUp() override {
        const char* source = std::getenv("MIDTITLE_SLOW_SOURCE");
        const char* mount = std::getenv("MIDTITLE_SLOW_MOUNT");
        if (source == nullptr || mount == nullptr)
            GTEST_SKIP() << "FUSE cannot be mounted here: scripts/test-windows mounts the slow disk";
        // A folder of the test's own; its name holds neither "slow" nor "hung".
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        songs_ = Runtime::PathFromUtf8(source) / name;
        for (const auto& [file, title] : {std::pair{"a.mid", "Alpha"}, {"hung.mid", "Hung"}, {"slow.mid", "Slow"},
                                          {"slow folder/inside.mid", "Inside"}})
            Put(songs_, file, TitledSong(title));
        folder_ = Runtime::PathFromUtf8(mount) / name;
        // A window that waits for the hung read would wait for good: the hang
        // is ended after half a minute, and what the test checks then fails.
        watchdog_ = std::jthread([hung = songs_ / "hung.mid"](const std::stop_token& stop) {
            std::mutex mutex;
            std::unique_lock lock(mutex);
            std::condition_variable_any().wait_for(lock, stop, std::chrono::seconds(30), [] { return false; });
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
    bool IsHung() const { return std::filesystem::exists(songs_ / "hung.mid"); }

    std::filesystem::path songs_, folder_;
    std::jthread watchdog_;
};

TEST_F(SlowFolder, ReadsThatTakeLongShowTheFileBeingReadAndTheWindowAnswers) {
    const struct { const char* why; std::string_view waitedFor; UINT key; std::string_view shown; const char* title; } cases[] = {
        {"a slow read's report arrives", "slow.mid", 0, "slow.mid", "Slow"},
        {"a key while a read hangs moves on", "hung.mid", VK_UP, "a.mid", "Alpha"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        WindowDriver window(folder_);
        window.Click(window.form().File1(), c.waitedFor);
        // The pointer moving to and fro over the file asks for it again and again.
        int move = 0;
        EXPECT_TRUE(window.PumpUntil([&] {
            ::SendMessageW(window.File1(), WM_MOUSEMOVE, 0, MAKELPARAM(++move % 20, 5));
            return window.Text1().ends_with("\r\n\r\n読み込み中…");
        })) << window.Text1();
        EXPECT_EQ(window.Shown(WindowDriver::kFile), PathOf(c.waitedFor));
        // Posted, as input comes: answered by the window's own loop.
        if (c.key != 0) ::PostMessageW(window.File1(), WM_KEYDOWN, c.key, 1);
        EXPECT_TRUE(window.Shows(c.title)) << window.Text1();
        EXPECT_EQ(window.Shown(WindowDriver::kFile), PathOf(c.shown));
        EXPECT_TRUE(IsHung());
    }
}

TEST_F(SlowFolder, OpeningASlowFolderMovesTheChainAtOnceAndFillsTheListsLater) {
    WindowDriver window(folder_);
    const Form1& form = window.form();
    const auto label = [&] {
        wchar_t text[64] = {};
        ::GetWindowTextW(::GetWindow(window.File1(), GW_HWNDPREV), text, 64);
        return std::wstring(text);
    };
    const int grey = GetRValue(::GetSysColor(COLOR_GRAYTEXT));
    window.Click(form.Dir1(), "slow folder", 2);
    EXPECT_EQ(form.Dir1().NativePath(), PathOf("slow folder"));
    EXPECT_EQ(form.Dir1().Row(form.Dir1().Count() - 1).entry.DisplayName, "読み込み中…");
    // The names of the folder left are not live: File1 is disabled, draws them grey, and its label says why.
    EXPECT_FALSE(::IsWindowEnabled(window.File1()));
    EXPECT_GE(window.InkOf(window.File1(), 0).darkest, grey);
    EXPECT_EQ(label(), L"ファイル 読み込み中…");
    EXPECT_TRUE(window.PumpUntil([&] { return form.File1().NativePath() == PathOf("slow folder"); }));
    EXPECT_EQ(window.RowNamed(form.File1(), "inside.mid"), 0);
    EXPECT_EQ(window.RowNamed(form.Dir1(), "読み込み中…"), -1);
    EXPECT_TRUE(::IsWindowEnabled(window.File1()));
    EXPECT_LT(window.InkOf(window.File1(), 0).darkest, grey);
    EXPECT_EQ(label(), L"ファイル");
}

TEST_F(SlowFolder, OpeningAFolderForgetsTheFileBeingRead) {
    WindowDriver window(folder_);
    window.Click(window.form().File1(), "hung.mid");
    // The folder shown, opened again: File1 is filled anew, no file selected.
    window.Click(window.Dir1(), window.form().Dir1().Current(), 2);
    window.PumpFor(milliseconds(600));
    EXPECT_EQ(window.Text1(), "");
}

TEST_F(SlowFolder, ClosingLeavesTheHungReadBehind) {
    auto window = std::make_unique<WindowDriver>(folder_);
    for (const char* name : {"slow.mid", "hung.mid"}) window->Click(window->form().File1(), name);
    EXPECT_TRUE(::DestroyWindow(window->form().Handle()));
    window.reset();
    EXPECT_TRUE(IsHung()) << "closing waited for the hung read";
    // The slow read ends after the window went: what it read goes nowhere.
    WindowDriver::PumpFor(milliseconds(2000));
}
