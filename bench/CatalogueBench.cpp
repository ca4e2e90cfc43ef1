#include "CatalogueBench.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <condition_variable>
#include <fstream>
#include <mutex>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include "Catalogue.h"
#include "Mailbox.h"
#include "Run.h"
#include "SmfBytes.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFilesPerFolder = 1000;

// Titles as long as real ones: 春の海 three times in Shift_JIS, and English.
Bytes TitleOf(int song) {
    const Bytes spring = {0x8F, 0x74, 0x82, 0xCC, 0x8A, 0x43};
    if (song % 2 == 0) return spring + spring + spring;
    return Ascii("Symphony No. " + std::to_string(song % 97) + " in D minor");
}

// The window's thread, as the bench plays it: it waits for deliveries and
// runs them, and the view keeps only what tells the fill has ended.
class Window : public TitleList::CatalogueView {
public:
    Services::WindowPoster Poster() {
        return mailbox_.Poster([this] {
            const std::lock_guard lock(mutex_);
            hasPost_ = true;
            posted_.notify_one();
        });
    }
    // Runs deliveries until every song is read.
    void RunUntilFilled() {
        while (isFilling_) {
            std::unique_lock lock(mutex_);
            posted_.wait(lock, [this] { return hasPost_; });
            hasPost_ = false;
            lock.unlock();
            mailbox_.RunDelivered();
        }
    }
    void ShowCount(std::string_view count, std::string_view) override { isFilling_ = !count.empty(); }
    void ShowTitle(std::string_view) override {}
    void ShowRows(std::size_t) override {}
    void ShowSelection(std::span<const std::size_t>, std::optional<std::size_t>) override {}
    void ScrollTo(std::size_t) override {}
    void ShowOrder(std::optional<TitleList::Column>, bool, std::string_view) override {}
    void ShowFailure(const Runtime::RuntimeError&) override { isFilling_ = false; }

private:
    Services::Mailbox mailbox_;
    std::mutex mutex_;
    std::condition_variable posted_;
    bool hasPost_ = false;
    bool isFilling_ = true;
};

// A catalogue filled with the songs of folder and everything below.
struct Filled {
    explicit Filled(const fs::path& folder) : catalogue(window, {window.Poster(), {}}) {
        catalogue.IncludeSubfolders(true);
        catalogue.Open(folder.string());
        window.RunUntilFilled();
    }
    Window window;
    TitleList::Catalogue catalogue;
};

class Discard : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

void TimeFill(benchmark::State& state, const fs::path& folder) {
    for (auto _ : state) {
        const Filled filled(folder);
        benchmark::DoNotOptimize(filled.catalogue.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void TimeCli(benchmark::State& state, const fs::path& folder) {
    Discard discard;
    std::ostream out(&discard);
    const std::vector<std::string> arguments = {"-r", "--format", "tsv", folder.string()};
    for (auto _ : state) {
        if (Cli::Run(arguments, out, out, {.cores = std::thread::hardware_concurrency()}) != 0) {
            return state.SkipWithError("midtitle-cli failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The heap a filled list holds, a row, beside the bytes of the texts it
// shows (name and title); the folded copies the filter reads count as the
// list's own.
void MeasureMemory(benchmark::State& state, const fs::path& folder) {
    double perRow = 0, textPerRow = 0;
    for (auto _ : state) {
        const std::size_t before = ::mallinfo2().uordblks;
        const Filled filled(folder);
        const std::size_t heap = ::mallinfo2().uordblks - before;
        std::size_t text = 0;
        const std::size_t rows = filled.catalogue.RowCount();
        for (std::size_t row = 0; row < rows; ++row) {
            text += filled.catalogue.CellText(row, TitleList::Column::Name).size() +
                    filled.catalogue.CellText(row, TitleList::Column::Title).size();
        }
        perRow = static_cast<double>(heap) / static_cast<double>(rows);
        textPerRow = static_cast<double>(text) / static_cast<double>(rows);
    }
    state.counters["heap bytes/row"] = perRow;
    state.counters["text bytes/row"] = textPerRow;
    state.counters["beyond text/row"] = perRow - textPerRow;
}

// Keystrokes that type typed's last character and take it back, one after
// the other: the first narrows the rows shown, the second looks at them all
// again. The figure is the time a keystroke.
void TimeKeystroke(benchmark::State& state, const std::shared_ptr<std::optional<Filled>>& filled,
                   const fs::path& folder, std::string typed) {
    if (!*filled) filled->emplace(folder);
    TitleList::Catalogue& catalogue = (*filled)->catalogue;
    std::string before = typed;
    while (!before.empty() && (static_cast<unsigned char>(before.back()) & 0xC0) == 0x80) before.pop_back();
    if (!before.empty()) before.pop_back();
    catalogue.Filter(before);
    std::size_t shown = 0;
    for (auto _ : state) {
        catalogue.Filter(typed);
        shown = catalogue.RowCount();
        catalogue.Filter(before);
    }
    state.counters["shown"] = static_cast<double>(shown);
    state.counters["s/keystroke"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    catalogue.Filter("");
}

}  // namespace

CatalogueBenchmarks::CatalogueBenchmarks(const fs::path& folder) : folder_(folder) {
    for (const int songs : {10000, 100000}) {
        const std::string count = std::to_string(songs);
        benchmark::RegisterBenchmark(("TitleList/Fill/" + count).c_str(), [this, songs](benchmark::State& state) {
            TimeFill(state, collection(songs));
        })->Arg(songs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(songs > 10000 ? 3 : 10);
        benchmark::RegisterBenchmark(("TitleList/CliTsv/" + count).c_str(), [this, songs](benchmark::State& state) {
            TimeCli(state, collection(songs));
        })->Arg(songs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(songs > 10000 ? 3 : 10);
    }
    benchmark::RegisterBenchmark("TitleList/Memory/100000", [this](benchmark::State& state) {
        MeasureMemory(state, collection(100000));
    })->Unit(benchmark::kMillisecond)->Iterations(1);
    const auto filled = std::make_shared<std::optional<Filled>>();
    for (const char* typed : {"春", "春の", "song", "sym", "symphony no. 5", "xyz"}) {
        benchmark::RegisterBenchmark((std::string("TitleList/Keystroke/100000/") + typed).c_str(),
                                     [this, filled, typed](benchmark::State& state) {
                                         TimeKeystroke(state, filled, collection(100000), typed);
                                     })->Unit(benchmark::kMillisecond);
    }
}

const fs::path& CatalogueBenchmarks::collection(int songs) {
    auto& path = collections_[songs];
    if (path.empty()) {
        path = folder_ / ("titles-" + std::to_string(songs));
        for (int song = 0; song < songs; ++song) {
            const fs::path in = path / std::to_string(song / kFilesPerFolder);
            if (song % kFilesPerFolder == 0) fs::create_directories(in);
            const Bytes bytes = StandardHeader() + Track(NamedTrackData(TitleOf(song)));
            std::ofstream(in / ("song-" + std::to_string(song) + ".mid"), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
    }
    return path;
}
