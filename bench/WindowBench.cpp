#include "WindowBench.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "DirectoryList.h"
#include "FileList.h"
#include "Form1.h"
#include "SmfBytes.h"

namespace {

constexpr int kBigFileCount = 100000;  // matching ones; as many again do not match
constexpr int kBigFolderCount = 1000;
constexpr std::uint32_t kHugeTrackLength = 64u << 20;  // 64 MiB
const char* const kSelectedName = "Song 050000.mid";

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) return;
    if (!bytes.empty() && ::write(descriptor, bytes.data(), bytes.size()) < 0) std::perror("write");
    ::close(descriptor);
}

// Names as an archive unpacked flat leaves them: mixed letter case, one in
// ten in Shift_JIS ("タイトル"), files of other kinds beside them, a few
// hidden ones. The files are empty but for the one each benchmark selects.
void MakeBigFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directory(folder);
    char name[64];
    for (int i = 0; i < kBigFileCount; ++i) {
        if (i % 10 == 3) std::snprintf(name, sizeof name, "\x83\x5E\x83\x43\x83\x67\x83\x8B %06d.mid", i);
        else std::snprintf(name, sizeof name, "%s %06d.%s", i % 3 == 0 ? "SONG" : "Song", i, i % 2 == 0 ? "mid" : "smf");
        WriteFile(folder / name, {});
        std::snprintf(name, sizeof name, "%snotes %06d.txt", i % 1000 == 0 ? "." : "", i);
        WriteFile(folder / name, {});
    }
    for (int i = 0; i < kBigFolderCount; ++i) {
        std::snprintf(name, sizeof name, "Folder %04d", i);
        std::filesystem::create_directory(folder / name);
    }
    WriteFile(folder / kSelectedName, NamedTwoTrackSong());
}

// Every byte the allocator has handed out, small blocks and mapped ones.
std::size_t AllocatedBytes() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A Form1 started in folder and drawn offscreen.
struct ShownForm {
    explicit ShownForm(const std::filesystem::path& folder) : isStarted(StartIn(folder)) {
        form.show();
        QApplication::processEvents();
    }
    static bool StartIn(const std::filesystem::path& folder) {
        std::filesystem::current_path(folder);
        return true;
    }
    bool isStarted;  // first: Form1 lists the current folder as it is made
    Form1 form;
    DirectoryList& dir1 = *form.findChild<DirectoryList*>(QStringLiteral("Dir1"));
    FileList& file1 = *form.findChild<FileList*>(QStringLiteral("File1"));
    QPlainTextEdit& text1 = *form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
};

// Sets Dir1's path and waits until File1 holds the folder's files and is
// laid out and drawn; the folder may be read on a worker.
void ShowFolder(ShownForm& shown, const std::filesystem::path& folder) {
    shown.dir1.setNativePath(folder.native());
    while (shown.dir1.isReading()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
}

// From setting Dir1's path until File1 holds the big folder's files. The
// worker's time counts: the CPU time of the whole process. Each time from
// the empty folder, as the folder shown already is not listed again.
void TimeListing(benchmark::State& state, const std::filesystem::path& big, const std::filesystem::path& empty) {
    ShownForm shown(empty);
    const std::size_t before = AllocatedBytes();
    for (auto _ : state) {
        ShowFolder(shown, big);
        state.PauseTiming();
        ShowFolder(shown, empty);
        state.ResumeTiming();
    }
    ShowFolder(shown, big);
    if (shown.file1.count() != kBigFileCount) return state.SkipWithError("File1 is not complete");
    const double listed = kBigFileCount + shown.dir1.model()->rowCount();
    state.counters["bytes_per_entry"] = static_cast<double>(AllocatedBytes() - before) / listed;
}

// "*.smf;*.mid" as cheaply as it can be asked: the last four bytes. (fnmatch
// with FNM_CASEFOLD costs more than the whole listing besides.)
bool MatchesSongPattern(std::string_view name) {
    if (name.size() < 4) return false;
    const char* extension = name.data() + name.size() - 4;
    return ::strcasecmp(extension, ".smf") == 0 || ::strcasecmp(extension, ".mid") == 0;
}

// The least any lister of the folder pays: read it once, check each entry's
// type, match the pattern, sort both lists ignoring case.
void TimeOsListing(benchmark::State& state, const std::filesystem::path& big) {
    for (auto _ : state) {
        std::vector<std::string> folders;
        std::vector<std::string> files;
        DIR* stream = ::opendir(big.c_str());
        if (stream == nullptr) return state.SkipWithError("opendir failed");
        while (const dirent* entry = ::readdir(stream)) {
            if (entry->d_name[0] == '.') continue;
            unsigned char type = entry->d_type;
            struct stat status {};
            if ((type == DT_UNKNOWN || type == DT_LNK) && ::fstatat(::dirfd(stream), entry->d_name, &status, 0) == 0)
                type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
            if (type == DT_DIR) folders.emplace_back(entry->d_name);
            else if (type == DT_REG && MatchesSongPattern(entry->d_name)) files.emplace_back(entry->d_name);
        }
        ::closedir(stream);
        const auto ignoringCase = [](const std::string& a, const std::string& b) {
            return ::strcasecmp(a.c_str(), b.c_str()) < 0;
        };
        std::sort(folders.begin(), folders.end(), ignoringCase);
        std::sort(files.begin(), files.end(), ignoringCase);
        if (files.size() != kBigFileCount) return state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(files.data());
    }
}

// One move of the mouse, no button pressed, over the selected file: the
// file is read again, its report composed and compared with the one shown.
void TimeMouseMove(benchmark::State& state, const std::filesystem::path& folder, const char* selected) {
    ShownForm shown(folder);
    FileList& list = shown.file1;
    int row = 0;
    while (row < list.count() && list.model()->index(row, 0).data().toString() != QString::fromUtf8(selected)) ++row;
    if (row == list.count()) return state.SkipWithError("selected file not listed");
    list.setSelectedIndex(row);
    list.scrollTo(list.model()->index(row, 0));
    QApplication::processEvents();
    const QPoint center = list.visualRect(list.model()->index(row, 0)).center();
    int step = 0;
    for (auto _ : state) {
        const QPoint at = center + QPoint(++step % 2, 0);
        QMouseEvent move(QEvent::MouseMove, at, list.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &move);
    }
}

// From the person's act until Text1 shows the report, each act timed on
// its own: the 99th percentile is the figure that matters, as one slow
// answer is what a person notices. The act is moving to the other of two
// files, which goes the way a mouse move goes (GetMidFileFormat) with a
// report that differs, so Text1 is written each time. Wall time: the read
// may run on another thread.
void TimeHoverLatency(benchmark::State& state, const std::filesystem::path& folder) {
    ShownForm shown(folder);
    FileList& list = shown.file1;
    if (list.count() < 2) return state.SkipWithError("two files needed");
    const QString names[] = {list.model()->index(0, 0).data().toString(), list.model()->index(1, 0).data().toString()};
    std::vector<double> micros;
    int step = 0;
    for (auto _ : state) {
        const int row = ++step % 2;
        const auto start = std::chrono::steady_clock::now();
        list.setSelectedIndex(row);
        while (!shown.text1.toPlainText().section(QLatin1Char('\n'), 0, 0).endsWith(names[row]))
            QApplication::processEvents();
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}

// Offscreen whatever the session offers: the benchmarks need no display,
// and a real one would add its own costs.
int& OffscreenArgc(int& argc) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return argc;
}

}  // namespace

WindowBenchmarks::WindowBenchmarks(int& argc, char** argv, const std::filesystem::path& folder)
    : application_(std::make_unique<QApplication>(OffscreenArgc(argc), argv)), folder_(folder) {
    const auto small = folder / "ten";
    std::filesystem::create_directory(small);
    for (int i = 0; i < 9; ++i) WriteFile(small / ("Song " + std::to_string(i) + ".mid"), NamedTwoTrackSong());
    WriteFile(small / kSelectedName, NamedTwoTrackSong());
    const auto huge = folder / "huge";
    std::filesystem::create_directory(huge);
    for (int i = 0; i < 9; ++i) WriteFile(huge / ("Song " + std::to_string(i) + ".mid"), NamedTwoTrackSong());
    // Sparse past the title: the reader must never get there.
    WriteFile(huge / kSelectedName, StandardHeader() + Ascii("MTrk") + BigEndian32(kHugeTrackLength) +
                                        NamedTrackData(Ascii("Song")));
    std::filesystem::resize_file(huge / kSelectedName, 22 + std::uintmax_t{kHugeTrackLength});
    const auto empty = folder / "empty";
    std::filesystem::create_directory(empty);

    benchmark::RegisterBenchmark("MouseMove/NamedTwoTrackSong/10Entries", TimeMouseMove, small, kSelectedName);
    benchmark::RegisterBenchmark("MouseMove/Track64MiB/10Entries", TimeMouseMove, huge, kSelectedName);
    benchmark::RegisterBenchmark("HoverToText1/NamedTwoTrackSong", TimeHoverLatency, small)->UseRealTime();
    benchmark::RegisterBenchmark("MouseMove/NamedTwoTrackSong/100000Entries", [this](benchmark::State& state) {
        TimeMouseMove(state, bigFolder(), kSelectedName);
    });
    benchmark::RegisterBenchmark("ListFolder/Form1", [this, empty](benchmark::State& state) {
        TimeListing(state, bigFolder(), empty);
    })->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("ListFolder/OsCalls", [this](benchmark::State& state) {
        TimeOsListing(state, bigFolder());
    })->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
#ifdef MIDTITLE_SLOW_DISK_BENCH
    RegisterSlowDiskBenchmarks(folder);
#endif
}

WindowBenchmarks::~WindowBenchmarks() {
    // Out of the folder before it is removed.
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
}

const std::filesystem::path& WindowBenchmarks::bigFolder() {
    if (!bigFolder_) {
        MakeBigFolder(folder_ / "big");
        bigFolder_ = folder_ / "big";
    }
    return *bigFolder_;
}
