// The title list's text work at 100 000 rows: folding the rows as they
// arrive, filtering them on each keystroke, sorting them by title.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "SortKey.h"
#include "TextFolding.h"

namespace {

constexpr std::size_t kRows = 100000;

struct Song {
    std::string name;
    std::string title;
};

// Titles and names as a 1990s collection has them: Japanese in every width
// and kind, English, numbers, eight-letter names.
std::vector<Song> Collection() {
    const char* const words[] = {"春の海", "はるのうみ", "ハルノウミ", "ﾊﾙﾉｳﾐ", "さくら", "サクラ", "ｻｸﾗ",
                                 "荒城の月", "ふるさと", "ドラゴンクエスト", "ﾌｧｲﾅﾙﾌｧﾝﾀｼﾞｰ", "序曲",
                                 "交響曲第９番", "ＳＯＮＧ", "Ｖｅｒ．２", "Love", "Theme", "ｵｰﾌﾟﾆﾝｸﾞ",
                                 "エンディング", "がっこう", "ばら", "パレード", "ヴィーナス", "～", "（",
                                 "）", "第", "楽章", "Op.", "ピアノ協奏曲", "ハ短調", "BGM", "　"};
    const char* const stems[] = {"HARUNOUM", "K_", "SONG", "BGM", "ｵｰﾌﾟﾆﾝｸﾞ", "曲", "ﾃｰﾏ", "track"};
    std::mt19937 random(21);  // the same rows every run
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    std::vector<Song> songs(kRows);
    for (std::size_t row = 0; row < kRows; ++row) {
        const std::size_t wordCount = 2 + pick(5);
        for (std::size_t w = 0; w < wordCount; ++w) songs[row].title += words[pick(std::size(words))];
        songs[row].title += std::to_string(pick(30));
        songs[row].name = std::string(stems[pick(std::size(stems))]) + std::to_string(row % 9973) +
                          (row % 2 ? ".MID" : ".mid");
    }
    return songs;
}

struct FoldedRow {
    std::string name;
    std::string title;
};

std::vector<FoldedRow> Folded(const std::vector<Song>& songs) {
    std::vector<FoldedRow> rows;
    rows.reserve(songs.size());
    for (const Song& song : songs) rows.push_back({TitleList::FoldForFilter(song.name), TitleList::FoldForFilter(song.title)});
    return rows;
}

std::size_t TextBytes(const std::string& text) {
    // Heap bytes beyond the string itself; short strings live inside it.
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

// Each row's name and title folded once, as rows arrive.
void FoldRows(benchmark::State& state) {
    const std::vector<Song> songs = Collection();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<FoldedRow> rows = Folded(songs);
        bytes = 0;
        for (const FoldedRow& row : rows) bytes += sizeof row + TextBytes(row.name) + TextBytes(row.title);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["bytes/row"] = static_cast<double>(bytes) / kRows;
}
BENCHMARK(FoldRows)->Name("TitleList/FoldRows/100000")->Unit(benchmark::kMillisecond);

// One keystroke: what is typed is folded, every row scanned, the rows shown
// gathered. The needles are the box's text after each key.
void FilterKeystroke(benchmark::State& state, const char* typed) {
    const std::vector<FoldedRow> rows = Folded(Collection());
    std::vector<std::uint32_t> shown;
    shown.reserve(rows.size());
    for (auto _ : state) {
        const std::string needle = TitleList::FoldForFilter(typed);
        shown.clear();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (TitleList::Matches(rows[i].title, needle) || TitleList::Matches(rows[i].name, needle)) {
                shown.push_back(static_cast<std::uint32_t>(i));
            }
        }
        benchmark::DoNotOptimize(shown.data());
    }
    state.counters["shown"] = static_cast<double>(shown.size());
}
BENCHMARK_CAPTURE(FilterKeystroke, Kana1, "は")->Name("TitleList/Filter/は")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, Kana4, "はるのう")->Name("TitleList/Filter/はるのう")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, Latin, "song1")->Name("TitleList/Filter/song1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, None, "xyz")->Name("TitleList/Filter/xyz")->Unit(benchmark::kMillisecond);

std::vector<std::uint32_t> RowOrder(std::size_t count) {
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

// A header click with keys made for the sort and dropped after it: what
// the rows pay when they keep no key.
void SortBuildingKeys(benchmark::State& state) {
    const std::vector<Song> songs = Collection();
    std::size_t keyBytes = 0;
    for (auto _ : state) {
        std::vector<std::string> keys;
        keys.reserve(songs.size());
        for (const Song& song : songs) keys.push_back(TitleList::SortKey(song.title));
        std::vector<std::uint32_t> order = RowOrder(songs.size());
        std::sort(order.begin(), order.end(), [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
        benchmark::DoNotOptimize(order.data());
        keyBytes = 0;
        for (const std::string& key : keys) keyBytes += sizeof key + TextBytes(key);
    }
    std::size_t titleBytes = 0;
    for (const Song& song : songs) titleBytes += song.title.size();
    state.counters["key bytes/row"] = static_cast<double>(keyBytes) / kRows;
    state.counters["title bytes/row"] = static_cast<double>(titleBytes) / kRows;
}
BENCHMARK(SortBuildingKeys)->Name("TitleList/Sort/BuildingKeys/100000")->Unit(benchmark::kMillisecond);

// The same sort on keys the rows keep.
void SortKeptKeys(benchmark::State& state) {
    const std::vector<Song> songs = Collection();
    std::vector<std::string> keys;
    for (const Song& song : songs) keys.push_back(TitleList::SortKey(song.title));
    for (auto _ : state) {
        std::vector<std::uint32_t> order = RowOrder(songs.size());
        std::sort(order.begin(), order.end(), [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(SortKeptKeys)->Name("TitleList/Sort/KeptKeys/100000")->Unit(benchmark::kMillisecond);

}  // namespace
