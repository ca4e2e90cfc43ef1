// The window on the tests' FUSE disk (tests/fuse), mounted by
// scripts/test-windows: reads and listings of names holding "slow" take most
// of a second, those holding "hung" do not end.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "Files.h"
#include "WindowDriver.h"

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

namespace {

// Asks the window for an empty answer from another thread, again and again:
// the longest wait is the longest the window's thread stopped.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window)
        : probe_([this, window](const std::stop_token& stop) {
              for (DWORD_PTR answer = 0; !stop.stop_requested(); std::this_thread::sleep_for(milliseconds(2))) {
                  const auto start = Clock::now();
                  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
                  worst_ = std::max(worst_.load(), std::chrono::duration_cast<milliseconds>(Clock::now() - start));
              }
              isDone_ = true;
          }) {}
    milliseconds Worst() {
        probe_.request_stop();
        WindowDriver::PumpUntil([this] { return isDone_.load(); });  // answering the probe's last ask
        probe_.join();
        std::printf("worst wait for the window to answer: %lld ms\n", static_cast<long long>(worst_.load().count()));
        return worst_;
    }

private:
    std::atomic<milliseconds> worst_{};
    std::atomic<bool> isDone_{false};
    std::jthread probe_;
};

class SlowFolder : public testing::Test {
protected:
    void SetUp() override {
        const char* source = std::getenv("MIDTITLE_SLOW_SOURCE");
        const char* mount = std::getenv("MIDTITLE_SLOW_MOUNT");
        if (source == nullptr || mount == nullptr)
            GTEST_SKIP() << "FUSE cannot be mounted here: scripts/test-windows mounts the slow disk";
        // A folder of the test's own; its name holds neither "slow" nor "hung".
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        songs_ = MakeFolder(Runtime::PathFromUtf8(source), name);
        Put(songs_, "a.mid", TitledSong("Alpha"));
        Put(songs_, "hung.mid", TitledSong("Hung"));
        Put(songs_, "slow.mid", TitledSong("Slow"));
        Put(MakeFolder(songs_, "slow folder"), "inside.mid", TitledSong("Inside"));
        folder_ = Runtime::PathFromUtf8(mount) / name;
    }
    // Hung reads end as their files go: a process with a thread in one never ends.
    void TearDown() override {
        std::error_code ignored;
        if (!songs_.empty()) fs::remove_all(songs_, ignored);
    }
    std::string PathOf(std::string_view name) const { return Runtime::Utf8FromPath(folder_ / name); }

    fs::path songs_;
    fs::path folder_;
};

}  // namespace

TEST_F(SlowFolder, ReadsThatTakeLongShowTheFileBeingReadAndTheWindowAnswers) {
    const struct { const char* why; const char* waitedFor; const char* thenChosen; const char* title; } cases[] = {
        {"a slow read's report arrives", "slow.mid", nullptr, "Slow"},
        {"another file shows while one hangs", "hung.mid", "a.mid", "Alpha"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        WindowDriver window(folder_);
        AnswerProbe probe(window.form().Handle());
        window.ClickFile(c.waitedFor);
        // The pointer moved to and fro over the file asks again and again.
        for (int move = 0; move < 10; ++move, WindowDriver::PumpFor(milliseconds(10)))
            ::SendMessageW(window.File1(), WM_MOUSEMOVE, 0, MAKELPARAM(move, 5));
        EXPECT_TRUE(WindowDriver::PumpUntil([&] {
            return window.ShownFile() == PathOf(c.waitedFor) && window.Text1().ends_with("\r\n\r\n読み込み中…");
        })) << window.Text1();
        if (c.thenChosen != nullptr) window.ClickFile(c.thenChosen);
        EXPECT_TRUE(WindowDriver::PumpUntil([&] { return window.ShownTitle() == c.title; })) << window.Text1();
        EXPECT_EQ(window.ShownFile(), PathOf(c.thenChosen != nullptr ? c.thenChosen : c.waitedFor));
        EXPECT_LT(probe.Worst(), milliseconds(1000));
    }
}

TEST_F(SlowFolder, OpeningASlowFolderMovesTheChainAtOnceAndFillsTheListsLater) {
    WindowDriver window(folder_);
    const Form1& form = window.form();
    AnswerProbe probe(form.Handle());
    WindowDriver::DoubleClick(window.Dir1(), WindowDriver::RowNamed(form.Dir1(), "slow folder"));
    EXPECT_EQ(form.Dir1().NativePath(), PathOf("slow folder"));
    EXPECT_EQ(form.Dir1().Row(form.Dir1().Count() - 1).entry.DisplayName, "読み込み中…");
    EXPECT_FALSE(::IsWindowEnabled(window.File1()));
    EXPECT_TRUE(WindowDriver::PumpUntil([&] { return form.File1().NativePath() == PathOf("slow folder"); }));
    EXPECT_EQ(WindowDriver::RowNamed(form.File1(), "inside.mid"), 0);
    EXPECT_EQ(WindowDriver::RowNamed(form.Dir1(), "読み込み中…"), -1);
    EXPECT_TRUE(::IsWindowEnabled(window.File1()));
    EXPECT_LT(probe.Worst(), milliseconds(1000));
}

TEST_F(SlowFolder, OpeningAFolderForgetsTheFileBeingRead) {
    WindowDriver window(folder_);
    window.ClickFile("hung.mid");
    // The folder shown, opened again: File1 is filled anew, no file selected.
    WindowDriver::DoubleClick(window.Dir1(), window.form().Dir1().Current());
    WindowDriver::PumpFor(milliseconds(600));
    EXPECT_EQ(window.Text1(), "");
}

TEST_F(SlowFolder, ClosingWithReadsHangingEndsAtOnce) {
    auto window = std::make_unique<WindowDriver>(folder_);
    window->ClickFile("slow.mid");
    window->ClickFile("hung.mid");
    const auto start = Clock::now();
    EXPECT_TRUE(::DestroyWindow(window->form().Handle()));
    window.reset();
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    // The slow read ends after the window went: what it read goes nowhere.
    WindowDriver::PumpFor(milliseconds(2000));
}
