// Runs every registered benchmark, then prints the ratios that matter: the
// reader against itself on a huge file and against plain OS calls, and the
// window listing a huge folder and answering a mouse move, and
// midtitle-cli cataloguing a collection.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "CatalogueBench.h"
#include "CliBench.h"
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
    bool byWallTime = false;  // for runs on several threads, whose CPU time is not the point
};

constexpr Ratio kRatios[] = {
    {"GetMidInfo/Track64MiB", "GetMidInfo/NamedTwoTrackSong", 1.5},
    {"GetMidInfo/NamedTwoTrackSong", "OsRead/NamedTwoTrackSong", 2.0},
    {"GetMidInfo/Track64MiB", "OsRead/Track64MiB", 2.0},
    {"ListFolder/Form1", "ListFolder/OsCalls", 3.0},
    {"MouseMove/NamedTwoTrackSong/100000Entries", "MouseMove/NamedTwoTrackSong/10Entries", 1.5},
    {"MouseMove/Track64MiB/10Entries", "MouseMove/NamedTwoTrackSong/10Entries", 1.5},
    {"ReadMidInfo/ShiftJis", "FiveCalls/ShiftJis", 1.25},
    {"Catalogue/Tsv/Jobs1", "Catalogue/OsLoop", 1.3},
    {"Catalogue/Tsv/Jobs2", "Catalogue/Tsv/Jobs1", 1.0, true},
    {"TitleList/Fill/10000", "TitleList/CliTsv/10000", 2.0, true},
    {"TitleList/Fill/100000", "TitleList/CliTsv/100000", 2.0, true},
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
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            // The name as registered, without suffixes such as "/process_time".
            Keep(fastest_, run.run_name.function_name, run.GetAdjustedCPUTime() / unit);
            Keep(fastestWall_, run.run_name.function_name, run.GetAdjustedRealTime() / unit);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::ostream& out = GetOutputStream();
        for (const Ratio& ratio : kRatios) {
            const auto& times = ratio.byWallTime ? fastestWall_ : fastest_;
            const auto slower = times.find(ratio.slower);
            const auto faster = times.find(ratio.faster);
            if (slower == times.end() || faster == times.end()) continue;
            const double factor = slower->second / faster->second;
            out << ratio.slower << " / " << ratio.faster << ": " << std::fixed << std::setprecision(2)
                << factor << "x (goal " << ratio.goal << "x" << (ratio.byWallTime ? ", wall time" : "") << ") "
                << (factor <= ratio.goal ? "met" : "MISSED") << '\n';
        }
    }

private:
    static void Keep(std::map<std::string, double>& fastest, const std::string& name, double seconds) {
        const auto [at, isNew] = fastest.try_emplace(name, seconds);
        if (!isNew) at->second = std::min(at->second, seconds);
    }

    std::map<std::string, double> fastest_;      // CPU seconds a call, by benchmark name
    std::map<std::string, double> fastestWall_;  // wall-clock seconds a call
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const TempFolder folder;
    RegisterReaderBenchmarks(folder.path());
    const CliBenchmarks cli(folder.path());
    const CatalogueBenchmarks titleList(folder.path());
#ifdef MIDTITLE_WINDOW_BENCH
    const WindowBenchmarks window(argc, argv, folder.path());  // holds the QApplication while they run
#endif
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
