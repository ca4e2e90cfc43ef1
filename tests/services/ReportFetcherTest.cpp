// The reports on the selected file: which reads run, which reports arrive,
// and that a hung read holds neither the window nor the pool's end.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FakeWindow.h"
#include "Report.h"
#include "ReportFetcher.h"

using namespace std::chrono_literals;
using Services::ReportFetcher;

namespace {

Services::SelectedFile File(const std::string& name) { return {"/music", "/music", {name, name}}; }

struct Fetching {
    explicit Fetching(std::size_t workers = 4)
        : gates(std::make_shared<Gates>()),
          work(window.Poster(), workers),
          fetcher(work, [this](std::string report) { arrived.push_back(std::move(report)); },
                  [gates = gates](const Services::SelectedFile& file) { return gates->Pass(file.Entry.NativeName); }) {}
    ~Fetching() { gates->OpenAll(); }  // reads left waiting end, so their workers do

    FakeWindow window;
    std::shared_ptr<Gates> gates;
    Services::BackgroundWork work;
    std::vector<std::string> arrived;
    ReportFetcher fetcher;
};

}  // namespace

TEST(ReportFetcher, DeliversOnlyWhatTheSelectionStillWants) {
    // Steps: "A" selects A, asks for its report and waits for its read to
    // start ("A~" does not wait), "+A" lets one read of A finish and runs
    // what it posted, "-" deselects.
    const struct {
        const char* why;
        std::vector<std::string> steps;
        std::vector<std::string> arrived;
        std::map<std::string, int> reads;
        std::size_t workers = 4;
    } cases[] = {
        {"one request, one report", {"A", "+A"}, {"A #1"}, {{"A", 1}}},
        {"a file no longer selected is dropped", {"A", "B", "+A", "+B"}, {"B #1"}, {{"A", 1}, {"B", 1}}},
        {"requests during a read of that file read nothing more", {"A", "A~", "A~", "+A"}, {"A #1"}, {{"A", 1}}},
        {"after the read, the next request reads again", {"A", "+A", "A", "+A"}, {"A #1", "A #2"}, {{"A", 2}}},
        {"back on a file still being read: its read answers", {"A", "B", "A~", "+A", "+B"}, {"A #1"},
         {{"A", 1}, {"B", 1}}},
        {"three files that hang are read at once", {"A", "B", "C", "+C"}, {"C #1"}, {{"C", 1}}},
        {"a request not started yet gives way to a newer one", {"A", "B~", "C~", "+A", "+C"}, {"C #1"},
         {{"A", 1}, {"B", 0}, {"C", 1}}, 1},
        {"deselected: the report on its way is dropped", {"A", "-", "+A"}, {}, {{"A", 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Fetching fetching(c.workers);
        int posts = 0;
        for (const std::string& step : c.steps) {
            if (step == "-") {
                fetching.fetcher.Deselect();
            } else if (step[0] == '+') {
                ASSERT_TRUE(fetching.gates->Release(step.substr(1)));
                ASSERT_TRUE(fetching.window.WaitForPosts(++posts));
                fetching.window.RunPosted();
            } else {
                const std::string name = step.substr(0, 1);
                EXPECT_EQ(fetching.fetcher.Request(File(name), 0ms), std::nullopt);
                if (step.size() == 1) {
                    ASSERT_TRUE(fetching.gates->AwaitArrival(name));
                }
            }
        }
        EXPECT_EQ(fetching.arrived, c.arrived);
        for (const auto& [name, reads] : c.reads) {
            EXPECT_EQ(fetching.gates->Reads(name), reads) << name;
        }
    }
}

TEST(ReportFetcher, AReadWithinPatienceIsAnsweredAtOnceAndNotAgain) {
    Fetching fetching;
    fetching.gates->OpenAll();
    EXPECT_EQ(fetching.fetcher.Request(File("A"), 10s), "A #1");
    EXPECT_EQ(fetching.fetcher.TimeAwaited(), std::nullopt);
    std::this_thread::sleep_for(50ms);  // room for a wrong second delivery to be posted
    fetching.window.RunPosted();
    EXPECT_TRUE(fetching.arrived.empty());
}

TEST(ReportFetcher, WaitingTextNamesTheFileUnlessTheBoxDoes) {
    // The separator is the platform's.
    const auto reportOn = [](const char* name) { return "ファイル名－ " + JoinFullPath("/music", name) + "\r\n"; };
    Fetching fetching;
    EXPECT_EQ(fetching.fetcher.WaitingText(""), std::nullopt);  // nothing asked for
    fetching.fetcher.Request(File("春.mid"), 0ms);
    EXPECT_EQ(fetching.fetcher.WaitingText(reportOn("a.mid") + "\r\nフォーマット－ 1\r\n"),
              reportOn("春.mid") + "\r\n読み込み中…");
    EXPECT_EQ(fetching.fetcher.WaitingText(reportOn("春.mid") + "\r\nフォーマット－ 1\r\n"), std::nullopt);
    ASSERT_TRUE(fetching.gates->Release("春.mid"));
    ASSERT_TRUE(fetching.window.WaitForPosts(1));
    fetching.window.RunPosted();
    EXPECT_EQ(fetching.fetcher.WaitingText(""), std::nullopt);  // arrived
}

// While the pointer keeps moving over a file that hangs, each move asks
// again: the wait still counts from the first request, so the waiting text
// comes. Another file's wait starts afresh.
TEST(ReportFetcher, TheWaitForAFileCountsFromItsFirstRequest) {
    Fetching fetching;
    const auto start = std::chrono::steady_clock::now();
    fetching.fetcher.Request(File("hung"), 0ms);
    std::this_thread::sleep_for(30ms);
    fetching.fetcher.Request(File("hung"), 0ms);
    EXPECT_GE(fetching.fetcher.TimeAwaited(), 30ms);
    fetching.fetcher.Request(File("other"), 0ms);
    const auto awaited = fetching.fetcher.TimeAwaited();
    ASSERT_TRUE(awaited);
    EXPECT_LE(*awaited + 30ms, std::chrono::steady_clock::now() - start);
}

TEST(ReportFetcher, EndingWithAHungReadNeitherWaitsNorDeliversLater) {
    FakeWindow window;
    auto gates = std::make_shared<Gates>();
    const std::weak_ptr<Gates> heldByWorkers = gates;
    bool isDelivered = false;
    {
        Services::BackgroundWork work(window.Poster());
        ReportFetcher fetcher(work, [&](std::string) { isDelivered = true; },
                              [gates](const Services::SelectedFile& file) { return gates->Pass(file.Entry.NativeName); });
        fetcher.Request(File("hung"), 20ms);
        fetcher.Request(File("other"), 0ms);
    }  // the read of "hung" is still waiting here
    gates->OpenAll();
    gates.reset();
    // The workers end and let go of the reader; nothing was posted meanwhile.
    for (int i = 0; i < 1000 && !heldByWorkers.expired(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(heldByWorkers.expired());
    EXPECT_EQ(window.PostCount(), 0);
    window.RunPosted();
    EXPECT_FALSE(isDelivered);
}
