#include "ReaderBench.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "MIDTitle.h"
#include "SmfBytes.h"

namespace {

constexpr std::uint32_t kHugeTrackLength = 64u << 20;  // 64 MiB
// What GetMidInfo reads of a long track: the header chunk, the track chunk's
// id and length, and the 5004 bytes its title search can reach.
constexpr std::size_t kReaderReadLength = 22 + 5004;

// "ピアノ協奏曲第２番 ハ短調 作品18 第１楽章" in code page 932.
constexpr std::string_view kShiftJisTitle =
    "\x83\x73\x83\x41\x83\x6D\x8B\xA6\x91\x74\x8B\xC8\x91\xE6\x82\x51\x94\xD4\x20\x83\x6E"
    "\x92\x5A\x92\xB2\x20\x8D\xEC\x95\x69\x31\x38\x20\x91\xE6\x82\x50\x8A\x79\x8F\xCD";

// Format 1, two tracks, 480 ticks a quarter note; the first track starts
// with a sequence name and declares trackLength.
Bytes SmfWithTitle(std::string_view title, std::uint32_t trackLength) {
    return StandardHeader() + TrackWithLength(trackLength, NamedTrackData(Ascii(title)));
}

std::filesystem::path WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void TimeGetMidInfo(benchmark::State& state, const std::filesystem::path& file, std::string_view title) {
    // A file that fails early would time the wrong path.
    if (MIDTitle::GetMidInfo(file).Title != title) return state.SkipWithError("unexpected title");
    for (auto _ : state) benchmark::DoNotOptimize(MIDTitle::GetMidInfo(file));
}

// The least any reader of these bytes pays: open, one read, close.
void TimeOsRead(benchmark::State& state, const std::string& file, std::size_t length) {
    std::vector<char> buffer(length);
    for (auto _ : state) {
        const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = ::read(descriptor, buffer.data(), buffer.size());
        ::close(descriptor);
        if (got != static_cast<ssize_t>(length)) return state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
    }
}

}  // namespace

void RegisterReaderBenchmarks(const std::filesystem::path& folder) {
    const Bytes namedTwoTrackSong = NamedTwoTrackSong();
    const auto small = WriteFile(folder / "two-track-song.mid", namedTwoTrackSong);
    const auto shiftJis = WriteFile(folder / "shift-jis-title.mid", TitledSong(kShiftJisTitle));
    const auto huge = WriteFile(folder / "huge-track.mid", SmfWithTitle("Song", kHugeTrackLength));
    // Sparse past the title: the reader must never get there, and the disk
    // is spared 64 MiB.
    std::filesystem::resize_file(huge, 22 + std::uintmax_t{kHugeTrackLength});

    benchmark::RegisterBenchmark("GetMidInfo/NamedTwoTrackSong", TimeGetMidInfo, small, "Song");
    benchmark::RegisterBenchmark("GetMidInfo/ShiftJisTitle", TimeGetMidInfo, shiftJis,
                                 "ピアノ協奏曲第２番 ハ短調 作品18 第１楽章");
    benchmark::RegisterBenchmark("GetMidInfo/Track64MiB", TimeGetMidInfo, huge, "Song");
    benchmark::RegisterBenchmark("OsRead/NamedTwoTrackSong", TimeOsRead, small.string(), namedTwoTrackSong.size());
    benchmark::RegisterBenchmark("OsRead/Track64MiB", TimeOsRead, huge.string(), kReaderReadLength);
}
