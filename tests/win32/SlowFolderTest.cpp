// The window on the tests' FUSE disk (tests/fuse), mounted by
// scripts/test-windows: reads and listings of names holding "slow" take most
// of a second, those holding "hung" do not end.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "Files.h"
#include "WindowDriver.h"

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// The longest the window's thread stopped while act() runs: the longest wait
// of another thread asking the window for an empty answer again and again.
static milliseconds WorstAnswerWhile(HWND window, const std::function<void()>& act) {
    std::atomic<milliseconds> worst{};
    std::atomic<bool> isDone{false};
    std::jthread probe([&](const std::stop_token& stop) {
        for (DWORD_PTR answer = 0; !stop.stop_requested(); std::this_thread::sleep_for(milliseconds(2))) {
            const auto start = Clock::now();
            ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
            worst = std::max(worst.load(), std::chrono::duration_cast<milliseconds>(Clock::now() - start));
        }
        isDone = true;
    });
    act();
    probe.request_stop();
    WindowDriver::PumpUntil([&] { return isDone.load(); });  // answering the probe's last ask
    return worst;
}

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
    }
    // Hung reads end as their files go: a process with a thread in one never ends.
    void TearDown() override {
        std::error_code ignored;
        if (!songs_.empty()) std::filesystem::remove_all(songs_, ignored);
    }
    std::string PathOf(std::string_view name) const { return Runtime::Utf8FromPath(folder_ / name); }

    std::filesystem::path songs_, folder_;
};

TEST_F(SlowFolder, ReadsThatTakeLongShowTheFileBeingReadAndTheWindowAnswers) {
    const struct { const char* why; std::string_view waitedFor, thenChosen; const char* title; } cases[] = {
        {"a slow read's report arrives", "slow.mid", "slow.mid", "Slow"},
        {"another file shows while one hangs", "hung.mid", "a.mid", "Alpha"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        WindowDriver window(folder_);
        EXPECT_LT(WorstAnswerWhile(window.form().Handle(), [&] {
            window.Click(window.form().File1(), c.waitedFor);
            // The pointer moved to and fro over the file asks again and again.
            for (int move = 0; move < 10; ++move, window.PumpFor(milliseconds(10)))
                ::SendMessageW(window.File1(), WM_MOUSEMOVE, 0, MAKELPARAM(move, 5));
            EXPECT_TRUE(window.PumpUntil([&] { return window.Text1().ends_with("\r\n\r\n読み込み中…"); })) << window.Text1();
            EXPECT_EQ(window.Shown(WindowDriver::kFile), PathOf(c.waitedFor));
            if (c.thenChosen != c.waitedFor) window.Click(window.form().File1(), c.thenChosen);
            EXPECT_TRUE(window.Shows(c.title)) << window.Text1();
            EXPECT_EQ(window.Shown(WindowDriver::kFile), PathOf(c.thenChosen));
        }), milliseconds(1000));
    }
}

TEST_F(SlowFolder, OpeningASlowFolderMovesTheChainAtOnceAndFillsTheListsLater) {
    WindowDriver window(folder_);
    const Form1& form = window.form();
    EXPECT_LT(WorstAnswerWhile(form.Handle(), [&] {
        window.Click(form.Dir1(), "slow folder", 2);
        EXPECT_EQ(form.Dir1().NativePath(), PathOf("slow folder"));
        EXPECT_EQ(form.Dir1().Row(form.Dir1().Count() - 1).entry.DisplayName, "読み込み中…");
        EXPECT_FALSE(::IsWindowEnabled(window.File1()));
        EXPECT_TRUE(window.PumpUntil([&] { return form.File1().NativePath() == PathOf("slow folder"); }));
        EXPECT_EQ(window.RowNamed(form.File1(), "inside.mid"), 0);
        EXPECT_EQ(window.RowNamed(form.Dir1(), "読み込み中…"), -1);
        EXPECT_TRUE(::IsWindowEnabled(window.File1()));
    }), milliseconds(1000));
}

TEST_F(SlowFolder, OpeningAFolderForgetsTheFileBeingRead) {
    WindowDriver window(folder_);
    window.Click(window.form().File1(), "hung.mid");
    // The folder shown, opened again: File1 is filled anew, no file selected.
    window.Click(window.Dir1(), window.form().Dir1().Current(), 2);
    window.PumpFor(milliseconds(600));
    EXPECT_EQ(window.Text1(), "");
}

TEST_F(SlowFolder, ClosingWithReadsHangingEndsAtOnce) {
    auto window = std::make_unique<WindowDriver>(folder_);
    for (const char* name : {"slow.mid", "hung.mid"}) window->Click(window->form().File1(), name);
    const auto start = Clock::now();
    EXPECT_TRUE(::DestroyWindow(window->form().Handle()));
    window.reset();
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    // The slow read ends after the window went: what it read goes nowhere.
    WindowDriver::PumpFor(milliseconds(2000));
}
