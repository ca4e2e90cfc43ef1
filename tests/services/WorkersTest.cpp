// Work done on the window's workers and delivered to its thread: only the
// newest listing counts; reports on the selected file arrive only while it
// is selected, and a hung read holds neither the window nor the pool's end.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <thread>

#include "FakeWindow.h"
#include "FolderReader.h"
#include "Mailbox.h"
#include "PathChain.h"
#include "ReportFetcher.h"
#include "TempFolder.h"

using namespace std::chrono_literals;
using Services::ReportFetcher;

namespace {

Services::SelectedFile File(const std::string& name) { return {"/music", "/music", {name, name}}; }

struct Fetching {
    explicit Fetching(std::size_t workers = 4) : work(window.Poster(), workers) {}
    ~Fetching() { gates->OpenAll(); }  // reads left waiting end, so their workers do

    FakeWindow window;
    std::shared_ptr<Gates> gates = std::make_shared<Gates>();
    Services::BackgroundWork work;
    std::vector<std::string> arrived;
    ReportFetcher fetcher{work, [this](std::string report) { arrived.push_back(std::move(report)); },
                          [gates = gates](const Services::SelectedFile& file) { return gates->Pass(file.Entry.NativeName); }};
};

}  // namespace

TEST(NewestWins, DeliversTheNewestRequestOnly) {
    const struct { const char* why; bool isAbandoned; std::vector<std::string> arrived; } cases[] = {
        {"the older result is dropped", false, {"second #1"}},
        {"an abandoned request delivers nothing", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        FakeWindow window;
        auto gates = std::make_shared<Gates>();
        std::vector<std::string> arrived;
        // One worker: the probe runs once the second read has ended and its result was posted or dropped.
        Services::BackgroundWork work(window.Poster(), 1);
        Services::NewestWins<std::string> listing(work, [&](std::string result) { arrived.push_back(result); });
        Services::NewestWins<int> probe(work, [&](int) { arrived.push_back("probe"); });
        listing.Request([gates] { return gates->Pass("first"); }, 0ms);
        ASSERT_TRUE(gates->AwaitArrival("first"));  // started, so not replaced in the queue
        listing.Request([gates] { return gates->Pass("second"); }, 0ms);
        if (c.isAbandoned) listing.Abandon();
        ASSERT_TRUE(gates->Release("first"));
        EXPECT_EQ(listing.IsAwaited(), !c.isAbandoned);
        ASSERT_TRUE(gates->Release("second"));
        ASSERT_EQ(probe.Request([] { return 1; }, 10s), 1);  // returned within patience, not delivered
        window.RunPosted();
        EXPECT_FALSE(listing.IsAwaited() || probe.IsAwaited());
        EXPECT_EQ(arrived, c.arrived);
    }
}

TEST(ListFolder, KeepsWhyAFolderCannotBeRead) {
    const TempFolder folder;
    const auto listed = Services::ListFolder((folder.path() / "gone").string(), Runtime::NamePattern("*"),
                                             Runtime::ListedKinds::FoldersAndFiles);
    EXPECT_EQ(listed.Failure.value_or(Runtime::RuntimeError{}).Number, Runtime::kPathNotFound);
}

TEST(ReportFetcher, DeliversOnlyWhatTheSelectionStillWants) {
    // Steps: "A" selects A, asks for its report and waits for its read to
    // start ("A~" does not wait), "+A" lets one read of A finish and runs
    // what it posted, "-" deselects.
    const struct { const char* why; std::vector<std::string> steps, arrived; std::size_t workers = 4; } cases[] = {
        {"one request, one report", {"A", "+A"}, {"A #1"}},
        {"a file no longer selected is dropped", {"A", "B", "+A", "+B"}, {"B #1"}},
        {"requests during a read of that file read nothing more", {"A", "A~", "A~", "+A"}, {"A #1"}},
        {"after the read, the next request reads again", {"A", "+A", "A", "+A"}, {"A #1", "A #2"}},
        {"back on a file still being read: its read answers", {"A", "B", "A~", "+A", "+B"}, {"A #1"}},
        {"three files that hang are read at once", {"A", "B", "C", "+C"}, {"C #1"}},
        {"a request not started yet gives way to a newer one", {"A", "B~", "C~", "+A", "+C"}, {"C #1"}, 1},
        {"deselected: the report on its way is dropped", {"A", "-", "+A"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Fetching fetching(c.workers);
        int posts = 0;
        for (const std::string& step : c.steps) {
            if (step == "-") fetching.fetcher.Deselect();
            if (step[0] == '+') {
                ASSERT_TRUE(fetching.gates->Release(step.substr(1)));
                ASSERT_TRUE(fetching.window.WaitForPosts(++posts));
                fetching.window.RunPosted();
            } else if (step != "-") {
                EXPECT_EQ(fetching.fetcher.Request(File(step.substr(0, 1)), 0ms), std::nullopt);
                if (step.size() == 1) { ASSERT_TRUE(fetching.gates->AwaitArrival(step)); }
            }
        }
        EXPECT_EQ(fetching.arrived, c.arrived);
    }
}

// While the pointer keeps moving over a file that hangs, each move asks
// again: the wait counts from the first request, so the waiting text comes;
// another file's wait starts afresh. A quick read is answered at once.
TEST(ReportFetcher, TellsHowLongTheSelectedFileIsAwaitedAndSaysSo) {
    // The separator is the platform's.
    const auto reportOn = [](const char* name) { return "ファイル名－ " + Runtime::ChildPath("/music", name) + "\r\n"; };
    Fetching fetching;
    EXPECT_EQ(fetching.fetcher.WaitingText(""), std::nullopt);  // nothing asked for
    const auto start = std::chrono::steady_clock::now();
    fetching.fetcher.Request(File("hung"), 0ms);
    std::this_thread::sleep_for(30ms);
    fetching.fetcher.Request(File("hung"), 0ms);
    EXPECT_GE(fetching.fetcher.TimeAwaited(), 30ms);
    fetching.fetcher.Request(File("春.mid"), 0ms);
    EXPECT_LE(fetching.fetcher.TimeAwaited().value_or(1h) + 30ms, std::chrono::steady_clock::now() - start);
    EXPECT_EQ(fetching.fetcher.WaitingText(reportOn("a.mid") + "\r\nフォーマット－ 1\r\n"),
              reportOn("春.mid") + "\r\n読み込み中…");
    EXPECT_EQ(fetching.fetcher.WaitingText(reportOn("春.mid") + "\r\nフォーマット－ 1\r\n"), std::nullopt);
    ASSERT_TRUE(fetching.gates->Release("春.mid"));
    ASSERT_TRUE(fetching.window.WaitForPosts(1));
    fetching.window.RunPosted();
    EXPECT_EQ(fetching.fetcher.WaitingText(""), std::nullopt);  // arrived
    fetching.gates->OpenAll();
    EXPECT_EQ(fetching.fetcher.Request(File("A"), 10s), "A #1");
    EXPECT_EQ(fetching.fetcher.TimeAwaited(), std::nullopt);
    std::this_thread::sleep_for(50ms);  // room for a wrong second delivery to be posted
    fetching.window.RunPosted();
    EXPECT_EQ(fetching.arrived, std::vector<std::string>{"春.mid #1"});
}

TEST(ReportFetcher, EndingWithAHungReadNeitherWaitsNorDeliversLater) {
    FakeWindow window;
    auto gates = std::make_shared<Gates>();
    const std::weak_ptr<Gates> heldByWorkers = gates;
    {
        Services::BackgroundWork work(window.Poster());
        ReportFetcher fetcher(work, [](std::string) {},
                              [gates](const Services::SelectedFile& file) { return gates->Pass(file.Entry.NativeName); });
        fetcher.Request(File("hung"), 20ms);
        fetcher.Request(File("other"), 0ms);
    }  // the read of "hung" is still waiting here
    gates->OpenAll();
    gates.reset();
    // The workers end and let go of the reader; nothing was posted meanwhile.
    for (int i = 0; i < 1000 && !heldByWorkers.expired(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(heldByWorkers.expired());
    EXPECT_FALSE(window.WaitForPosts(1, 0ms));
}
