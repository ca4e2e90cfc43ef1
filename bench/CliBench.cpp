#include "CliBench.h"

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <streambuf>
#include <string>
#include <vector>

#include "MidReading.h"
#include "Run.h"
#include "SmfBytes.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000;
// What GetMidInfo reads of a file: the header chunk, the track chunk's id
// and length, and the 5004 bytes its title search can reach.
constexpr std::size_t kReadLength = 22 + 5004;
// Each file's track is a little longer than that read, so every read is
// whole; past the title it is a hole, which spares the disk.
constexpr std::uint32_t kTrackLength = 6000;

// "春の海" in code page 932: half the collection needs decoding, as a
// Japanese collection does.
const Bytes kShiftJisTitle = {0x8F, 0x74, 0x82, 0xCC, 0x8A, 0x43};

void WriteSong(const fs::path& path, const Bytes& title) {
    const Bytes bytes = StandardHeader() + TrackWithLength(kTrackLength, NamedTrackData(title));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    fs::resize_file(path, 22 + std::uintmax_t{kTrackLength});
}

// Output that goes nowhere, so the runs time the walk and the formatting,
// not a terminal.
class Discard : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

// Writes the file system's dirty pages out and drops every cached page,
// folder entry and inode, as after a restart; only root may.
bool DropCaches() {
    ::sync();
    std::ofstream control("/proc/sys/vm/drop_caches");
    control << "3" << std::flush;
    return static_cast<bool>(control);
}

enum class Cache { Warm, Cold };

void TimeCatalogue(benchmark::State& state, const fs::path& collection, const char* jobs, Cache cache) {
    Discard discard;
    std::ostream out(&discard);
    std::ostream err(&discard);
    const std::vector<std::string> arguments = {"-r", "--format", "tsv", "-j", jobs, collection.string()};
    for (auto _ : state) {
        if (cache == Cache::Cold) {
            state.PauseTiming();
            const bool isDropped = DropCaches();
            state.ResumeTiming();
            if (!isDropped) return state.SkipWithError("the caches cannot be dropped here: run as root");
        }
        if (Cli::Run(arguments, out, err) != 0) return state.SkipWithError("midtitle-cli failed");
    }
    state.SetItemsProcessed(state.iterations() * kFolders * kFilesPerFolder);
}

// The least any catalogue of these files pays, in plain C.
void TimeOsLoop(benchmark::State& state, const fs::path& collection) {
    std::vector<char> buffer(kReadLength);
    for (auto _ : state) {
        long long files = 0;
        for (int folder = 0; folder < kFolders; ++folder) {
            const std::string folderPath = (collection / std::to_string(folder)).string();
            DIR* stream = ::opendir(folderPath.c_str());
            while (const dirent* entry = ::readdir(stream)) {
                if (entry->d_name[0] == '.') continue;
                const std::string path = folderPath + "/" + entry->d_name;
                struct stat status {};
                if (::stat(path.c_str(), &status) != 0) continue;
                const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
                files += ::read(descriptor, buffer.data(), buffer.size()) > 0;
                ::close(descriptor);
            }
            ::closedir(stream);
        }
        if (files != kFolders * kFilesPerFolder) return state.SkipWithError("files missing");
    }
    state.SetItemsProcessed(state.iterations() * kFolders * kFilesPerFolder);
}

// The whole program as a process, its output thrown away; its peak
// resident memory is the figure.
void MeasurePeakMemory(benchmark::State& state, const fs::path& collection) {
    const std::string program = MIDTITLE_CLI;
    const std::string folder = collection.string();
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>("-r"),
                               const_cast<char*>("--format"), const_cast<char*>("tsv"),
                               const_cast<char*>(folder.c_str()), nullptr};
    long peakKiB = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        const int failed = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
        ::posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) return state.SkipWithError("cannot start midtitle-cli");
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return state.SkipWithError("midtitle-cli failed");
        peakKiB = std::max(peakKiB, usage.ru_maxrss);
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
}

void TimeGetMidInfo(benchmark::State& state, const fs::path& file) {
    if (!MIDTitle::ReadMidInfo(file).HasTitle) return state.SkipWithError("no title");
    for (auto _ : state) benchmark::DoNotOptimize(MIDTitle::ReadMidInfo(file));
}

// The system calls GetMidInfo makes, and nothing else: the lookup, the
// open, the check that it is still a regular file, the read, the close.
void TimeFiveCalls(benchmark::State& state, const std::string& file) {
    std::vector<char> buffer(kReadLength);
    for (auto _ : state) {
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0) return state.SkipWithError("stat");
        const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (::fstat(descriptor, &status) != 0) return state.SkipWithError("fstat");
        const ssize_t got = ::pread(descriptor, buffer.data(), buffer.size(), 0);
        ::close(descriptor);
        if (got != static_cast<ssize_t>(kReadLength)) return state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
    }
}

}  // namespace

CliBenchmarks::CliBenchmarks(const fs::path& folder) : folder_(folder) {
    const fs::path song = folder_ / "spring-sea.mid";
    WriteSong(song, kShiftJisTitle);
    const fs::path ascii = folder_ / "song.mid";
    WriteSong(ascii, Ascii("Song"));
    benchmark::RegisterBenchmark("ReadMidInfo/ShiftJis", TimeGetMidInfo, song);
    benchmark::RegisterBenchmark("ReadMidInfo/Ascii", TimeGetMidInfo, ascii);
    benchmark::RegisterBenchmark("FiveCalls/ShiftJis", TimeFiveCalls, song.string());

    const auto catalogue = [this](const char* jobs, Cache cache) {
        return [this, jobs, cache](benchmark::State& state) { TimeCatalogue(state, collection(), jobs, cache); };
    };
    // CPU time of the whole process, the reading threads' included; thread
    // counts are compared by wall time. On a cold cache every file is read
    // from the disk, where more reads at once than cores can pay: these
    // figures chose the default for -j.
    constexpr const char* kJobs[] = {"1", "2", "4", "8", "16"};
    for (const char* jobs : kJobs) {
        benchmark::RegisterBenchmark((std::string("Catalogue/Tsv/Jobs") + jobs).c_str(), catalogue(jobs, Cache::Warm))
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
    }
    benchmark::RegisterBenchmark("Catalogue/OsLoop", [this](benchmark::State& state) {
        TimeOsLoop(state, collection());
    })->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("Catalogue/PeakMemory", [this](benchmark::State& state) {
        MeasurePeakMemory(state, collection());
    })->Unit(benchmark::kMillisecond)->Iterations(3);
    // After the warm runs, which a cold one would leave half cold.
    for (const char* jobs : kJobs) {
        benchmark::RegisterBenchmark((std::string("Catalogue/ColdCache/Jobs") + jobs).c_str(),
                                     catalogue(jobs, Cache::Cold))
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->Iterations(1)
            ->Repetitions(3);
    }
}

const fs::path& CliBenchmarks::collection() {
    if (!collection_) {
        const fs::path root = folder_ / "collection";
        for (int folder = 0; folder < kFolders; ++folder) {
            const fs::path path = root / std::to_string(folder);
            fs::create_directories(path);
            for (int file = 0; file < kFilesPerFolder; ++file) {
                WriteSong(path / ("song-" + std::to_string(file) + ".mid"),
                          file % 2 == 0 ? kShiftJisTitle : Ascii("Song " + std::to_string(file)));
            }
        }
        collection_ = root;
    }
    return *collection_;
}
