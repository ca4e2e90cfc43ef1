// Runs every registered benchmark, then prints the ratios that matter: the
// reader against itself on a huge file and against plain OS calls, and the
// window listing a huge folder and answering a mouse move.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ReaderBench.h"
#include "TempFolder.h"
#ifdef MIDTITLE_WINDOW_BENCH
#include "WindowBench.h"
#endif

namespace {

struct Ratio {
    const char* slower;
    const char* faster;
    double goal;
};

constexpr Ratio kRatios[] = {
    {"GetMidInfo/Track64MiB", "GetMidInfo/NamedTwoTrackSong", 1.5},
    {"GetMidInfo/NamedTwoTrackSong", "OsRead/NamedTwoTrackSong", 2.0},
    {"GetMidInfo/Track64MiB", "OsRead/Track64MiB", 2.0},
    {"ListFolder/Form1", "ListFolder/OsCalls", 3.0},
    {"MouseMove/NamedTwoTrackSong/100000Entries", "MouseMove/NamedTwoTrackSong/10Entries", 1.5},
    {"MouseMove/Track64MiB/10Entries", "MouseMove/NamedTwoTrackSong/10Entries", 1.5},
};

// The console table as usual (without colour: the library's own colour
// setting is not open to a reporter), then the ratios of kRatios whose two
// benchmarks ran. Each side is its fastest repetition, or the median when
// only aggregates are reported. CPU time, not wall time: with a warm cache
// nothing waits for the disk, and on a shared machine wall time also counts
// the time other processes ran.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool isRepetition = run.run_type == Run::RT_Iteration && run.iterations > 0;
            if (!isRepetition && run.aggregate_name != "median") continue;
            const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto [at, isNew] = fastest_.try_emplace(run.run_name.str(), seconds);
            if (!isNew) at->second = std::min(at->second, seconds);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::ostream& out = GetOutputStream();
        for (const Ratio& ratio : kRatios) {
            const auto slower = fastest_.find(ratio.slower);
            const auto faster = fastest_.find(ratio.faster);
            if (slower == fastest_.end() || faster == fastest_.end()) continue;
            const double times = slower->second / faster->second;
            out << ratio.slower << " / " << ratio.faster << ": " << std::fixed << std::setprecision(2)
                << times << "x (goal " << ratio.goal << "x) " << (times <= ratio.goal ? "met" : "MISSED")
                << '\n';
        }
    }

private:
    std::map<std::string, double> fastest_;  // seconds a call, by benchmark name
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const TempFolder folder;
    RegisterReaderBenchmarks(folder.path());
#ifdef MIDTITLE_WINDOW_BENCH
    const WindowBenchmarks window(argc, argv, folder.path());  // holds the QApplication while they run
#endif
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
