// Writes the fuzzer's starting corpus into the folder given: small files
// that each reach a different step of GetMidInfo.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void AppendBigEndian(Bytes& bytes, std::uint32_t value, int width) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A header chunk and one track chunk whose length field says trackLength.
Bytes Smf(std::uint16_t format, std::uint16_t tracks, std::uint16_t division, const Bytes& track,
          std::uint32_t trackLength) {
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    AppendBigEndian(file, format, 2);
    AppendBigEndian(file, tracks, 2);
    AppendBigEndian(file, division, 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    AppendBigEndian(file, trackLength, 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

Bytes Smf(std::uint16_t format, std::uint16_t tracks, std::uint16_t division, const Bytes& track) {
    return Smf(format, tracks, division, track, static_cast<std::uint32_t>(track.size()));
}

// Delta time 0, a meta event of the type given, its length as a variable-
// length quantity, the text, then the end of the track.
Bytes TitleTrack(std::uint8_t type, const Bytes& text, std::size_t padding = 0) {
    Bytes track(padding, 0);
    track.insert(track.end(), {0x00, 0xFF, type});
    std::uint32_t length = static_cast<std::uint32_t>(text.size());
    Bytes quantity = {static_cast<std::uint8_t>(length & 0x7F)};
    while ((length >>= 7) != 0)
        quantity.insert(quantity.begin(), static_cast<std::uint8_t>(0x80 | (length & 0x7F)));
    track.insert(track.end(), quantity.begin(), quantity.end());
    track.insert(track.end(), text.begin(), text.end());
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    return track;
}

Bytes Cut(Bytes bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const Bytes song = {'S', 'o', 'n', 'g'};
    const Bytes springSea = {0x8F, 0x74, 0x82, 0xCC, 0x8A, 0x43};  // 春の海 in Shift_JIS
    const Bytes unmapped = {0x80, 0xA0, 0xFD, 0x82};                // unmapped in code page 932, then a lone lead byte
    const Bytes namedTwoTrackSong = Smf(1, 2, 480, TitleTrack(0x03, song));
    const struct {
        const char* name;
        Bytes file;
    } seeds[] = {
        {"named-two-track-song", namedTwoTrackSong},
        {"shift-jis-title", Smf(0, 1, 96, TitleTrack(0x03, springSea))},
        {"text-event-title", Smf(0, 1, 96, TitleTrack(0x01, song))},
        {"unmapped-bytes", Smf(0, 1, 96, TitleTrack(0x03, unmapped))},
        {"two-byte-length-title", Smf(1, 1, 480, TitleTrack(0x03, Bytes(300, 'A')))},
        {"title-past-first-read", Smf(1, 1, 480, TitleTrack(0x03, Bytes(600, 'B'), 4994))},
        {"pair-beyond-window", Smf(1, 1, 480, TitleTrack(0x03, song, 5000))},
        {"time-code-division", Smf(1, 2, 0xE728, TitleTrack(0x03, song))},  // -25 frames, 40 ticks each
        {"broken-length-quantity", Smf(0, 1, 96, {0x00, 0xFF, 0x03, 0x81, 0x82, 0x83, 0x84, 0x05})},
        {"title-past-track-end", Smf(0, 1, 96, {0x00, 0xFF, 0x03, 0x7F, 'x'})},
        {"no-title", Smf(0, 1, 96, {0x00, 0xFF, 0x2F, 0x00})},
        {"no-tracks", Smf(0, 0, 96, {})},
        {"track-longer-than-file", Smf(0, 1, 96, TitleTrack(0x03, song), 0xFFFFFFFF)},
        {"truncated-header", Cut(namedTwoTrackSong, 20)},
        {"minimum-length", Cut(namedTwoTrackSong, 21)},
        {"truncated-track", Cut(namedTwoTrackSong, 28)},
        {"not-midi", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& seed : seeds) {
        std::ofstream out(std::filesystem::path(argv[1]) / seed.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(seed.file.data()),
                  static_cast<std::streamsize>(seed.file.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", seed.name);
            return 1;
        }
    }
    return 0;
}
