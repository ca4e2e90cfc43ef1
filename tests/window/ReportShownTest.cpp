// Text1's report as the core shows it: read at once or late, the waiting text, the unchanged report left alone,
// a late report dropped once no file is selected.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <thread>

#include "FakeWindow.h"
#include "PathSeparator.h"
#include "ReportShown.h"

namespace {

// A report as the window composes it: its first line names the file.
std::string Report(const std::string& name) {
    return "ファイル名－ /music" + std::string(1, Runtime::kPathSeparator) + name + "\r\nタイトル－ " + name;
}
const std::string kWaitingA = Report("a.mid").substr(0, Report("a.mid").find('\n') + 1) + "\r\n読み込み中…";

// Text1 and the window as the core sees them: what was put into the box, and the timer asked for.
struct FakeText1 : Window::ReportView, Window::WindowHost {
    void ShowReport(const std::string& text) override { shown.push_back(text); }
    void ShowFailure(const Runtime::RuntimeError&) override {}
    void StartTimer(Timer, std::chrono::milliseconds) override { ++timers; }
    std::vector<std::string> shown;
    int timers = 0;
};

struct Scenario {
    const char* name;
    const char* steps;  // words, one step each; see Play
    std::vector<std::string> shown;  // what Text1 was given, in order; "…" the waiting text
    int timers;
};

class ReportShownTest : public testing::TestWithParam<Scenario> {
protected:
    // "open": reads answer at once from now on; "a": a selects a.mid and reads it; "+a": lets one read of a.mid
    // through and runs its late delivery; "none": nothing is selected any more; "deselect": the core is told so;
    // "timer": the waiting timer runs out, again until the file has been awaited long enough.
    void Play(const std::string& steps) {
        std::istringstream words(steps);
        for (std::string step; words >> step;) {
            if (step == "open") gates->OpenAll();
            else if (step == "none") isSelected = false;
            else if (step == "deselect") report.Deselect();
            else if (step == "timer") RunTimerUntilShown();
            else if (step.starts_with('+')) Deliver(step.substr(1) + ".mid");
            else isSelected = true, report.Read({"/music", "/music", {step + ".mid", step + ".mid"}});
        }
    }
    void Deliver(const std::string& name) {
        const int posts = window.PostCount();
        ASSERT_TRUE(gates->Release(name));
        ASSERT_TRUE(window.WaitForPosts(posts + 1));
        window.RunPosted();
    }
    // Runs the timer out until the core asks for no more.
    void RunTimerUntilShown() {
        for (int asked = -1; asked != text1.timers;) {
            asked = text1.timers;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            report.TimerRan();
        }
    }

    std::shared_ptr<Gates> gates = std::make_shared<Gates>();
    FakeWindow window;
    FakeText1 text1;
    bool isSelected = false;
    // Each file's report is its name: the same file read twice gives the same report.
    Window::ReportShown report{window.Poster(), text1, text1, [this] { return isSelected; },
                               [gates = gates](const Services::SelectedFile& file) {
                                   gates->Pass(file.Entry.NativeName);
                                   return Report(file.Entry.NativeName);
                               }};
};


TEST_P(ReportShownTest, ShowsWhatTheSelectionWants) {
    const Scenario& scenario = GetParam();
    Play(scenario.steps);
    std::vector<std::string> expected;
    for (const std::string& text : scenario.shown) expected.push_back(text == "…" ? kWaitingA : Report(text));
    EXPECT_EQ(text1.shown, expected);
    EXPECT_EQ(text1.timers > 0, scenario.timers > 0);
    EXPECT_EQ(report.Text(), expected.empty() ? "" : expected.back());
    gates->OpenAll();
}

INSTANTIATE_TEST_SUITE_P(Text1, ReportShownTest, testing::Values(
    Scenario{"QuickReadShownAtOnce", "open a", {"a.mid"}, 0},
    Scenario{"SameReportAgainLeavesTheBoxAlone", "open a a a", {"a.mid"}, 0},
    Scenario{"AnotherFileShown", "open a b a", {"a.mid", "b.mid", "a.mid"}, 0},
    Scenario{"SlowReadShownWhenItArrives", "a +a", {"a.mid"}, 1},
    Scenario{"SlowReadSaysItIsBeingRead", "a timer +a", {"…", "a.mid"}, 1},
    Scenario{"OldReportOfTheSameFileStaysWhileItIsReadAgain", "a +a a timer +a", {"a.mid"}, 1},
    Scenario{"LateReportOfAFileNoLongerSelectedDropped", "a none +a", {}, 1},
    Scenario{"LateReportAfterDeselectDropped", "a deselect +a", {}, 1},
    Scenario{"OnlyTheNewestSelectionsReportShown", "a b +a +b", {"b.mid"}, 1}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
